#include "atlas/Fold.h"

#include "atlas/LatinFolds.h"

#include <algorithm>

namespace atlas {
namespace {

enum class CharClass { Letters, Apostrophe, Gap, Mark, Foreign };

bool isApostrophe(char32_t c)
{
    // ' ` ´ ʻ ʼ ʾ ʿ ‘ ’: written inside names (Xi'an, Ra’s, Hawaiʻi), never between words.
    switch (c) {
    case U'\'':
    case U'`':
    case 0x00B4:
    case 0x02BB:
    case 0x02BC:
    case 0x02BE:
    case 0x02BF:
    case 0x2018:
    case 0x2019:
        return true;
    default:
        return false;
    }
}

bool isGap(char32_t c)
{
    return c < 0x80 ||                     // ASCII punctuation, spaces and controls
           (c >= 0x80 && c <= 0xBF) ||     // Latin-1 punctuation, symbols, no-break space
           c == 0xD7 || c == 0xF7 ||       // × ÷
           (c >= 0x2000 && c <= 0x206F) || // dashes, quotation marks, other punctuation
           c == 0x3000;                    // ideographic space
}

const LatinFold* findFold(char32_t c)
{
    const auto* row = std::lower_bound(
        kLatinFolds.begin(), kLatinFolds.end(), c,
        [](const LatinFold& fold, char32_t value) { return fold.codePoint < value; });
    return row != kLatinFolds.end() && row->codePoint == c ? row : nullptr;
}

} // namespace

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        ++pos;
        return kNotUtf8;
    }
    if (utf8.size() - pos < static_cast<std::size_t>(length)) {
        ++pos;
        return kNotUtf8;
    }
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(utf8[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kNotUtf8;
        }
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not UTF-8.
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kNotUtf8;
    }
    pos += length;
    return c;
}

FoldedText foldText(std::string_view utf8)
{
    FoldedText folded;
    bool gapPending = false; // a gap seen since the last letter
    bool wordPending = true; // the next letter starts a word
    auto append = [&](std::string_view letters) {
        if (gapPending && !folded.key.empty())
            folded.key += ' ';
        if (gapPending || wordPending) {
            // Keys stay short (the index caps them), so the position fits.
            folded.wordStarts.push_back(
                static_cast<std::uint16_t>(std::min<std::size_t>(folded.key.size(), UINT16_MAX)));
        }
        gapPending = wordPending = false;
        folded.key += letters;
    };

    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, pos);
        if ((c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9')) {
            const char letter = static_cast<char>(c);
            append({&letter, 1});
        } else if (c >= U'A' && c <= U'Z') {
            const char letter = static_cast<char>(c - U'A' + U'a');
            append({&letter, 1});
        } else if (isApostrophe(c)) {
            wordPending = true;
        } else if (c >= 0x0300 && c <= 0x036F) {
            // A combining accent on the letter before it: nothing to fold.
        } else if (c != kNotUtf8 && isGap(c)) {
            gapPending = true;
        } else if (const LatinFold* fold = c == kNotUtf8 ? nullptr : findFold(c)) {
            append(fold->ascii);
        } else {
            folded.latin = false;
        }
    }
    folded.endsWithGap = gapPending && !folded.key.empty();
    return folded;
}

} // namespace atlas
