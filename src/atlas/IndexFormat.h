// The offline atlas's index file, as the builder writes it and the program
// reads it: a header, a table of sections, then the sections, each aligned to
// 8 bytes. Numbers are little-endian; offsets into the strings
// section point at NUL-terminated UTF-8 texts. Plain C++20, no Qt.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace atlas::format {

static_assert(std::endian::native == std::endian::little, "the index file is little-endian");

inline constexpr std::array<char, 8> kMagic{'S', 'E', 'L', 'A', 'T', 'L', 'A', 'S'};
inline constexpr std::uint32_t kVersion = 2;

enum class SectionId : std::uint32_t {
    Strings = 1, // every text: the names searched and shown, in every script
    Countries,   // CountryRecord, by country index
    Regions,     // RegionRecord, by region index
    Zones,       // ZoneRecord, by zone index
    Places,      // PlaceRecord, most populous first
    Entries,     // EntryRecord: one per word of every name searched, sorted by its folded text from
                 // there
    TopPrefixes, // TopPrefixRecord: short folded prefixes whose ranking is stored, sorted by prefix
    TopHits,     // HitRecord: the stored rankings the TopPrefixRecords point into
};
inline constexpr std::uint32_t kSectionCount = 8;

// Longest folded name searched, in bytes: longer "names" are descriptions,
// not names, and no typed text longer than this can match.
inline constexpr std::size_t kLongestKey = 120;

struct Header
{
    std::array<char, 8> magic;
    std::uint32_t version;
    std::uint32_t sectionCount;
    std::uint64_t checksum; // Checksum() chained over the sections' bytes in table order
    std::uint64_t reserved;
};
static_assert(sizeof(Header) == 32);

struct SectionRecord
{
    std::uint32_t id; // SectionId
    std::uint32_t reserved;
    std::uint64_t offset; // from the start of the file
    std::uint64_t size;   // bytes
};
static_assert(sizeof(SectionRecord) == 24);

struct CountryRecord
{
    std::array<char, 2> code; // ISO 3166 alpha-2
    std::uint16_t reserved;
    std::uint32_t name;       // strings offset: the short name shown ("United Kingdom")
    std::uint32_t otherNames; // strings offset: names also found after a comma, ';' between them
};
static_assert(sizeof(CountryRecord) == 12);

struct RegionRecord
{
    std::uint32_t name;    // strings offset
    std::uint32_t code;    // strings offset: the first-level division's code
    std::uint32_t country; // country index
};
static_assert(sizeof(RegionRecord) == 12);

struct ZoneRecord
{
    std::uint32_t id; // strings offset: the IANA zone id
};

inline constexpr std::uint32_t kNoRegion = 0xFFFFFFFF;
inline constexpr std::uint32_t kDistrict = 1; // PlaceRecord::flags: a section of a larger city

struct PlaceRecord
{
    std::int32_t latitude;  // microdegrees, North positive
    std::int32_t longitude; // microdegrees, East positive
    std::uint32_t population;
    std::uint32_t name;   // strings offset
    std::uint32_t region; // region index or kNoRegion
    std::uint16_t country;
    std::uint16_t zone;
    std::uint32_t flags;
};
static_assert(sizeof(PlaceRecord) == 28);

inline constexpr std::uint32_t kPlaceMask = 0x00FFFFFF;
// EntryRecord::place: the word starts its name; the name is the place's own.
inline constexpr std::uint32_t kWholeKey = 0x80000000;
inline constexpr std::uint32_t kOwnName = 0x40000000;

struct EntryRecord
{
    std::uint32_t name;  // strings offset where the word begins, inside a name
    std::uint32_t place; // place index (kPlaceMask bits), kWholeKey, kOwnName
};
static_assert(sizeof(EntryRecord) == 8);

struct TopPrefixRecord
{
    std::array<char, 8> prefix; // folded, NUL-padded
    std::uint32_t first;        // index into TopHits
    std::uint32_t count;
};
static_assert(sizeof(TopPrefixRecord) == 16);

inline constexpr std::uint32_t kNoOtherName = 0xFFFFFFFF;

struct HitRecord
{
    std::uint32_t place;
    std::uint32_t otherName; // strings offset of the other name it was found by, or kNoOtherName
};
static_assert(sizeof(HitRecord) == 8);

/// The file's checksum over bytes: 64-bit FNV-1a over little-endian 8-byte words.
inline std::uint64_t Checksum(const unsigned char* bytes, std::uint64_t size,
                              std::uint64_t hash = 0xcbf29ce484222325ULL)
{
    constexpr std::uint64_t prime = 0x100000001b3ULL;
    std::uint64_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word = 0;
        for (int b = 7; b >= 0; --b)
            word = (word << 8) | bytes[i + b];
        hash = (hash ^ word) * prime;
    }
    for (; i < size; ++i)
        hash = (hash ^ bytes[i]) * prime;
    return hash;
}

} // namespace atlas::format
