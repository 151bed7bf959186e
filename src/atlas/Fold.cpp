#include "atlas/Fold.h"

#include "atlas/FoldTable.h"

#include <algorithm>

namespace atlas {
namespace {

static_assert(kFoldRows.front().first == 0, "the table covers every code point");

// The row for a code point: the last whose run begins at or before it.
constexpr const FoldRow& rowOf(char32_t c)
{
    const auto* after =
        std::upper_bound(kFoldRows.begin(), kFoldRows.end(), c,
                         [](char32_t value, const FoldRow& row) { return value < row.first; });
    return *(after - 1);
}

// ASCII, the bulk of names and keys, by direct look-up: the table's rows, each
// letter's replacement one byte.
struct AsciiFold
{
    FoldKind kind;
    char letter;
};

constexpr std::array<AsciiFold, 128> kAscii = [] {
    std::array<AsciiFold, 128> ascii{};
    for (char32_t c = 0; c < ascii.size(); ++c) {
        const FoldRow& row = rowOf(c);
        ascii[c].kind = row.kind == FoldKind::Text ? FoldKind::Same : row.kind;
        ascii[c].letter =
            row.kind == FoldKind::Text ? kFoldTexts[row.offset] : static_cast<char>(c);
        if (row.kind == FoldKind::Text && row.length != 1)
            throw "an ASCII character folds to more than one letter";
    }
    return ascii;
}();

// One code point's part of the key.
struct FoldStep
{
    FoldKind kind;
    const char* text; // Same and Text: the letters (for Same, the source's own bytes)
    std::size_t length;
    std::size_t consumed; // source bytes read
    bool valid;
};

// Decodes the code point at p; end is where the text stops, or null for a
// NUL-terminated text (a NUL is never a continuation byte, so decoding stops there).
char32_t decode(const char* p, const char* end, std::size_t& length)
{
    const auto lead = static_cast<unsigned char>(p[0]);
    length = 1;
    int size = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80)
        return lead;
    if ((lead & 0xE0) == 0xC0) {
        size = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        size = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        size = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return kNotUtf8;
    }
    if (end != nullptr && end - p < size)
        return kNotUtf8;
    for (int i = 1; i < size; ++i) {
        const auto next = static_cast<unsigned char>(p[i]);
        if ((next & 0xC0) != 0x80)
            return kNotUtf8;
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kNotUtf8;
    length = static_cast<std::size_t>(size);
    return c;
}

FoldStep foldAt(const char* p, const char* end)
{
    const auto lead = static_cast<unsigned char>(p[0]);
    if (lead < 0x80) {
        const AsciiFold& ascii = kAscii[lead];
        return {ascii.kind, &ascii.letter, 1, 1, true};
    }
    std::size_t length = 0;
    const char32_t c = decode(p, end, length);
    if (c == kNotUtf8)
        return {FoldKind::Removed, nullptr, 0, 1, false};
    const FoldRow& row = rowOf(c);
    if (row.kind == FoldKind::Text)
        return {FoldKind::Text, kFoldTexts + row.offset, row.length, length, true};
    return {row.kind, p, length, length, true};
}

} // namespace

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos)
{
    std::size_t length = 0;
    const char32_t c = decode(utf8.data() + pos, utf8.data() + utf8.size(), length);
    pos += length;
    return c;
}

FoldedText foldText(std::string_view utf8, std::size_t longestKey)
{
    FoldedText folded;
    bool gapPending = false; // a gap seen since the last letter
    bool wordPending = true; // the next letter starts a word
    const char* const end = utf8.data() + utf8.size();
    std::size_t pos = 0;
    while (pos < utf8.size() && !folded.tooLong) {
        const std::size_t start = pos;
        const FoldStep step = foldAt(utf8.data() + pos, end);
        pos += step.consumed;
        folded.valid = folded.valid && step.valid;
        if (step.kind == FoldKind::Apostrophe) {
            wordPending = true;
        } else if (step.kind == FoldKind::Gap) {
            gapPending = true;
        } else if (step.kind == FoldKind::Same || step.kind == FoldKind::Text) {
            for (std::size_t i = 0; i < step.length; ++i) {
                const char letter = step.text[i];
                if (letter == ' ') { // a gap inside a replacement (℅: c/o)
                    gapPending = true;
                    continue;
                }
                if (gapPending || wordPending) {
                    if (gapPending && !folded.key.empty())
                        folded.key += ' ';
                    folded.wordStarts.push_back(static_cast<std::uint16_t>(
                        std::min<std::size_t>(folded.key.size(), UINT16_MAX)));
                    folded.sourceStarts.push_back(static_cast<std::uint32_t>(start));
                    gapPending = wordPending = false;
                }
                folded.key += letter;
            }
            folded.tooLong = folded.key.size() > longestKey;
        }
    }
    folded.endsWithGap = gapPending && !folded.key.empty();
    return folded;
}

unsigned char FoldedReader::next()
{
    while (true) {
        if (pendingLeft > 0) {
            if (*pending == ' ') { // a gap inside a replacement
                ++pending, --pendingLeft;
                gap = started;
                continue;
            }
            if (gap) {
                gap = false;
                return ' ';
            }
            started = true;
            --pendingLeft;
            return static_cast<unsigned char>(*pending++);
        }
        const auto lead = static_cast<unsigned char>(*at);
        if (lead == 0)
            return 0;
        // An ASCII letter after another: the common case, straight from the table.
        if (lead < 0x80 && !gap && kAscii[lead].kind == FoldKind::Same) {
            ++at;
            started = true;
            return static_cast<unsigned char>(kAscii[lead].letter);
        }
        const FoldStep step = foldAt(at, nullptr);
        if (step.kind == FoldKind::Same || step.kind == FoldKind::Text) {
            pending = step.text;
            pendingLeft = step.length;
        } else if (step.kind == FoldKind::Gap) {
            gap = started;
        }
        at += step.consumed;
    }
}

} // namespace atlas
