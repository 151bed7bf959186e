// The offline atlas: every place of the index with its coordinates, region,
// country and time zone, loaded from the index file on first use. Plain C++20,
// no Qt.
#pragma once

#include "atlas/IndexFormat.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace atlas {

using PlaceId = std::uint32_t;

/// One place, as the finder shows it and the command line prints it.
struct Place
{
    PlaceId id = 0;
    std::string name;                // UTF-8
    std::string region;              // first-level division's name; empty where the data has none
    std::string regionCode;          // its code within the country ("IL"); empty where none
    std::string country;             // country's short English name
    std::string countryCode;         // ISO 3166 alpha-2 ("US")
    std::string zoneId;              // IANA time zone id ("America/Chicago")
    std::int32_t latitudeMicro = 0;  // microdegrees, North positive
    std::int32_t longitudeMicro = 0; // microdegrees, East positive
    std::uint32_t population = 0;
    bool district = false; // a section of a larger city

    /// Degrees, North positive.
    [[nodiscard]] double latitude() const { return latitudeMicro / 1e6; }
    /// Degrees, East positive.
    [[nodiscard]] double longitude() const { return longitudeMicro / 1e6; }
};

/// The index file's sections, seen where they lie: in the mapped file, or in
/// the builder's IndexData.
struct IndexSections
{
    std::span<const char> strings;
    std::span<const format::CountryRecord> countries;
    std::span<const format::RegionRecord> regions;
    std::span<const format::ZoneRecord> zones;
    std::span<const format::PlaceRecord> places;
    std::span<const format::EntryRecord> entries;
    std::span<const format::TopPrefixRecord> topPrefixes;
    std::span<const format::HitRecord> topHits;
};

/// Sections held in memory, as the index builder makes them.
struct IndexData
{
    std::vector<char> strings;
    std::vector<format::CountryRecord> countries;
    std::vector<format::RegionRecord> regions;
    std::vector<format::ZoneRecord> zones;
    std::vector<format::PlaceRecord> places;
    std::vector<format::EntryRecord> entries;
    std::vector<format::TopPrefixRecord> topPrefixes;
    std::vector<format::HitRecord> topHits;

    [[nodiscard]] IndexSections sections() const;
};

/// Why the sections cannot be used (an offset or index out of range, a text
/// without its end), or empty when every reference stays inside them.
std::string checkSections(const IndexSections& sections);

class PlaceIndex;

/// The outcome of loading: the index, or the error text naming the file.
struct IndexLoad
{
    std::unique_ptr<const PlaceIndex> index;
    std::string error;
};

class PlaceIndex
{
public:
    /// Sections that passed checkSections; storage keeps them alive (empty
    /// when the caller does).
    PlaceIndex(IndexSections sections, std::shared_ptr<const void> storage);

    /// Reads and checks the index file; never reads outside it, whatever it holds.
    static IndexLoad load(const std::filesystem::path& file);

    [[nodiscard]] std::size_t placeCount() const { return s.places.size(); }
    /// The place with this id (0 to placeCount() - 1); std::out_of_range otherwise.
    [[nodiscard]] Place place(PlaceId id) const;

    [[nodiscard]] const IndexSections& sections() const { return s; }
    /// The NUL-terminated text at an offset of the strings section.
    [[nodiscard]] std::string_view text(std::uint32_t offset) const
    {
        return s.strings.data() + offset;
    }

private:
    IndexSections s;
    std::shared_ptr<const void> storage;
};

/// Writes the sections as an index file; false with a message on failure.
bool writeIndex(const std::filesystem::path& file, const IndexSections& sections,
                std::string& error);

} // namespace atlas
