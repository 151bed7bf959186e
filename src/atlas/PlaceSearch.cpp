#include "atlas/PlaceSearch.h"

#include "atlas/Fold.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <tuple>
#include <utility>

namespace atlas {
namespace {

using format::EntryRecord;

// How a stored name's folded text, from a word on, compares with a folded key.
struct KeyComparison
{
    int order;          // -1, 0 or 1: sorts before, begins with, sorts after the key
    unsigned char next; // when it begins with it: the byte after (0 at the end, ' ' before a word)
};

KeyComparison compareKey(const char* text, std::string_view key)
{
    FoldedReader reader(text);
    for (const char k : key) {
        const unsigned char b = reader.next();
        const auto wanted = static_cast<unsigned char>(k);
        if (b != wanted)
            return {b < wanted ? -1 : 1, 0}; // the text's end (0) sorts first
    }
    return {0, reader.next()};
}

// The entries whose folded text begins with the key, in three parts: those
// that are the key itself, then those where another word follows it, then
// those where its last word goes on. The entries are sorted by folded text,
// and no folded byte sorts between the end (0) and a space.
struct KeyRange
{
    std::span<const EntryRecord> entries;
    std::size_t exact = 0;    // entries [0, exact): the key itself
    std::size_t wordEnds = 0; // entries [0, wordEnds): the key's last word ends there (asked for)
};

KeyRange entriesBeginning(const PlaceIndex& index, std::string_view key, bool wholeWord)
{
    const auto& entries = index.sections().entries;
    const char* strings = index.sections().strings.data();
    const auto compare = [&](const EntryRecord& e) { return compareKey(strings + e.name, key); };
    const auto first = std::partition_point(entries.begin(), entries.end(),
                                            [&](const auto& e) { return compare(e).order < 0; });
    const auto last = std::partition_point(first, entries.end(),
                                           [&](const auto& e) { return compare(e).order == 0; });
    const auto exact =
        std::partition_point(first, last, [&](const auto& e) { return compare(e).next == 0; });
    // Only a text that ends with a gap asks where the word ends.
    const auto wordEnds =
        wholeWord ? std::partition_point(exact, last,
                                         [&](const auto& e) { return compare(e).next == ' '; })
                  : last;
    return {{first, last},
            static_cast<std::size_t>(exact - first),
            static_cast<std::size_t>(wordEnds - first)};
}

// The folded part begins a word of the folded name.
bool beginsAWord(const FoldedText& name, std::string_view part)
{
    return std::any_of(name.wordStarts.begin(), name.wordStarts.end(),
                       [&](auto start) { return name.key.compare(start, part.size(), part) == 0; });
}

// The places the texts after a comma admit: those whose country or region
// each names. Each country and region is looked at only when a place of it
// comes up, and then once.
class PlaceFilter
{
public:
    PlaceFilter(const PlaceIndex& index, const std::vector<std::string>& parts)
        : index(index), parts(parts)
    {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            countries.emplace_back(index.sections().countries.size(), Unknown);
            regions.emplace_back(index.sections().regions.size(), Unknown);
        }
    }

    [[nodiscard]] bool admits(PlaceId id)
    {
        const format::PlaceRecord& place = index.sections().places[id];
        for (std::size_t part = 0; part < parts.size(); ++part) {
            if (!countryNamed(part, place.country) &&
                (place.region == format::kNoRegion || !regionNamed(part, place.region)))
                return false;
        }
        return true;
    }

private:
    enum Answer : std::uint8_t { Unknown, No, Yes };

    bool countryNamed(std::size_t part, std::uint16_t country)
    {
        Answer& answer = countries[part][country];
        if (answer == Unknown) {
            const auto& record = index.sections().countries[country];
            const std::string code(record.code.data(), record.code.size());
            bool named = names(parts[part], index.text(record.name), code);
            std::string_view others = index.text(record.otherNames);
            while (!named && !others.empty()) {
                const std::size_t end = std::min(others.find(';'), others.size());
                named = names(parts[part], others.substr(0, end), {});
                others.remove_prefix(std::min(end + 1, others.size()));
            }
            answer = named ? Yes : No;
        }
        return answer == Yes;
    }

    bool regionNamed(std::size_t part, std::uint32_t region)
    {
        Answer& answer = regions[part][region];
        if (answer == Unknown) {
            const auto& record = index.sections().regions[region];
            answer =
                names(parts[part], index.text(record.name), index.text(record.code)) ? Yes : No;
        }
        return answer == Yes;
    }

    // The folded part begins a word of the name, or is the whole code.
    static bool names(const std::string& part, std::string_view name, std::string_view code)
    {
        return (!code.empty() && foldText(code).key == part) || beginsAWord(foldText(name), part);
    }

    const PlaceIndex& index;
    const std::vector<std::string>& parts;
    std::vector<std::vector<Answer>> countries; // by part, then country index
    std::vector<std::vector<Answer>> regions;   // by part, then region index
};

// Where the next comma (ASCII or full-width) begins, and its length.
std::pair<std::size_t, std::size_t> findComma(std::string_view text)
{
    constexpr std::string_view fullWidthComma = "\xEF\xBC\x8C"; // U+FF0C
    const std::size_t ascii = text.find(',');
    const std::size_t wide = text.substr(0, ascii).find(fullWidthComma);
    if (wide != std::string_view::npos)
        return {wide, fullWidthComma.size()};
    return {ascii, 1};
}

// How well a place matches: its whole name (its own or another), a word of its
// own name, or only a word of another name. Lower is better.
enum Tier : std::uint8_t { WholeName, OwnWord, OtherWord };

// The whole name an entry's word lies in.
std::uint32_t nameStart(const IndexSections& s, std::uint32_t word)
{
    while (word > 0 && s.strings[word - 1] != '\0')
        --word;
    return word;
}

PlaceHit hitOf(const PlaceIndex& index, const EntryRecord& entry)
{
    const PlaceId id = entry.place & format::kPlaceMask;
    if ((entry.place & format::kOwnName) != 0)
        return {id, {}};
    return {id, index.text(nameStart(index.sections(), entry.name))};
}

// Ranks a range of entries by tier, then by place id, which orders towns
// before districts and the populous first; each place with the entry of its
// best tier, and of its names that match alike, the one the matched word
// starts (東京 rather than Toquio - 東京).
std::vector<PlaceHit> rankEntries(const PlaceIndex& index, const KeyRange& range, bool wholeWord,
                                  PlaceFilter* filter, std::size_t limit)
{
    struct Found
    {
        PlaceId id;
        std::uint8_t rank;   // tier * 2, plus one when the word does not start the name
        std::uint32_t entry; // in range.entries
    };
    // Each place's best rank so far, plus one; zero for a place not found yet.
    // A byte a place keeps it small enough to stay in the cache; it is kept
    // between a thread's searches and left all zero by each.
    thread_local std::vector<std::uint8_t> bestRank;
    if (bestRank.size() < index.placeCount())
        bestRank.resize(index.placeCount());

    const std::size_t end = wholeWord ? range.wordEnds : range.entries.size();
    std::vector<Found> found; // a row each time a place's rank improves
    for (std::size_t i = 0; i < end; ++i) {
        const EntryRecord& entry = range.entries[i];
        const PlaceId id = entry.place & format::kPlaceMask;
        const bool startsName = (entry.place & format::kWholeKey) != 0;
        const Tier tier = i < range.exact && startsName           ? WholeName
                          : (entry.place & format::kOwnName) != 0 ? OwnWord
                                                                  : OtherWord;
        const auto rank = static_cast<std::uint8_t>(tier * 2 + (startsName ? 0 : 1));
        std::uint8_t& best = bestRank[id];
        if (best != 0 && best <= rank + 1)
            continue;
        if (filter != nullptr && !filter->admits(id))
            continue;
        best = static_cast<std::uint8_t>(rank + 1);
        found.push_back({id, rank, static_cast<std::uint32_t>(i)});
    }
    // Each place's last row holds its best rank.
    std::erase_if(found, [&](const Found& f) { return f.rank + 1 != bestRank[f.id]; });
    for (const Found& place : found)
        bestRank[place.id] = 0;

    const auto before = [](const Found& a, const Found& b) {
        return a.rank / 2 != b.rank / 2 ? a.rank / 2 < b.rank / 2 : a.id < b.id;
    };
    const std::size_t wanted = std::min(found.size(), limit);
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(wanted),
                      found.end(), before);
    std::vector<PlaceHit> hits;
    hits.reserve(wanted);
    for (std::size_t i = 0; i < wanted; ++i)
        hits.push_back(hitOf(index, range.entries[found[i].entry]));
    return hits;
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

std::vector<PlaceHit> storedHits(const PlaceIndex& index, const format::TopPrefixRecord& top,
                                 std::size_t limit)
{
    std::vector<PlaceHit> hits;
    const auto stored =
        index.sections().topHits.subspan(top.first, std::min<std::size_t>(top.count, limit));
    for (const format::HitRecord& hit : stored)
        hits.push_back({hit.place, hit.otherName == format::kNoOtherName
                                       ? std::string_view()
                                       : index.text(hit.otherName)});
    return hits;
}

} // namespace

// No stored name folds longer than format::kLongestKey, so folding stops past
// it: a long text costs no more than one that long.
PlaceQuery parsePlaceQuery(std::string_view text)
{
    PlaceQuery query;
    auto [comma, commaLength] = findComma(text);
    const FoldedText name = foldText(text.substr(0, comma), format::kLongestKey);
    query.key = name.key;
    query.wholeWord = name.endsWithGap;
    query.matchesNothing = !name.valid || name.tooLong || name.key.empty();
    while (comma != std::string_view::npos && !query.matchesNothing &&
           query.filters.size() < kMaxFilterParts) {
        text.remove_prefix(comma + commaLength);
        std::tie(comma, commaLength) = findComma(text);
        const FoldedText filter = foldText(text.substr(0, comma), format::kLongestKey);
        if (!filter.valid || filter.tooLong)
            query.matchesNothing = true;
        else if (!filter.key.empty())
            query.filters.push_back(filter.key);
    }
    return query;
}

std::vector<PlaceHit> rankByScan(const PlaceIndex& index, std::string_view key, std::size_t limit)
{
    return rankEntries(index, entriesBeginning(index, key, false), false, nullptr, limit);
}

std::vector<PlaceHit> findPlaces(const PlaceIndex& index, std::string_view text, std::size_t limit)
{
    const PlaceQuery query = parsePlaceQuery(text);
    if (query.matchesNothing || limit == 0)
        return {};
    if (query.filters.empty() && !query.wholeWord) {
        if (const auto* top = storedRanking(index, query.key);
            top != nullptr && top->count >= limit)
            return storedHits(index, *top, limit);
    }
    const KeyRange range = entriesBeginning(index, query.key, query.wholeWord);
    if (range.entries.empty())
        return {};
    PlaceFilter filter(index, query.filters);
    return rankEntries(index, range, query.wholeWord, query.filters.empty() ? nullptr : &filter,
                       limit);
}

std::vector<PlaceId> searchPlaces(const PlaceIndex& index, std::string_view text, std::size_t limit)
{
    std::vector<PlaceId> ids;
    for (const PlaceHit& hit : findPlaces(index, text, limit))
        ids.push_back(hit.id);
    return ids;
}

std::string listedName(std::string_view name, std::string_view otherName)
{
    std::string listed(name);
    if (!otherName.empty())
        listed.append(" (also ").append(otherName).append(")");
    return listed;
}

} // namespace atlas
