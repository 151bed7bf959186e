// Splits the index into the web page's parts (atlas/IndexParts.h): the entries, in the
// index's order, are cut into ranges of folded keys that begin with the same letters.
// Letters are grouped while a part stays within its size; a letter whose entries alone
// are more is cut again by its second letter, and so on. The keys such a cut reaches
// over keep their ranking whole in the common part.
#include "atlas/Fold.h"
#include "atlas/IndexParts.h"
#include "atlas/PartFile.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace atlas {
namespace {

// Bytes of a folded key kept to group the entries by: more letters than any cut reaches.
constexpr std::size_t kGroupKeyBytes = 24;

// A place costs its record and its number; an entry its record.
constexpr std::size_t kPlaceBytes = sizeof(format::PlaceRecord) + sizeof(std::uint32_t);
constexpr std::size_t kEntryBytes = sizeof(format::EntryRecord);

bool continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The first letters of the entry's folded text, whole code points only.
std::string groupKey(const char* text)
{
    FoldedReader reader(text);
    std::string key;
    while (true) {
        const unsigned char byte = reader.next();
        if (byte == 0)
            return key;
        if (key.size() >= kGroupKeyBytes && !continuation(static_cast<char>(byte)))
            return key;
        key += static_cast<char>(byte);
    }
}

// The first count code points of a key, or the whole key when it has fewer.
std::string_view codePoints(std::string_view key, std::size_t count)
{
    std::size_t seen = 0;
    std::size_t end = 0;
    for (; end < key.size(); ++end) {
        if (continuation(key[end]))
            continue;
        if (seen == count)
            break;
        ++seen;
    }
    return key.substr(0, end);
}

std::size_t codePointCount(std::string_view key)
{
    return static_cast<std::size_t>(
        std::count_if(key.begin(), key.end(), [](char b) { return !continuation(b); }));
}

// The whole name an entry's word lies in.
std::uint32_t nameStart(std::span<const char> strings, std::uint32_t word)
{
    while (word > 0 && strings[word - 1] != '\0')
        --word;
    return word;
}

std::uint64_t indexChecksum(const IndexSections& s)
{
    std::uint64_t hash = format::Checksum(nullptr, 0);
    const auto add = [&hash](auto records) {
        hash = format::Checksum(reinterpret_cast<const unsigned char*>(records.data()),
                                records.size_bytes(), hash);
    };
    add(s.strings);
    add(s.countries);
    add(s.regions);
    add(s.zones);
    add(s.places);
    add(s.entries);
    add(s.topPrefixes);
    add(s.topHits);
    return hash;
}

// A run of entries whose keys begin alike, and the key a part that starts with it begins at.
struct Run
{
    std::size_t first = 0;
    std::size_t end = 0;
    std::string key;
    bool divisible = false; // its keys go on past the key: it can be cut by one more letter
};

struct PlannedPart
{
    std::string firstKey;
    std::size_t first = 0;
    std::size_t end = 0;
};

class Splitter
{
public:
    Splitter(const PlaceIndex& index, std::size_t partBytes)
        : index(index), s(index.sections()), partBytes(partBytes)
    {
        keys.reserve(s.entries.size());
        for (const format::EntryRecord& entry : s.entries)
            keys.push_back(groupKey(s.strings.data() + entry.name));
    }

    bool plan(std::string& error)
    {
        if (!cut(0, keys.size(), 1, {}, error))
            return false;
        if (planned.empty()) {
            error = "the index has no entries";
            return false;
        }
        planned.front().firstKey.clear();
        for (std::size_t i = 0; i < planned.size(); ++i) {
            const PlannedPart& part = planned[i];
            if (part.firstKey.size() > format::kPartKeyBytes) {
                error = "a part's first key is too long: " + part.firstKey;
                return false;
            }
            // Every entry lies between its part's first key and the next part's.
            for (std::size_t e = part.first; e < part.end; ++e)
                if (keys[e] < part.firstKey ||
                    (i + 1 < planned.size() && !(keys[e] < planned[i + 1].firstKey))) {
                    error = "the parts' keys overlap at " + keys[e];
                    return false;
                }
        }
        return true;
    }

    std::vector<PartFile> write()
    {
        const std::uint64_t atlasChecksum = indexChecksum(s);
        PartContents common;
        common.header.number = format::kCommonPart;
        common.header.atlasChecksum = atlasChecksum;
        TextCopies commonTexts(s, common.data.strings, 0);
        for (format::CountryRecord country : s.countries) {
            country.name = commonTexts.add(country.name);
            country.otherNames = commonTexts.add(country.otherNames);
            common.data.countries.push_back(country);
        }
        for (format::RegionRecord region : s.regions) {
            region.name = commonTexts.add(region.name);
            region.code = commonTexts.add(region.code);
            common.data.regions.push_back(region);
        }
        for (format::ZoneRecord zone : s.zones) {
            zone.id = commonTexts.add(zone.id);
            common.data.zones.push_back(zone);
        }
        writeHead(common, commonTexts);

        std::vector<std::string> firstKeys;
        for (const PlannedPart& part : planned)
            firstKeys.push_back(part.firstKey);
        std::vector<PartFile> files(1);
        for (std::uint32_t number = 0; number < planned.size(); ++number) {
            PartContents part =
                partContents(planned[number], number, firstKeys, common.data.strings.size());
            part.header.atlasChecksum = atlasChecksum;
            files.push_back({partFileName(number), writePart(part)});
            format::DirectoryRecord record{};
            std::copy(planned[number].firstKey.begin(), planned[number].firstKey.end(),
                      record.firstKey.begin());
            record.checksum = part.header.checksum;
            record.bytes = files.back().bytes.size();
            common.directory.push_back(record);
        }
        files.front() = {partFileName(format::kCommonPart), writePart(common)};
        return files;
    }

private:
    // Texts of the index copied once each into a part's texts, whole names at a time;
    // offsets in the copy count from base, where the part's texts begin.
    class TextCopies
    {
    public:
        TextCopies(const IndexSections& s, std::vector<char>& texts, std::uint64_t base)
            : s(s), texts(texts), base(base)
        {
        }

        // Where the text at the index's offset lies in the copy; inside a name, as far in.
        std::uint32_t add(std::uint32_t offset)
        {
            const std::uint32_t start = nameStart(s.strings, offset);
            const auto [found, added] = copies.try_emplace(start, 0);
            if (added) {
                found->second = static_cast<std::uint32_t>(base + texts.size());
                const char* text = s.strings.data() + start;
                texts.insert(texts.end(), text, text + std::strlen(text) + 1);
            }
            return found->second + (offset - start);
        }

    private:
        const IndexSections& s;
        std::vector<char>& texts;
        std::uint64_t base;
        std::unordered_map<std::uint32_t, std::uint32_t> copies;
    };

    // A part's places: the index's, in its order, each numbered within the part.
    struct PlaceCopies
    {
        std::vector<std::uint32_t> ids;
        std::unordered_map<std::uint32_t, std::uint32_t> local;

        void number()
        {
            std::sort(ids.begin(), ids.end());
            ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
            for (std::uint32_t i = 0; i < ids.size(); ++i)
                local[ids[i]] = i;
        }
    };

    // The bytes a range of entries brings: entries, places and the names they need.
    [[nodiscard]] std::size_t bytesOf(std::size_t first, std::size_t end) const
    {
        std::unordered_set<std::uint32_t> places;
        std::unordered_set<std::uint32_t> names;
        std::size_t bytes = (end - first) * kEntryBytes;
        const auto addName = [&](std::uint32_t start) {
            if (names.insert(start).second)
                bytes += std::strlen(s.strings.data() + start) + 1;
        };
        for (std::size_t e = first; e < end; ++e) {
            const std::uint32_t place = s.entries[e].place & format::kPlaceMask;
            addName(nameStart(s.strings, s.entries[e].name));
            if (places.insert(place).second) {
                bytes += kPlaceBytes;
                addName(s.places[place].name);
            }
        }
        return bytes;
    }

    // The runs of [first, end) at depth letters. The entries of the key before them
    // (depth - 1 letters) and of the names that go on with another word after it come
    // first and stay together: a text ending with a gap asks for both.
    [[nodiscard]] std::vector<Run> runs(std::size_t first, std::size_t end, std::size_t depth,
                                        std::string_view parentKey) const
    {
        std::vector<Run> found;
        for (std::size_t e = first; e < end;) {
            const std::string_view key = codePoints(keys[e], depth);
            std::size_t next = e + 1;
            while (next < end && codePoints(keys[next], depth) == key)
                ++next;
            const bool whole = codePointCount(key) == depth && key.back() != ' ';
            const std::string runKey(whole ? key : parentKey);
            if (!found.empty() && found.back().key == runKey)
                found.back().end = next;
            else
                found.push_back({e, next, runKey, whole});
            e = next;
        }
        return found;
    }

    bool cut(std::size_t first, std::size_t end, std::size_t depth, std::string_view parentKey,
             std::string& error)
    {
        PlannedPart current;
        std::size_t currentBytes = 0;
        const auto flush = [&] {
            if (current.end > current.first)
                planned.push_back(current);
            current = {};
            currentBytes = 0;
        };
        for (const Run& run : runs(first, end, depth, parentKey)) {
            const std::size_t bytes = bytesOf(run.first, run.end);
            if (bytes > partBytes && run.divisible) {
                flush();
                spanning.push_back(run.key);
                if (!cut(run.first, run.end, depth + 1, run.key, error))
                    return false;
                continue;
            }
            if (currentBytes > 0 && currentBytes + bytes > partBytes)
                flush();
            if (current.end == current.first)
                current = {run.key, run.first, run.first};
            current.end = run.end;
            currentBytes += bytes;
        }
        flush();
        return true;
    }

    // The rankings of the keys that reach over several parts, with their places and names.
    void writeHead(PartContents& common, TextCopies& texts) const
    {
        std::vector<std::string> keysCut = spanning;
        std::sort(keysCut.begin(), keysCut.end());
        std::vector<std::vector<PlaceHit>> rankings;
        PlaceCopies places;
        for (const std::string& key : keysCut) {
            if (key.size() > sizeof(format::TopPrefixRecord::prefix))
                continue; // too long to store: the page joins its parts instead
            rankings.push_back(rankByScan(index, key, kMaxRows));
            for (const PlaceHit& hit : rankings.back())
                places.ids.push_back(hit.id);
        }
        places.number();
        for (const std::uint32_t id : places.ids) {
            format::PlaceRecord record = s.places[id];
            record.name = texts.add(record.name);
            common.data.places.push_back(record);
            common.placeIds.push_back(id);
        }
        std::size_t ranking = 0;
        for (const std::string& key : keysCut) {
            if (key.size() > sizeof(format::TopPrefixRecord::prefix))
                continue;
            format::TopPrefixRecord top{};
            std::copy(key.begin(), key.end(), top.prefix.begin());
            top.first = static_cast<std::uint32_t>(common.data.topHits.size());
            top.count = static_cast<std::uint32_t>(rankings[ranking].size());
            for (const PlaceHit& hit : rankings[ranking])
                common.data.topHits.push_back({places.local.at(hit.id), otherName(hit, texts)});
            common.data.topPrefixes.push_back(top);
            ++ranking;
        }
    }

    [[nodiscard]] std::uint32_t otherName(const PlaceHit& hit, TextCopies& texts) const
    {
        if (hit.otherName.empty())
            return format::kNoOtherName;
        return texts.add(static_cast<std::uint32_t>(hit.otherName.data() - s.strings.data()));
    }

    [[nodiscard]] PartContents partContents(const PlannedPart& planned, std::uint32_t number,
                                            const std::vector<std::string>& firstKeys,
                                            std::uint64_t commonTexts) const
    {
        PartContents part;
        part.header.number = number;
        part.header.commonTexts = commonTexts;
        TextCopies texts(s, part.data.strings, commonTexts);
        PlaceCopies places;
        for (std::size_t e = planned.first; e < planned.end; ++e)
            places.ids.push_back(s.entries[e].place & format::kPlaceMask);
        places.number();
        for (const std::uint32_t id : places.ids) {
            format::PlaceRecord record = s.places[id];
            record.name = texts.add(record.name);
            part.data.places.push_back(record);
            part.placeIds.push_back(id);
        }
        for (std::size_t e = planned.first; e < planned.end; ++e) {
            format::EntryRecord entry = s.entries[e];
            const std::uint32_t flags = entry.place & ~format::kPlaceMask;
            entry.place = places.local.at(entry.place & format::kPlaceMask) | flags;
            entry.name = texts.add(entry.name);
            part.data.entries.push_back(entry);
        }
        // The index's stored rankings of keys whose entries all lie in this part.
        for (const format::TopPrefixRecord& stored : s.topPrefixes) {
            const std::string_view prefix(stored.prefix.data(),
                                          strnlen(stored.prefix.data(), stored.prefix.size()));
            const PartRange range = partsOfKey(firstKeys, prefix);
            if (!range.single() || range.first != number)
                continue;
            format::TopPrefixRecord top = stored;
            top.first = static_cast<std::uint32_t>(part.data.topHits.size());
            for (const format::HitRecord& hit : s.topHits.subspan(stored.first, stored.count))
                part.data.topHits.push_back(
                    {places.local.at(hit.place), hit.otherName == format::kNoOtherName
                                                     ? format::kNoOtherName
                                                     : texts.add(hit.otherName)});
            part.data.topPrefixes.push_back(top);
        }
        return part;
    }

    const PlaceIndex& index;
    const IndexSections& s;
    std::size_t partBytes;
    std::vector<std::string> keys; // each entry's first letters, in the entries' order
    std::vector<PlannedPart> planned;
    std::vector<std::string> spanning; // keys whose entries were cut into several parts
};

} // namespace

std::vector<PartFile> splitIndex(const PlaceIndex& index, std::size_t partBytes, std::string& error)
{
    Splitter splitter(index, partBytes);
    if (!splitter.plan(error))
        return {};
    return splitter.write();
}

} // namespace atlas
