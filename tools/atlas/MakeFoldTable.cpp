// Writes the atlas's folding table (atlas/FoldTable.h) from the system's ICU:
//   make_fold_table OUTPUT
// Every code point whose search form is not itself gets a row: compatibility
// forms decomposed (full-width letters, ligatures, compatibility ideographs),
// case folded, accents and other combining marks with a combining class taken
// off, default-ignorable code points (byte-order mark, joiners, soft hyphen)
// dropped, Latin letters spelled in ASCII (ø, ł, đ, æ), and spaces,
// punctuation and symbols turned into gaps between words. The index builder
// and the search fold with this one table, so names and typed texts always
// agree, and the program needs no ICU when it runs.
#include "atlas/FoldRow.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>
#include <unicode/uversion.h>
#include <vector>

namespace {

using atlas::FoldKind;

// Written inside names (Xi'an, Ra’s, Hawaiʻi), never between words: they vanish
// and the letters after them start a word of their own too.
constexpr std::array<UChar32, 11> kApostrophes{0x0027, 0x0060, 0x00B4, 0x02BB, 0x02BC, 0x02BE,
                                               0x02BF, 0x2018, 0x2019, 0xFF07, 0xFF40};

// Latin letters that neither a decomposition nor ICU's Latin-ASCII spells in
// ASCII, as their languages write them without them (Azerbaijani Gəncə, Gence).
struct LatinSpelling
{
    UChar32 letter; // lower case: spellings apply after case folding
    const char* ascii;
};
constexpr std::array<LatinSpelling, 13> kLatinSpellings{{
    {0x0254, "o"},  // ɔ
    {0x01DD, "e"},  // ǝ
    {0x0259, "e"},  // ə
    {0x0263, "g"},  // ɣ
    {0x0269, "i"},  // ɩ
    {0x019B, "l"},  // ƛ
    {0x026F, "m"},  // ɯ
    {0x0275, "o"},  // ɵ
    {0x028A, "u"},  // ʊ
    {0x0292, "z"},  // ʒ
    {0x01BF, "w"},  // ƿ
    {0x021D, "y"},  // ȝ
    {0x0223, "ou"}, // ȣ
}};

bool isApostrophe(UChar32 c)
{
    for (const UChar32 a : kApostrophes)
        if (a == c)
            return true;
    return false;
}

bool isIgnorable(UChar32 c)
{
    return u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT) != 0;
}

// A mark that accents the letter before it (it has a combining class): Latin
// and Greek accents, Cyrillic breve, Hebrew and Arabic points, kana voicing,
// nukta. Marks of class 0, such as the vowel signs of Indic scripts, spell
// letters and stay.
bool isAccent(UChar32 c)
{
    return (U_GET_GC_MASK(c) & U_GC_M_MASK) != 0 && u_getCombiningClass(c) != 0;
}

// Spaces, punctuation, symbols and controls separate words.
bool isGap(UChar32 c)
{
    constexpr std::uint32_t gaps = U_GC_Z_MASK | U_GC_P_MASK | U_GC_S_MASK | U_GC_CC_MASK;
    return (U_GET_GC_MASK(c) & gaps) != 0;
}

std::string utf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}

struct Fold
{
    FoldKind kind = FoldKind::Same;
    std::string text; // for FoldKind::Text: letters, with ' ' where a gap falls
};

class Folder
{
public:
    Folder()
    {
        UErrorCode status = U_ZERO_ERROR;
        nfkd = icu::Normalizer2::getNFKDInstance(status);
        latinAscii.reset(
            icu::Transliterator::createInstance("Latin-ASCII", UTRANS_FORWARD, status));
        if (U_FAILURE(status) || nfkd == nullptr || !latinAscii)
            fail(std::string("ICU cannot decompose or transliterate: ") + u_errorName(status));
    }

    [[nodiscard]] Fold fold(UChar32 c) const
    {
        const std::int8_t type = u_charType(c);
        if (type == U_UNASSIGNED || type == U_SURROGATE || type == U_PRIVATE_USE_CHAR)
            return {};
        if (isApostrophe(c))
            return {FoldKind::Apostrophe, {}};
        if (isIgnorable(c) || isAccent(c))
            return {FoldKind::Removed, {}};
        // Hangul syllables stay whole: names and keyboards write them composed.
        if (u_getIntPropertyValue(c, UCHAR_HANGUL_SYLLABLE_TYPE) == U_HST_LV_SYLLABLE ||
            u_getIntPropertyValue(c, UCHAR_HANGUL_SYLLABLE_TYPE) == U_HST_LVT_SYLLABLE)
            return {};

        const icu::UnicodeString decomposed =
            normalize(normalize(icu::UnicodeString(c)).foldCase());
        if (decomposed.countChar32() == 1 && isApostrophe(decomposed.char32At(0)))
            return {FoldKind::Apostrophe, {}};
        std::string text;
        bool gap = false;
        for (int i = 0; i < decomposed.length(); i = decomposed.moveIndex32(i, 1)) {
            const UChar32 d = decomposed.char32At(i);
            if (isIgnorable(d) || isAccent(d) || isApostrophe(d))
                continue;
            if (isGap(d)) {
                gap = true;
                continue;
            }
            if (gap)
                text += ' ';
            gap = false;
            text += letter(d);
        }
        if (gap)
            text += ' ';
        if (text.empty())
            return {FoldKind::Removed, {}};
        if (text.find_first_not_of(' ') == std::string::npos)
            return {FoldKind::Gap, {}};
        if (text == utf8(icu::UnicodeString(c)))
            return {};
        return {FoldKind::Text, text};
    }

private:
    [[noreturn]] static void fail(const std::string& message)
    {
        std::cerr << "make_fold_table: " << message << '\n';
        std::exit(1);
    }

    [[nodiscard]] icu::UnicodeString normalize(const icu::UnicodeString& text) const
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::UnicodeString out = nfkd->normalize(text, status);
        if (U_FAILURE(status))
            fail(std::string("ICU cannot decompose: ") + u_errorName(status));
        return out;
    }

    // A Latin letter that no decomposition reaches (ø, ł, đ, æ, þ) in the
    // ASCII its languages write without it; any other letter as it is.
    [[nodiscard]] std::string letter(UChar32 d) const
    {
        for (const LatinSpelling& spelling : kLatinSpellings)
            if (spelling.letter == d)
                return spelling.ascii;
        icu::UnicodeString text(d);
        UErrorCode status = U_ZERO_ERROR;
        if (d >= 0x80 && uscript_getScript(d, &status) == USCRIPT_LATIN) {
            icu::UnicodeString ascii(d);
            latinAscii->transliterate(ascii);
            ascii.foldCase();
            bool plain = !ascii.isEmpty();
            for (int i = 0; i < ascii.length(); ++i) {
                const char16_t a = ascii.charAt(i);
                plain = plain && ((a >= u'a' && a <= u'z') || (a >= u'0' && a <= u'9'));
            }
            if (plain)
                text = ascii;
        }
        return utf8(text);
    }

    const icu::Normalizer2* nfkd = nullptr;
    std::unique_ptr<icu::Transliterator> latinAscii;
};

const char* kindName(FoldKind kind)
{
    switch (kind) {
    case FoldKind::Same:
        return "Same";
    case FoldKind::Text:
        return "Text";
    case FoldKind::Removed:
        return "Removed";
    case FoldKind::Gap:
        return "Gap";
    case FoldKind::Apostrophe:
        break;
    }
    return "Apostrophe";
}

// The replacements, each stored once, as a C++ string literal's body.
class TextPool
{
public:
    std::uint16_t add(const std::string& text)
    {
        const auto [found, added] = offsets.try_emplace(text, 0);
        if (added) {
            if (pool.size() + text.size() > UINT16_MAX) {
                std::cerr << "make_fold_table: the replacements outgrow the table's offsets\n";
                std::exit(1);
            }
            found->second = static_cast<std::uint16_t>(pool.size());
            pool += text;
        }
        return found->second;
    }
    [[nodiscard]] std::string literal() const
    {
        std::string out;
        for (const char c : pool) {
            std::array<char, 8> escaped{};
            std::snprintf(escaped.data(), escaped.size(), "\\x%02x", static_cast<unsigned char>(c));
            out += escaped.data();
        }
        return out;
    }

private:
    std::string pool;
    std::map<std::string, std::uint16_t> offsets;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_fold_table OUTPUT\n";
        return 2;
    }
    const Folder folder;
    TextPool texts;
    std::vector<std::string> rows;
    std::size_t textRows = 0;
    Fold previous{FoldKind::Text, "\x01"}; // no run is open yet
    for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
        const Fold fold = folder.fold(c);
        // Runs of one kind share a row; each replacement has a row of its own.
        if (fold.kind == previous.kind && fold.kind != FoldKind::Text)
            continue;
        std::string row =
            "    {0x" +
            [&] {
                std::array<char, 16> hex{};
                std::snprintf(hex.data(), hex.size(), "%04X", static_cast<unsigned>(c));
                return std::string(hex.data());
            }() +
            ", FoldKind::" + kindName(fold.kind);
        if (fold.kind == FoldKind::Text) {
            row += ", " + std::to_string(fold.text.size()) + ", " +
                   std::to_string(texts.add(fold.text));
            ++textRows;
        } else {
            row += ", 0, 0";
        }
        rows.push_back(row + "},");
        previous = fold;
    }

    std::ofstream out(argv[1], std::ios::trunc);
    out << "// Generated by make_fold_table from ICU " << U_ICU_VERSION << " (Unicode "
        << U_UNICODE_VERSION << "): do not edit.\n"
        << "#pragma once\n\n#include \"atlas/FoldRow.h\"\n\n#include <array>\n\n"
        << "namespace atlas {\n\n"
        << "// " << textRows << " replacements and the runs between them, by code point.\n"
        << "inline constexpr std::array<FoldRow, " << rows.size() << "> kFoldRows{{\n";
    for (const std::string& row : rows)
        out << row << '\n';
    out << "}};\n\ninline constexpr char kFoldTexts[] = \"" << texts.literal() << "\";\n\n"
        << "} // namespace atlas\n";
    out.close();
    if (!out) {
        std::cerr << "make_fold_table: cannot write " << argv[1] << '\n';
        return 1;
    }
    std::cout << "make_fold_table: " << rows.size() << " rows, " << textRows << " replacements\n";
    return 0;
}
