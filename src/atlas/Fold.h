// Names and typed texts folded for searching, so that München, Munchen and
// munchen meet. Plain C++20, no Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace atlas {

/// A name or a typed text in the form the search compares.
struct FoldedText
{
    std::string key; // lower-case ASCII letters and digits, words one space apart
    std::vector<std::uint16_t> wordStarts; // where each word of key begins, 0 first
    bool latin = true;        // false: it holds a letter of another script, or is not UTF-8
    bool endsWithGap = false; // a space or punctuation followed the last word
};

/// Folds UTF-8 text: case and accents come off, digits stay, apostrophes vanish
/// (the letters after one start a word of their own too: L'Aquila is found as
/// Aquila), and every other run of spaces and punctuation becomes one gap.
FoldedText foldText(std::string_view utf8);

/// The next code point of UTF-8 text from pos (advanced past it), or
/// kNotUtf8 for a byte that starts no well-formed sequence (pos advances by one).
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);

inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;

} // namespace atlas
