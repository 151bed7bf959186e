// Names and typed texts folded for searching, so that München, Munchen and
// munchen meet, and Москва typed with a byte-order mark or ＭＯＳＣＯＷ in
// full-width letters find what the plain forms find. The folding table is
// generated from ICU when building (atlas/FoldTable.h); folding needs no ICU.
// Plain C++20, no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace atlas {

/// A name or a typed text in the form the search compares.
struct FoldedText
{
    std::string key;                         // UTF-8, case and accents off, words one space apart
    std::vector<std::uint16_t> wordStarts;   // where each word of key begins, 0 first
    std::vector<std::uint32_t> sourceStarts; // where in the text each word's first letter begins
    bool valid = true;                       // false: the text is not UTF-8
    bool tooLong = false;     // the key grew past the limit, and folding stopped there
    bool endsWithGap = false; // a space or punctuation followed the last word
};

/// Folds UTF-8 text: case and accents come off, compatibility forms become
/// their plain letters, Latin letters without a decomposition are spelled in
/// ASCII (ß ss, ø o, ł l), joiners and byte-order marks vanish, digits stay,
/// apostrophes vanish (the letters after one start a word of their own too:
/// L'Aquila is found as Aquila), and every other run of spaces, punctuation
/// and symbols becomes one gap. Scripts written without spaces (東京) make one
/// word of each run of letters. Stops once the key is longer than longestKey bytes.
FoldedText foldText(std::string_view utf8, std::size_t longestKey = SIZE_MAX);

/// The key of a NUL-terminated UTF-8 text, byte by byte, as foldText makes it,
/// without making it: for comparing a stored name where it lies. Reads nothing
/// past the text's NUL.
class FoldedReader
{
public:
    explicit FoldedReader(const char* text) : at(text) {}

    /// The key's next byte, or 0 at its end.
    unsigned char next();

private:
    const char* at;
    const char* pending = nullptr; // letters of the last code point not given yet
    std::size_t pendingLeft = 0;
    bool gap = false;     // a gap since the last letter given
    bool started = false; // a letter was given
};

/// The next code point of UTF-8 text from pos (advanced past it), or
/// kNotUtf8 for a byte that starts no well-formed sequence (pos advances by one).
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);

inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

} // namespace atlas
