// The offline atlas's index file, as the builder writes it and the program
// reads it: a header, a table of sections, then the sections, each aligned to
// 8 bytes. Numbers are little-endian; offsets into the strings and keys
// sections point at NUL-terminated texts. Plain C++20, no Qt.
#pragma once

#include <array>
#include <bit>
#include <cstdint>

namespace atlas::format {

static_assert(std::endian::native == std::endian::little, "the index file is little-endian");

inline constexpr std::array<char, 8> kMagic{'S', 'E', 'L', 'A', 'T', 'L', 'A', 'S'};
inline constexpr std::uint32_t kVersion = 1;

enum class SectionId : std::uint32_t {
    Strings = 1, // names shown to the user, UTF-8
    Countries,   // CountryRecord, by country index
    Regions,     // RegionRecord, by region index
    Zones,       // ZoneRecord, by zone index
    Places,      // PlaceRecord, most populous first
    Keys,        // folded search keys, lower-case ASCII
    Entries,     // EntryRecord: one per word of every key, sorted by the key's text from there
    TopPrefixes, // TopPrefixRecord: short prefixes whose ranking is stored, sorted by prefix
    TopPlaces,   // std::uint32_t place indices the TopPrefixRecords point into
};
inline constexpr std::uint32_t kSectionCount = 9;

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
    std::uint32_t name; // strings offset
};
static_assert(sizeof(CountryRecord) == 8);

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
// EntryRecord::place: the word starts its key; the key is the place's own name.
inline constexpr std::uint32_t kWholeKey = 0x80000000;
inline constexpr std::uint32_t kOwnName = 0x40000000;

struct EntryRecord
{
    std::uint32_t key;   // keys offset where the word begins
    std::uint32_t place; // place index (kPlaceMask bits), kWholeKey, kOwnName
};
static_assert(sizeof(EntryRecord) == 8);

struct TopPrefixRecord
{
    std::array<char, 8> prefix; // NUL-padded
    std::uint32_t first;        // index into TopPlaces
    std::uint32_t count;
};
static_assert(sizeof(TopPrefixRecord) == 16);

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
