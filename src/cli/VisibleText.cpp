#include "cli/VisibleText.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace cli {
namespace {

struct NamedEscape
{
    unsigned char byte;
    std::string_view text;
};

// The controls that have a name of their own, and the backslash that escapes.
constexpr std::array<NamedEscape, 4> kNamedEscapes{{
    {'\t', "\\t"},
    {'\n', "\\n"},
    {'\r', "\\r"},
    {'\\', "\\\\"},
}};

std::string Hex(const char* format, unsigned value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

/// The length of the well-formed UTF-8 sequence at text[at] (2 to 4), or 0.
std::size_t SequenceLength(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    return length;
}

} // namespace

std::string VisibleText(std::string_view text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x80) {
            const std::size_t length = SequenceLength(text, at);
            const auto second = length == 2 ? static_cast<unsigned char>(text[at + 1]) : 0U;
            if (length == 0)
                shown += Hex("\\x%02X", byte);
            else if (byte == 0xC2 && second <= 0x9F) // U+0080 to U+009F
                shown += Hex("\\u%04X", second);
            else
                shown.append(text.substr(at, length));
            at += length == 0 ? 1 : length;
            continue;
        }
        const auto* const named =
            std::find_if(kNamedEscapes.begin(), kNamedEscapes.end(),
                         [byte](const NamedEscape& e) { return e.byte == byte; });
        if (named != kNamedEscapes.end())
            shown += named->text;
        else if (byte < 0x20 || byte == 0x7F)
            shown += Hex("\\x%02X", byte);
        else
            shown += static_cast<char>(byte);
        ++at;
    }
    return shown;
}

} // namespace cli
