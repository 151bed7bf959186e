#include "atlas/PlaceIndex.h"

#include "atlas/MappedFile.h"

#include <array>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <type_traits>

namespace atlas {
namespace {

using format::SectionId;

// Each section with its span, in the file's order.
template <typename Sections, typename Visit> void forEachSection(Sections& s, Visit visit)
{
    visit(SectionId::Strings, s.strings);
    visit(SectionId::Countries, s.countries);
    visit(SectionId::Regions, s.regions);
    visit(SectionId::Zones, s.zones);
    visit(SectionId::Places, s.places);
    visit(SectionId::Entries, s.entries);
    visit(SectionId::TopPrefixes, s.topPrefixes);
    visit(SectionId::TopHits, s.topHits);
}

template <typename T> std::uint64_t checksumOf(std::span<const T> data, std::uint64_t hash)
{
    static_assert(std::is_trivially_copyable_v<T>);
    return format::Checksum(reinterpret_cast<const unsigned char*>(data.data()), data.size_bytes(),
                            hash);
}

std::uint64_t sectionsChecksum(const IndexSections& sections)
{
    std::uint64_t hash = format::Checksum(nullptr, 0);
    forEachSection(sections, [&](SectionId, auto data) { hash = checksumOf(data, hash); });
    return hash;
}

constexpr std::uint64_t alignUp(std::uint64_t n)
{
    return (n + 7) / 8 * 8;
}

bool endsWithNul(std::span<const char> text)
{
    return !text.empty() && text.back() == '\0';
}

} // namespace

std::string checkSections(const IndexSections& s)
{
    if (!endsWithNul(s.strings))
        return "the text section does not end";
    const auto inStrings = [&](std::uint32_t offset) { return offset < s.strings.size(); };
    for (const auto& country : s.countries)
        if (!inStrings(country.name) || !inStrings(country.otherNames))
            return "a country's name lies outside the file";
    for (const auto& region : s.regions)
        if (!inStrings(region.name) || !inStrings(region.code) ||
            region.country >= s.countries.size())
            return "a region refers outside the file";
    for (const auto& zone : s.zones)
        if (!inStrings(zone.id))
            return "a time zone's name lies outside the file";
    if (s.places.size() > format::kPlaceMask)
        return "too many places";
    for (const auto& place : s.places)
        if (!inStrings(place.name) || place.country >= s.countries.size() ||
            place.zone >= s.zones.size() ||
            (place.region != format::kNoRegion && place.region >= s.regions.size()))
            return "a place refers outside the file";
    for (const auto& entry : s.entries)
        if (!inStrings(entry.name) || (entry.place & format::kPlaceMask) >= s.places.size())
            return "a search entry refers outside the file";
    for (const auto& top : s.topPrefixes)
        if (top.first > s.topHits.size() || top.count > s.topHits.size() - top.first)
            return "a stored ranking lies outside the file";
    for (const auto& hit : s.topHits)
        if (hit.place >= s.places.size() ||
            (hit.otherName != format::kNoOtherName && !inStrings(hit.otherName)))
            return "a stored ranking refers outside the file";
    return {};
}

IndexSections IndexData::sections() const
{
    return {strings, countries, regions, zones, places, entries, topPrefixes, topHits};
}

PlaceIndex::PlaceIndex(IndexSections sections, std::shared_ptr<const void> storage)
    : s(sections), storage(std::move(storage))
{
}

Place PlaceIndex::place(PlaceId id) const
{
    if (id >= s.places.size())
        throw std::out_of_range("no place with this id");
    const format::PlaceRecord& record = s.places[id];
    const format::CountryRecord& country = s.countries[record.country];
    Place place;
    place.id = id;
    place.name = text(record.name);
    if (record.region != format::kNoRegion) {
        place.region = text(s.regions[record.region].name);
        place.regionCode = text(s.regions[record.region].code);
    }
    place.country = text(country.name);
    place.countryCode.assign(country.code.data(), country.code.size());
    place.zoneId = text(s.zones[record.zone].id);
    place.latitudeMicro = record.latitude;
    place.longitudeMicro = record.longitude;
    place.population = record.population;
    place.district = (record.flags & format::kDistrict) != 0;
    return place;
}

IndexLoad PlaceIndex::load(const std::filesystem::path& file)
{
    const auto failed = [&](const std::string& why) {
        return IndexLoad{nullptr,
                         "The place index " + file.string() + " cannot be used: " + why + "."};
    };
    std::string openError;
    std::shared_ptr<const MappedFile> mapped = MappedFile::open(file, openError);
    if (!mapped)
        return failed(openError);
    const std::span<const unsigned char> bytes = mapped->bytes();

    format::Header header{};
    std::array<format::SectionRecord, format::kSectionCount> table{};
    constexpr std::uint64_t tableEnd = sizeof header + sizeof table;
    if (bytes.size() < tableEnd)
        return failed("it is too short to be a place index");
    std::memcpy(&header, bytes.data(), sizeof header);
    std::memcpy(table.data(), bytes.data() + sizeof header, sizeof table);
    if (header.magic != format::kMagic)
        return failed("it is not a place index");
    if (header.version != format::kVersion || header.sectionCount != format::kSectionCount)
        return failed("it was made for another version of the program");

    IndexSections sections;
    bool damaged = false;
    std::size_t position = 0;
    forEachSection(sections, [&](SectionId id, auto& data) {
        using Record = typename std::remove_reference_t<decltype(data)>::value_type;
        const format::SectionRecord& section = table[position++];
        if (damaged || section.id != static_cast<std::uint32_t>(id) || section.offset < tableEnd ||
            section.offset > bytes.size() || section.size > bytes.size() - section.offset ||
            section.size % sizeof(Record) != 0 || section.offset % alignof(Record) != 0) {
            damaged = true;
            return;
        }
        // The mapping is page-aligned and the offset a multiple of the record's
        // alignment, so the records can be read where they lie.
        data = {reinterpret_cast<const Record*>(bytes.data() + section.offset),
                static_cast<std::size_t>(section.size / sizeof(Record))};
    });
    if (damaged)
        return failed("it is damaged or cut short");
    if (sectionsChecksum(sections) != header.checksum)
        return failed("it is damaged (its checksum does not match)");
    if (const std::string why = checkSections(sections); !why.empty())
        return failed("it is damaged (" + why + ")");
    return IndexLoad{std::make_unique<const PlaceIndex>(sections, std::move(mapped)), {}};
}

bool writeIndex(const std::filesystem::path& file, const IndexSections& sections,
                std::string& error)
{
    format::Header header{};
    header.magic = format::kMagic;
    header.version = format::kVersion;
    header.sectionCount = format::kSectionCount;
    header.checksum = sectionsChecksum(sections);

    std::array<format::SectionRecord, format::kSectionCount> table{};
    std::uint64_t offset = sizeof header + sizeof table;
    std::size_t position = 0;
    forEachSection(sections, [&](SectionId id, const auto& data) {
        table[position++] = {static_cast<std::uint32_t>(id), 0, offset, data.size_bytes()};
        offset = alignUp(offset + data.size_bytes());
    });

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(table.data()), sizeof table);
    std::uint64_t written = sizeof header + sizeof table;
    forEachSection(sections, [&](SectionId, const auto& data) {
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size_bytes()));
        written += data.size_bytes();
        static constexpr std::array<char, 8> padding{};
        out.write(padding.data(), static_cast<std::streamsize>(alignUp(written) - written));
        written = alignUp(written);
    });
    out.close();
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

} // namespace atlas
