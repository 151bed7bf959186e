#include "report/JsonWriter.h"

#include <array>
#include <cmath>
#include <cstdio>

#ifdef SELENOSCOPE_JSON_NUMBERS_AS_NLOHMANN
#include <nlohmann/json.hpp>
#endif

namespace report {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

/// The continuation bytes a UTF-8 sequence's first byte asks for, and the range its second
/// byte must lie in (which rules out overlong forms, surrogates and code points beyond
/// U+10FFFF); count 0 for a byte that starts no sequence.
struct SequenceStart
{
    int count;
    unsigned char low;
    unsigned char high;
};

constexpr SequenceStart sequenceStart(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return {1, 0x80, 0xBF};
    if (lead == 0xE0)
        return {2, 0xA0, 0xBF};
    if (lead == 0xED)
        return {2, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return {2, 0x80, 0xBF};
    if (lead == 0xF0)
        return {3, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3)
        return {3, 0x80, 0xBF};
    if (lead == 0xF4)
        return {3, 0x80, 0x8F};
    return {0, 0, 0};
}

void appendAscii(std::string& out, unsigned char c)
{
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (c < 0x20) {
        std::array<char, 8> escaped{};
        std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
        out += escaped.data();
    } else {
        out += static_cast<char>(c);
    }
}

std::string numberText(double number)
{
#ifdef SELENOSCOPE_JSON_NUMBERS_AS_NLOHMANN
    // The digits the command-line tool has always written (its tests and users' scripts
    // read them): the shortest that read back as the same double, as nlohmann writes them.
    return nlohmann::json(number).dump();
#else
    // Seventeen significant digits read back as the very same double (the web build's
    // library cannot write the shortest).
    std::array<char, 32> digits{};
    std::snprintf(digits.data(), digits.size(), "%.17g", number);
    return digits.data();
#endif
}

} // namespace

void JsonWriter::startItem()
{
    if (empty_.empty())
        return;
    if (empty_.back() == '0')
        text_ += ',';
    empty_.back() = '0';
    if (indent_ > 0) {
        text_ += '\n';
        text_.append(static_cast<std::size_t>(indent_) * empty_.size(), ' ');
    }
}

void JsonWriter::startValue()
{
    if (afterKey_)
        afterKey_ = false;
    else
        startItem();
}

void JsonWriter::close(char bracket)
{
    const bool wasEmpty = empty_.back() == '1';
    empty_.pop_back();
    if (!wasEmpty && indent_ > 0) {
        text_ += '\n';
        text_.append(static_cast<std::size_t>(indent_) * empty_.size(), ' ');
    }
    text_ += bracket;
}

JsonWriter& JsonWriter::beginObject()
{
    startValue();
    text_ += '{';
    empty_.push_back('1');
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    close('}');
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    startValue();
    text_ += '[';
    empty_.push_back('1');
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    close(']');
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    startItem();
    writeString(name);
    text_ += indent_ > 0 ? ": " : ":";
    afterKey_ = true;
    return *this;
}

void JsonWriter::writeString(std::string_view text)
{
    text_ += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            appendAscii(text_, lead);
            ++i;
            continue;
        }
        const SequenceStart start = sequenceStart(lead);
        if (start.count == 0) {
            text_ += kReplacement;
            ++i;
            continue;
        }
        // The sequence's bytes while they fit; the first that does not starts afresh.
        std::size_t next = i + 1;
        unsigned char low = start.low;
        unsigned char high = start.high;
        bool whole = true;
        for (int k = 0; k < start.count; ++k, ++next) {
            if (next >= text.size() || static_cast<unsigned char>(text[next]) < low ||
                static_cast<unsigned char>(text[next]) > high) {
                whole = false;
                break;
            }
            low = 0x80;
            high = 0xBF;
        }
        if (whole)
            text_.append(text.substr(i, next - i));
        else
            text_ += kReplacement;
        i = next;
    }
    text_ += '"';
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    startValue();
    writeString(text);
    return *this;
}

JsonWriter& JsonWriter::value(double number)
{
    startValue();
    text_ += std::isfinite(number) ? numberText(number) : std::string("null");
    return *this;
}

JsonWriter& JsonWriter::value(bool truth)
{
    startValue();
    text_ += truth ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    startValue();
    text_ += "null";
    return *this;
}

} // namespace report
