#include "atlas/PartFile.h"

#include <array>
#include <cstring>
#include <type_traits>

namespace atlas {
namespace {

using format::PartSectionId;

// Each section with its records, in the file's order.
template <typename Part, typename Visit> void forEachSection(Part& p, Visit visit)
{
    visit(PartSectionId::Strings, p.data.strings);
    visit(PartSectionId::Countries, p.data.countries);
    visit(PartSectionId::Regions, p.data.regions);
    visit(PartSectionId::Zones, p.data.zones);
    visit(PartSectionId::Places, p.data.places);
    visit(PartSectionId::Entries, p.data.entries);
    visit(PartSectionId::TopPrefixes, p.data.topPrefixes);
    visit(PartSectionId::TopHits, p.data.topHits);
    visit(PartSectionId::PlaceIds, p.placeIds);
    visit(PartSectionId::Directory, p.directory);
}

using SectionTable = std::array<format::SectionRecord, format::kPartSectionCount>;
constexpr std::size_t kTableEnd = sizeof(format::PartHeader) + sizeof(SectionTable);

// Every byte after the header: the table, the sections and the padding between them.
std::uint64_t bodyChecksum(std::span<const unsigned char> bytes)
{
    const auto body = bytes.subspan(sizeof(format::PartHeader));
    return format::Checksum(body.data(), body.size());
}

constexpr std::uint64_t alignUp(std::uint64_t n)
{
    return (n + 7) / 8 * 8;
}

} // namespace

std::vector<unsigned char> writePart(PartContents& part)
{
    format::PartHeader& header = part.header;
    header.magic = format::kPartMagic;
    header.version = format::kPartVersion;
    header.sectionCount = format::kPartSectionCount;
    SectionTable table{};
    std::vector<unsigned char> bytes(kTableEnd);
    std::size_t position = 0;
    forEachSection(part, [&](PartSectionId id, const auto& records) {
        using Record = typename std::remove_reference_t<decltype(records)>::value_type;
        static_assert(std::is_trivially_copyable_v<Record>);
        const auto* data = reinterpret_cast<const unsigned char*>(records.data());
        const std::size_t size = records.size() * sizeof(Record);
        const std::size_t at = bytes.size();
        table[position++] = {static_cast<std::uint32_t>(id), 0, at, size};
        bytes.resize(alignUp(at + size));
        if (size > 0)
            std::memcpy(bytes.data() + at, data, size);
    });
    std::memcpy(bytes.data() + sizeof header, table.data(), sizeof table);
    header.checksum = bodyChecksum(bytes);
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

bool readPart(std::span<const unsigned char> bytes, PartContents& part, std::string& error)
{
    SectionTable table{};
    if (bytes.size() < kTableEnd) {
        error = "it is too short to be a part of the atlas";
        return false;
    }
    std::memcpy(&part.header, bytes.data(), sizeof part.header);
    std::memcpy(table.data(), bytes.data() + sizeof part.header, sizeof table);
    if (part.header.magic != format::kPartMagic) {
        error = "it is not a part of the atlas";
        return false;
    }
    if (part.header.version != format::kPartVersion ||
        part.header.sectionCount != format::kPartSectionCount) {
        error = "it was made for another version of the page";
        return false;
    }
    if (bodyChecksum(bytes) != part.header.checksum || part.header.reserved != 0) {
        error = "it is damaged (its checksum does not match)";
        return false;
    }
    bool damaged = false;
    std::size_t position = 0;
    forEachSection(part, [&](PartSectionId id, auto& records) {
        using Record = typename std::remove_reference_t<decltype(records)>::value_type;
        const format::SectionRecord& section = table[position++];
        if (damaged || section.id != static_cast<std::uint32_t>(id) || section.offset < kTableEnd ||
            section.offset > bytes.size() || section.size > bytes.size() - section.offset ||
            section.size % sizeof(Record) != 0) {
            damaged = true;
            return;
        }
        const unsigned char* data = bytes.data() + section.offset;
        records.resize(static_cast<std::size_t>(section.size / sizeof(Record)));
        if (!records.empty())
            std::memcpy(records.data(), data, static_cast<std::size_t>(section.size));
    });
    if (damaged) {
        error = "it is damaged (its sections lie outside it)";
        return false;
    }
    return true;
}

} // namespace atlas
