#include "atlas/PlaceSearch.h"

#include "atlas/Fold.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

namespace atlas {
namespace {

using format::EntryRecord;

// -1, 0 or 1 as the key text at offset sorts before, begins with, or sorts
// after the prefix. The key section ends in NUL, so this stops inside it.
int comparePrefix(const char* keys, std::uint32_t offset, std::string_view prefix)
{
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const auto k = static_cast<unsigned char>(keys[offset + i]);
        const auto p = static_cast<unsigned char>(prefix[i]);
        if (k != p)
            return k < p ? -1 : 1; // the key's end (NUL) sorts first
    }
    return 0;
}

std::span<const EntryRecord> entriesBeginning(const PlaceIndex& index, std::string_view prefix)
{
    const auto& entries = index.sections().entries;
    const char* keys = index.sections().keys.data();
    const auto first = std::partition_point(entries.begin(), entries.end(), [&](const auto& e) {
        return comparePrefix(keys, e.key, prefix) < 0;
    });
    const auto last = std::partition_point(first, entries.end(), [&](const auto& e) {
        return comparePrefix(keys, e.key, prefix) == 0;
    });
    return {first, last};
}

// The places a text after a comma admits: those whose country or region it names.
class PlaceFilter
{
public:
    PlaceFilter(const PlaceIndex& index, const std::vector<std::string>& parts) : index(index)
    {
        const IndexSections& s = index.sections();
        for (const std::string& part : parts) {
            Allowed allowed{std::vector<bool>(s.countries.size()),
                            std::vector<bool>(s.regions.size())};
            for (std::size_t c = 0; c < s.countries.size(); ++c) {
                const auto& country = s.countries[c];
                const std::string code(country.code.data(), country.code.size());
                allowed.countries[c] = names(part, index.text(country.name), code);
            }
            for (std::size_t r = 0; r < s.regions.size(); ++r) {
                const auto& region = s.regions[r];
                allowed.regions[r] = names(part, index.text(region.name), index.text(region.code));
            }
            rules.push_back(std::move(allowed));
        }
    }

    [[nodiscard]] bool admits(PlaceId id) const
    {
        const format::PlaceRecord& place = index.sections().places[id];
        return std::all_of(rules.begin(), rules.end(), [&](const Allowed& allowed) {
            return allowed.countries[place.country] ||
                   (place.region != format::kNoRegion && allowed.regions[place.region]);
        });
    }

private:
    struct Allowed
    {
        std::vector<bool> countries;
        std::vector<bool> regions;
    };

    // The folded part begins a word of the name, or is the whole code.
    static bool names(const std::string& part, std::string_view name, std::string_view code)
    {
        if (foldText(code).key == part)
            return true;
        const FoldedText folded = foldText(name);
        return std::any_of(folded.wordStarts.begin(), folded.wordStarts.end(), [&](auto start) {
            return folded.key.compare(start, part.size(), part) == 0;
        });
    }

    const PlaceIndex& index;
    std::vector<Allowed> rules;
};

struct Query
{
    std::string key;        // folded text before the first comma
    bool wholeWord = false; // a gap followed it: the matched word must end there
    std::vector<std::string> filters;
    bool matchesNothing = false;
};

Query parseQuery(std::string_view text)
{
    Query query;
    const std::size_t comma = text.find(',');
    const FoldedText name = foldText(text.substr(0, comma));
    query.key = name.key;
    query.wholeWord = name.endsWithGap;
    query.matchesNothing = !name.latin || name.key.empty();
    while (comma != std::string_view::npos && !query.matchesNothing) {
        text.remove_prefix(text.find(',') + 1);
        const std::size_t next = text.find(',');
        const FoldedText filter = foldText(text.substr(0, next));
        if (!filter.latin)
            query.matchesNothing = true;
        else if (!filter.key.empty())
            query.filters.push_back(filter.key);
        if (next == std::string_view::npos)
            break;
    }
    return query;
}

// How well a place matches: its whole name (its own or another), a word of its
// own name, or only a word of another name. Lower is better.
enum Tier : std::uint8_t { WholeName, OwnWord, OtherWord, NoMatch };

Tier tierOf(const EntryRecord& entry, char after)
{
    if (after == '\0' && (entry.place & format::kWholeKey) != 0)
        return WholeName;
    return (entry.place & format::kOwnName) != 0 ? OwnWord : OtherWord;
}

// Ranks a range of entries by tier, then by place id, which orders towns
// before districts and the populous first.
std::vector<PlaceId> rankEntries(const PlaceIndex& index, std::span<const EntryRecord> range,
                                 std::size_t length, bool wholeWord, const PlaceFilter* filter,
                                 std::size_t limit)
{
    const char* keys = index.sections().keys.data();
    std::vector<Tier> best(index.placeCount(), NoMatch);
    std::vector<PlaceId> found;
    for (const EntryRecord& entry : range) {
        const PlaceId id = entry.place & format::kPlaceMask;
        const char after = keys[entry.key + length];
        if (wholeWord && after != '\0' && after != ' ')
            continue;
        if (filter != nullptr && !filter->admits(id))
            continue;
        const Tier tier = tierOf(entry, after);
        if (best[id] == NoMatch)
            found.push_back(id);
        best[id] = std::min(best[id], tier);
    }
    const auto before = [&](PlaceId a, PlaceId b) {
        return best[a] != best[b] ? best[a] < best[b] : a < b;
    };
    const std::size_t wanted = std::min(found.size(), limit);
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(wanted),
                      found.end(), before);
    found.resize(wanted);
    return found;
}

// The stored ranking of a key, if the index has one.
const format::TopPrefixRecord* storedRanking(const PlaceIndex& index, std::string_view key)
{
    const auto& tops = index.sections().topPrefixes;
    if (key.size() > sizeof(format::TopPrefixRecord::prefix))
        return nullptr;
    const auto prefixOf = [](const format::TopPrefixRecord& top) {
        return std::string_view(top.prefix.data(), strnlen(top.prefix.data(), top.prefix.size()));
    };
    const auto found = std::lower_bound(tops.begin(), tops.end(), key,
                                        [&](const auto& top, auto k) { return prefixOf(top) < k; });
    return found != tops.end() && prefixOf(*found) == key ? &*found : nullptr;
}

} // namespace

std::vector<PlaceId> rankByScan(const PlaceIndex& index, std::string_view key, std::size_t limit)
{
    return rankEntries(index, entriesBeginning(index, key), key.size(), false, nullptr, limit);
}

std::vector<PlaceId> searchPlaces(const PlaceIndex& index, std::string_view text, std::size_t limit)
{
    const Query query = parseQuery(text);
    if (query.matchesNothing || limit == 0)
        return {};
    if (query.filters.empty() && !query.wholeWord) {
        if (const auto* top = storedRanking(index, query.key);
            top != nullptr && top->count >= limit) {
            const auto& places = index.sections().topPlaces;
            const auto first = places.begin() + top->first;
            return {first, first + static_cast<std::ptrdiff_t>(limit)};
        }
    }
    const auto range = entriesBeginning(index, query.key);
    if (range.empty())
        return {};
    const PlaceFilter filter(index, query.filters);
    return rankEntries(index, range, query.key.size(), query.wholeWord,
                       query.filters.empty() ? nullptr : &filter, limit);
}

} // namespace atlas
