#include "atlas/IndexParts.h"

#include "atlas/PartFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <utility>

namespace atlas {
namespace {

std::string_view keyOf(const format::DirectoryRecord& part)
{
    return {part.firstKey.data(), strnlen(part.firstKey.data(), part.firstKey.size())};
}

std::string_view prefixOf(const format::TopPrefixRecord& top)
{
    return {top.prefix.data(), strnlen(top.prefix.data(), top.prefix.size())};
}

bool endsWithNul(const std::vector<char>& texts)
{
    return !texts.empty() && texts.back() == '\0';
}

} // namespace

std::string partFileName(std::uint32_t number)
{
    if (number == format::kCommonPart)
        return "common.part";
    std::array<char, 16> name{};
    std::snprintf(name.data(), name.size(), "%03u.part", static_cast<unsigned>(number));
    return name.data();
}

PartRange partsOfKey(const std::vector<std::string>& firstKeys, std::string_view key)
{
    if (firstKeys.empty())
        return {};
    // The first key of the first part is empty, so some part begins at or before any key.
    const auto after = std::upper_bound(
        firstKeys.begin() + 1, firstKeys.end(), key,
        [](std::string_view k, const std::string& first) { return k < std::string_view(first); });
    PartRange range;
    range.first = static_cast<std::uint32_t>(after - firstKeys.begin() - 1);
    range.last = range.first;
    while (range.last + 1 < firstKeys.size() &&
           std::string_view(firstKeys[range.last + 1]).substr(0, key.size()) == key)
        ++range.last;
    return range;
}

struct IndexParts::Common
{
    PartContents contents; // the common tables, the directory, and the rankings that span parts
    std::unique_ptr<PlaceIndex> head; // those rankings as an index without entries
    std::vector<std::string> firstKeys;
};

struct IndexParts::Part
{
    IndexData data; // the common texts, then the part's
    std::vector<std::uint32_t> placeIds;
    std::unique_ptr<PlaceIndex> index;
};

struct IndexParts::Merged
{
    PartRange parts;
    IndexData data;
    std::unique_ptr<PlaceIndex> index;
};

IndexParts::IndexParts() = default;
IndexParts::~IndexParts() = default;

std::unique_ptr<IndexParts> IndexParts::open(std::span<const unsigned char> bytes,
                                             std::string& error)
{
    auto common = std::make_unique<Common>();
    PartContents& c = common->contents;
    if (!readPart(bytes, c, error))
        return nullptr;
    if (c.header.number != format::kCommonPart || c.header.commonTexts != 0 ||
        c.directory.empty()) {
        error = "it is not the atlas's common part";
        return nullptr;
    }
    for (const format::DirectoryRecord& part : c.directory) {
        const std::string_view key = keyOf(part);
        if ((common->firstKeys.empty() != key.empty()) ||
            (!common->firstKeys.empty() && key <= std::string_view(common->firstKeys.back()))) {
            error = "it is damaged (its table of parts is out of order)";
            return nullptr;
        }
        common->firstKeys.emplace_back(key);
    }
    if (!c.data.entries.empty() || c.placeIds.size() != c.data.places.size()) {
        error = "it is damaged (its places are not numbered)";
        return nullptr;
    }
    if (const std::string why = checkSections(c.data.sections()); !why.empty()) {
        error = "it is damaged (" + why + ")";
        return nullptr;
    }
    common->head = std::make_unique<PlaceIndex>(c.data.sections(), nullptr);
    std::unique_ptr<IndexParts> parts(new IndexParts);
    parts->parts_.resize(c.directory.size());
    parts->common_ = std::move(common);
    return parts;
}

std::uint32_t IndexParts::partCount() const
{
    return static_cast<std::uint32_t>(parts_.size());
}

bool IndexParts::hasPart(std::uint32_t number) const
{
    return number < parts_.size() && parts_[number] != nullptr;
}

bool IndexParts::addPart(std::uint32_t number, std::span<const unsigned char> bytes,
                         std::string& error)
{
    const PartContents& c = common_->contents;
    if (number >= parts_.size()) {
        error = "the atlas has no part " + std::to_string(number);
        return false;
    }
    // Another part (the table's number is in its header) says so before it is read.
    format::PartHeader header{};
    if (bytes.size() >= sizeof header) {
        std::memcpy(&header, bytes.data(), sizeof header);
        if (header.magic == format::kPartMagic && header.number != number) {
            error = "it is not part " + std::to_string(number);
            return false;
        }
    }
    const std::uint64_t expected = c.directory[number].bytes;
    if (bytes.size() < expected) {
        error = "it is cut short (" + std::to_string(bytes.size()) + " of " +
                std::to_string(expected) + " bytes)";
        return false;
    }
    PartContents read;
    if (!readPart(bytes, read, error))
        return false;
    if (read.header.atlasChecksum != c.header.atlasChecksum) {
        error = "it belongs to another build of the atlas";
        return false;
    }
    if (read.header.checksum != c.directory[number].checksum) {
        error = "it is not the part the atlas's table names";
        return false;
    }
    const IndexData& d = read.data;
    if (read.header.commonTexts != c.data.strings.size() || !d.countries.empty() ||
        !d.regions.empty() || !d.zones.empty() || !read.directory.empty() ||
        read.placeIds.size() != d.places.size() ||
        (!d.strings.empty() && !endsWithNul(d.strings))) {
        error = "it is damaged (its sections do not fit the common part)";
        return false;
    }
    auto part = std::make_unique<Part>();
    part->data.strings.reserve(c.data.strings.size() + d.strings.size());
    part->data.strings = c.data.strings;
    part->data.strings.insert(part->data.strings.end(), d.strings.begin(), d.strings.end());
    part->data.countries = c.data.countries;
    part->data.regions = c.data.regions;
    part->data.zones = c.data.zones;
    part->data.places = std::move(read.data.places);
    part->data.entries = std::move(read.data.entries);
    part->data.topPrefixes = std::move(read.data.topPrefixes);
    part->data.topHits = std::move(read.data.topHits);
    part->placeIds = std::move(read.placeIds);
    if (const std::string why = checkSections(part->data.sections()); !why.empty()) {
        error = "it is damaged (" + why + ")";
        return false;
    }
    part->index = std::make_unique<PlaceIndex>(part->data.sections(), nullptr);
    parts_[number] = std::move(part);
    if (merged_ && merged_->parts.first <= number && number <= merged_->parts.last)
        merged_.reset();
    return true;
}

IndexParts::Route IndexParts::route(const PlaceQuery& query, std::size_t limit) const
{
    Route route;
    if (query.matchesNothing || limit == 0) {
        route.nothing = true;
        return route;
    }
    route.parts = partsOfKey(common_->firstKeys, query.key);
    if (route.parts.single())
        return route;
    // A key shorter than the letters its entries were split by: its ranking was stored
    // whole, and a gap after it asks only for the entries of the key itself and of the
    // names that go on with another word, which lie together in the first part.
    if (query.filters.empty() && !query.wholeWord) {
        for (const format::TopPrefixRecord& top : common_->contents.data.topPrefixes)
            if (prefixOf(top) == query.key && top.count >= limit) {
                route.head = true;
                return route;
            }
    }
    if (query.wholeWord)
        route.parts.last = route.parts.first;
    return route;
}

std::vector<std::uint32_t> IndexParts::missingParts(std::string_view text, std::size_t limit) const
{
    const Route r = route(parsePlaceQuery(text), limit);
    std::vector<std::uint32_t> missing;
    if (r.nothing || r.head)
        return missing;
    for (std::uint32_t number = r.parts.first; number <= r.parts.last; ++number)
        if (!hasPart(number))
            missing.push_back(number);
    return missing;
}

IndexParts::Found IndexParts::find(std::string_view text, std::size_t limit) const
{
    const Route r = route(parsePlaceQuery(text), limit);
    if (r.nothing)
        return {common_->head.get(), {}};
    if (r.head)
        return {common_->head.get(), findPlaces(*common_->head, text, limit)};
    for (std::uint32_t number = r.parts.first; number <= r.parts.last; ++number)
        if (!hasPart(number))
            return {};
    const PlaceIndex* index =
        r.parts.single() ? parts_[r.parts.first]->index.get() : merged(r.parts);
    return {index, findPlaces(*index, text, limit)};
}

// The parts joined into one index: their entries one after another (each part's keys
// follow the one before's), their places once each in the whole index's order.
const PlaceIndex* IndexParts::merged(PartRange range) const
{
    if (merged_ && merged_->parts.first == range.first && merged_->parts.last == range.last)
        return merged_->index.get();
    merged_.reset();
    auto join = std::make_unique<Merged>();
    join->parts = range;
    IndexData& m = join->data;
    const IndexData& c = common_->contents.data;
    m.strings = c.strings;
    m.countries = c.countries;
    m.regions = c.regions;
    m.zones = c.zones;

    // Each place once, by its number in the whole index: (number, part, place in it).
    std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>> places;
    for (std::uint32_t number = range.first; number <= range.last; ++number)
        for (std::uint32_t local = 0; local < parts_[number]->placeIds.size(); ++local)
            places.emplace_back(parts_[number]->placeIds[local], number, local);
    std::sort(places.begin(), places.end());
    std::vector<std::vector<std::uint32_t>> placeOf(range.last - range.first + 1);
    for (std::uint32_t number = range.first; number <= range.last; ++number)
        placeOf[number - range.first].resize(parts_[number]->placeIds.size());

    // A part's own texts follow the common ones: where they start in the join.
    const std::uint64_t commonTexts = c.strings.size();
    std::vector<std::uint64_t> shift;
    for (std::uint32_t number = range.first; number <= range.last; ++number) {
        const std::vector<char>& texts = parts_[number]->data.strings;
        shift.push_back(m.strings.size() - commonTexts);
        m.strings.insert(m.strings.end(), texts.begin() + static_cast<std::ptrdiff_t>(commonTexts),
                         texts.end());
    }
    const auto shifted = [&](std::uint32_t offset, std::uint32_t number) {
        return offset < commonTexts
                   ? offset
                   : static_cast<std::uint32_t>(offset + shift[number - range.first]);
    };
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto [id, number, local] = places[i];
        if (i > 0 && std::get<0>(places[i - 1]) == id) {
            placeOf[number - range.first][local] =
                placeOf[std::get<1>(places[i - 1]) - range.first][std::get<2>(places[i - 1])];
            continue;
        }
        format::PlaceRecord record = parts_[number]->data.places[local];
        record.name = shifted(record.name, number);
        placeOf[number - range.first][local] = static_cast<std::uint32_t>(m.places.size());
        m.places.push_back(record);
    }
    for (std::uint32_t number = range.first; number <= range.last; ++number)
        for (format::EntryRecord entry : parts_[number]->data.entries) {
            const std::uint32_t flags = entry.place & ~format::kPlaceMask;
            entry.place = placeOf[number - range.first][entry.place & format::kPlaceMask] | flags;
            entry.name = shifted(entry.name, number);
            m.entries.push_back(entry);
        }
    join->index = std::make_unique<PlaceIndex>(m.sections(), nullptr);
    merged_ = std::move(join);
    return merged_->index.get();
}

} // namespace atlas
