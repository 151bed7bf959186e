// The web page's atlas in parts: split from the built index as the web build splits it,
// its search must list exactly what findPlaces lists over the whole index, in every
// family of text a user types, and a part that is damaged or foreign must be refused in
// words, never read.
#include "atlas/IndexParts.h"

#include "AtlasTestIndex.h"
#include "atlas/Fold.h"
#include "atlas/PartFile.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

namespace {

using atlas::IndexParts;
using atlas::PartFile;

const std::vector<PartFile>& builtParts()
{
    static const std::vector<PartFile> files = [] {
        std::string error;
        auto split = atlas::splitIndex(builtIndex(), atlas::kWebPartBytes, error);
        EXPECT_FALSE(split.empty()) << error;
        return split;
    }();
    return files;
}

// A few places, one a letter, split so that each letter is a part of its own: enough to
// spoil a part in every way, quickly.
const std::vector<PartFile>& smallParts()
{
    static const atlas::IndexData data = [] {
        atlas::IndexData d;
        const auto text = [&](const std::string& t) {
            const auto offset = static_cast<std::uint32_t>(d.strings.size());
            d.strings.insert(d.strings.end(), t.begin(), t.end());
            d.strings.push_back('\0');
            return offset;
        };
        d.countries.push_back({{'U', 'S'}, 0, text("United States"), text("USA")});
        d.regions.push_back({text("Illinois"), text("IL"), 0});
        d.zones.push_back({text("America/Chicago")});
        std::uint32_t id = 0;
        for (const char* name : {"Alton", "Bloomington", "Chicago", "Decatur", "Elgin"}) {
            d.places.push_back({41000000, -88000000, 100000 - id, text(name), 0, 0, 0, 0});
            d.entries.push_back(
                {d.places.back().name, id++ | atlas::format::kWholeKey | atlas::format::kOwnName});
        }
        return d;
    }();
    static const atlas::PlaceIndex index(data.sections(), nullptr);
    static const std::vector<PartFile> files = [] {
        std::string error;
        auto split = atlas::splitIndex(index, 64, error);
        EXPECT_EQ(split.size(), 6U) << error;
        return split;
    }();
    return files;
}

std::unique_ptr<IndexParts> openParts(const PartFile& common)
{
    std::string error;
    auto parts = IndexParts::open(common.bytes, error);
    EXPECT_NE(parts, nullptr) << error;
    return parts;
}

// A hit as a user sees it: the place's listed name and where it lies.
std::string shown(const atlas::PlaceIndex& index, const atlas::PlaceHit& hit)
{
    const atlas::Place place = index.place(hit.id);
    return atlas::listedName(place.name, hit.otherName) + " | " + place.region + " | " +
           place.countryCode + " | " + place.zoneId + " | " + std::to_string(place.latitudeMicro) +
           "," + std::to_string(place.longitudeMicro) + " | " + std::to_string(place.population);
}

// Every text a sampled name is typed through, letter by letter, and the name itself.
void addPrefixes(const std::string& name, std::vector<std::string>& texts)
{
    for (std::size_t pos = 0; pos < name.size();) {
        atlas::nextCodePoint(name, pos);
        texts.push_back(name.substr(0, pos));
    }
}

// Every stride-th entry's whole name, from an offset: all scripts, in the index's share.
std::vector<std::string> sampledNames(std::size_t stride, std::size_t offset)
{
    const atlas::IndexSections& s = builtIndex().sections();
    std::vector<std::string> names;
    for (std::size_t e = offset; e < s.entries.size(); e += stride) {
        std::uint32_t start = s.entries[e].name;
        while (start > 0 && s.strings[start - 1] != '\0')
            --start;
        names.emplace_back(s.strings.data() + start);
    }
    return names;
}

// The first keys of the parts and every shorter key they begin with: where the split
// cut, and the keys that reach over several parts.
std::vector<std::string> cutKeys()
{
    const auto parts = openParts(builtParts().front());
    std::vector<std::string> keys;
    atlas::PartContents common;
    std::string error;
    EXPECT_TRUE(atlas::readPart(builtParts().front().bytes, common, error)) << error;
    for (const auto& part : common.directory)
        addPrefixes(std::string(part.firstKey.data(), strnlen(part.firstKey.data(), 16)), keys);
    return keys;
}

struct TextFamily
{
    const char* name;
    std::function<std::vector<std::string>()> texts;
    std::vector<std::size_t> limits;
    bool findsPlaces = true; // the family's texts find places: rows are compared
};

void PrintTo(const TextFamily& family, std::ostream* os)
{
    *os << family.name;
}

class PartsSearchTest : public ::testing::TestWithParam<TextFamily>
{
};

TEST_P(PartsSearchTest, ListsWhatTheWholeIndexLists)
{
    const auto parts = openParts(builtParts().front());
    std::size_t compared = 0;
    const std::vector<std::string> texts = GetParam().texts();
    for (const std::string& text : texts) {
        for (const std::size_t limit : GetParam().limits) {
            for (const std::uint32_t number : parts->missingParts(text, limit)) {
                std::string error;
                ASSERT_TRUE(parts->addPart(number, builtParts()[number + 1].bytes, error)) << error;
            }
            const IndexParts::Found found = parts->find(text, limit);
            ASSERT_NE(found.index, nullptr) << "a part is missing for \"" << text << '"';
            const auto expected = atlas::findPlaces(builtIndex(), text, limit);
            ASSERT_EQ(found.hits.size(), expected.size()) << '"' << text << "\", limit " << limit;
            for (std::size_t i = 0; i < expected.size(); ++i)
                ASSERT_EQ(shown(*found.index, found.hits[i]), shown(builtIndex(), expected[i]))
                    << "row " << i << " of \"" << text << "\", limit " << limit;
            compared += expected.size();
        }
    }
    EXPECT_EQ(compared > 0, GetParam().findsPlaces) << compared << " rows";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PartsSearchTest,
    ::testing::Values(TextFamily{"PrefixesOfSampledNamesInEveryScript",
                                 [] {
                                     std::vector<std::string> texts;
                                     for (const std::string& name : sampledNames(631, 0))
                                         addPrefixes(name, texts);
                                     return texts;
                                 },
                                 {atlas::kMaxRows}},
                      TextFamily{"WhereThePartsWereCut",
                                 [] {
                                     std::vector<std::string> texts;
                                     for (const std::string& key : cutKeys())
                                         for (const char* after : {"", " ", ", u", ",ca", " , r"})
                                             texts.push_back(key + after);
                                     return texts;
                                 },
                                 {1, atlas::kMaxRows, atlas::kMaxRows + 1}},
                      TextFamily{"SampledNamesWithARegionOrCountry",
                                 [] {
                                     std::vector<std::string> texts;
                                     for (const std::string& name : sampledNames(4999, 17))
                                         for (const char* after : {", a", ", US", ",ind, b", " ,"})
                                             texts.push_back(name.substr(0, name.size() / 2) +
                                                             after);
                                     return texts;
                                 },
                                 {atlas::kMaxRows}},
                      TextFamily{"TextsThatFindNothing",
                                 [] {
                                     return std::vector<std::string>{
                                         "", " ", ",", "Par\xff", "qxzqxzq", std::string(500, 's')};
                                 },
                                 {0, atlas::kMaxRows},
                                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PartsSearch, EveryPlaceAndEveryEntryLiesInAPart)
{
    std::vector<bool> placed(builtIndex().placeCount());
    std::size_t entries = 0;
    for (std::size_t file = 1; file < builtParts().size(); ++file) {
        atlas::PartContents part;
        std::string error;
        ASSERT_TRUE(atlas::readPart(builtParts()[file].bytes, part, error)) << error;
        for (const std::uint32_t id : part.placeIds)
            placed.at(id) = true;
        entries += part.data.entries.size();
    }
    EXPECT_EQ(std::count(placed.begin(), placed.end(), false), 0);
    EXPECT_EQ(entries, builtIndex().sections().entries.size());
}

TEST(PartsSearch, FetchesOnlyTheOnePartATextBeginsIn)
{
    const auto parts = openParts(builtParts().front());
    // One letter cut by its second: the common part ranks it; two letters name one part.
    EXPECT_TRUE(parts->missingParts("s").empty());
    const auto spring = parts->missingParts("Spring");
    ASSERT_EQ(spring.size(), 1U);
    EXPECT_EQ(parts->missingParts("Springfield"), spring);
    EXPECT_EQ(parts->find("Spring").index, nullptr);
}

// A spoiling of the common part or of part 0, and the words that refuse it.
struct Spoiled
{
    const char* name;
    bool common; // the common part is spoiled, else part 0
    std::function<void(std::vector<unsigned char>&)> spoil;
    std::string why;
};

void PrintTo(const Spoiled& row, std::ostream* os)
{
    *os << row.name;
}

// Rewrites a part with its sections changed, its checksum made anew.
void rewrite(std::vector<unsigned char>& bytes,
             const std::function<void(atlas::PartContents&)>& change)
{
    atlas::PartContents part;
    std::string error;
    ASSERT_TRUE(atlas::readPart(bytes, part, error)) << error;
    change(part);
    bytes = atlas::writePart(part);
}

atlas::format::PartHeader headerOf(const std::vector<unsigned char>& bytes)
{
    atlas::format::PartHeader header{};
    std::memcpy(&header, bytes.data(), std::min(bytes.size(), sizeof header));
    return header;
}

// Makes the checksum fit the bytes again, whatever they now hold.
void resum(std::vector<unsigned char>& bytes)
{
    atlas::format::PartHeader header = headerOf(bytes);
    header.checksum =
        atlas::format::Checksum(bytes.data() + sizeof header, bytes.size() - sizeof header);
    std::memcpy(bytes.data(), &header, sizeof header);
}

class SpoiledPartTest : public ::testing::TestWithParam<Spoiled>
{
};

TEST_P(SpoiledPartTest, IsRefusedInWords)
{
    const Spoiled& row = GetParam();
    std::vector<unsigned char> common = smallParts()[0].bytes;
    std::vector<unsigned char> part = smallParts()[1].bytes;
    row.spoil(row.common ? common : part);
    if (!row.common) {
        // The common part names the spoiled part's checksum, so that the part's own
        // sections are what is checked.
        rewrite(common,
                [&](atlas::PartContents& c) { c.directory[0].checksum = headerOf(part).checksum; });
    }
    std::string error;
    auto parts = IndexParts::open(common, error);
    if (parts != nullptr && !row.common)
        EXPECT_FALSE(parts->addPart(0, part, error));
    else
        EXPECT_EQ(parts, nullptr);
    EXPECT_NE(error.find(row.why), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, SpoiledPartTest,
    ::testing::Values(
        Spoiled{"CutShort", false, [](auto& b) { b.resize(b.size() / 2); }, "it is cut short"},
        Spoiled{"ASectionBeyondTheEnd", false,
                [](auto& b) {
                    // The texts' size, in the table after the header: past any file.
                    b[sizeof(atlas::format::PartHeader) + 16 + 7] = 0x7F;
                    resum(b);
                },
                "its sections lie outside it"},
        Spoiled{"OnlyAHeader", true, [](auto& b) { b.resize(40); },
                "it is too short to be a part of the atlas"},
        Spoiled{"NotAPart", false, [](auto& b) { b[0] = 'X'; }, "it is not a part of the atlas"},
        Spoiled{"AnotherVersion", true, [](auto& b) { b[8] ^= 0x7F; },
                "it was made for another version of the page"},
        Spoiled{"AByteChanged", true, [](auto& b) { b[b.size() - 9] ^= 0x01; },
                "its checksum does not match"},
        Spoiled{"APartAsTheCommonPart", true, [](auto& b) { b = smallParts()[1].bytes; },
                "it is not the atlas's common part"},
        Spoiled{"AnotherPartsNumber", false, [](auto& b) { b = smallParts()[2].bytes; },
                "it is not part 0"},
        Spoiled{
            "AnotherBuild", false,
            [](auto& b) { rewrite(b, [](atlas::PartContents& p) { ++p.header.atlasChecksum; }); },
            "it belongs to another build of the atlas"},
        Spoiled{"AnEntryBeyondThePlaces", false,
                [](auto& b) {
                    rewrite(b, [](atlas::PartContents& p) { p.data.entries[0].place |= 0xFFFF; });
                },
                "a search entry refers outside the file"},
        Spoiled{"ANameBeyondTheTexts", false,
                [](auto& b) {
                    rewrite(b, [](atlas::PartContents& p) { p.data.places[0].name = 0x7FFFFFFF; });
                },
                "a place refers outside the file"},
        Spoiled{"TextsWithoutTheirEnd", false,
                [](auto& b) {
                    rewrite(b, [](atlas::PartContents& p) { p.data.strings.back() = 'x'; });
                },
                "its sections do not fit the common part"},
        Spoiled{"PartsOutOfOrder", true,
                [](auto& b) {
                    rewrite(b, [](atlas::PartContents& c) {
                        std::swap(c.directory[1], c.directory[2]);
                    });
                },
                "its table of parts is out of order"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpoiledPart, NoSingleChangedByteIsTakenOrReadOutside)
{
    const auto parts = openParts(smallParts().front());
    const std::vector<unsigned char>& whole = smallParts()[1].bytes;
    for (std::size_t at = 0; at < whole.size(); ++at) {
        std::vector<unsigned char> bytes = whole;
        bytes[at] ^= 0x5A;
        std::string error;
        EXPECT_FALSE(parts->addPart(0, bytes, error)) << "byte " << at;
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_TRUE(parts->addPart(0, whole, error)) << error;
}

} // namespace
