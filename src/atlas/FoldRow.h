// The shape of the folding table's rows (atlas/FoldTable.h, which the build
// generates from ICU with tools/atlas/MakeFoldTable.cpp). Plain C++20, no Qt.
#pragma once

#include <cstdint>

namespace atlas {

/// What a code point becomes in the search form of a text.
enum class FoldKind : std::uint8_t {
    Same,       // itself: a letter or digit with nothing to fold
    Text,       // its replacement: lower-case letters, a space where a gap falls
    Removed,    // nothing: accents, joiners, byte-order marks
    Gap,        // a gap between words: spaces, punctuation, symbols
    Apostrophe, // nothing, but the letters after it start a word too
};

/// A run of code points from first up to the next row's first. A Text row
/// covers its one code point; its replacement is kFoldTexts[offset], length bytes.
struct FoldRow
{
    char32_t first;
    FoldKind kind;
    std::uint8_t length;
    std::uint16_t offset;
};
static_assert(sizeof(FoldRow) == 8);

} // namespace atlas
