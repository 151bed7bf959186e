// The offline atlas split into parts for the web page, as the splitter writes them and
// the page's WebAssembly reads them: a common part (the countries, regions and time
// zones, the table of the other parts, and the rankings of the keys that reach over
// more than one part) and parts that each hold the search entries of a range of folded
// keys, with their places and names. A part's records are the index's own
// (atlas/IndexFormat.h); its text offsets count from the start of the common part's
// texts, which come first when the page joins the two. Little-endian; each section
// aligned to 8 bytes. Plain C++20, no Qt.
#pragma once

#include "atlas/IndexFormat.h"

#include <array>
#include <cstdint>

namespace atlas::format {

inline constexpr std::array<char, 8> kPartMagic{'S', 'E', 'L', 'P', 'A', 'R', 'T', 'S'};
inline constexpr std::uint32_t kPartVersion = 1;

/// PartHeader::number of the common part.
inline constexpr std::uint32_t kCommonPart = 0xFFFFFFFF;

enum class PartSectionId : std::uint32_t {
    Strings = 1, // texts; offsets count from the common part's first text
    Countries,   // CountryRecord (common part only)
    Regions,     // RegionRecord (common part only)
    Zones,       // ZoneRecord (common part only)
    Places,      // PlaceRecord, in the index's order
    Entries,     // EntryRecord, the index's entries for the part's keys, in its order
    TopPrefixes, // TopPrefixRecord
    TopHits,     // HitRecord
    PlaceIds,    // std::uint32_t: each place's number in the whole index
    Directory,   // DirectoryRecord: the parts, by their first key (common part only)
};
inline constexpr std::uint32_t kPartSectionCount = 10;

struct PartHeader
{
    std::array<char, 8> magic;
    std::uint32_t version;
    std::uint32_t sectionCount;
    std::uint64_t atlasChecksum; // the whole index's: every part of one split carries it
    std::uint64_t checksum;      // Checksum() over every byte after this header
    std::uint32_t number;        // the part's place in the directory, or kCommonPart
    std::uint32_t reserved;      // 0
    std::uint64_t commonTexts;   // bytes of the common part's texts, before this part's
};
static_assert(sizeof(PartHeader) == 48);

// Longest first key of a part, in bytes, with its NUL padding.
inline constexpr std::size_t kPartKeyBytes = 16;

struct DirectoryRecord
{
    std::array<char, kPartKeyBytes> firstKey; // folded, NUL-padded; the first part's is empty
    std::uint64_t checksum;                   // the part's PartHeader::checksum
    std::uint64_t bytes;                      // the part file's size
};
static_assert(sizeof(DirectoryRecord) == 32);

} // namespace atlas::format
