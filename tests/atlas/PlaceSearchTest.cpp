#include "atlas/PlaceSearch.h"

#include "AtlasTestIndex.h"
#include "atlas/Fold.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using atlas::searchPlaces;

struct ExpectedFirst
{
    const char* name;
    std::string query;
    std::string place;       // the first row's name
    std::string countryCode; // and country
    std::string region;      // and region, where it matters
};

void PrintTo(const ExpectedFirst& row, std::ostream* os)
{
    *os << '"' << row.query << '"';
}

class SearchFirstRowTest : public ::testing::TestWithParam<ExpectedFirst>
{
};

TEST_P(SearchFirstRowTest, ListsTheExpectedPlaceFirst)
{
    const ExpectedFirst& row = GetParam();
    const auto ids = searchPlaces(builtIndex(), row.query);
    ASSERT_FALSE(ids.empty());
    EXPECT_LE(ids.size(), atlas::kMaxRows);
    const atlas::Place first = builtIndex().place(ids.front());
    EXPECT_EQ(first.name, row.place);
    EXPECT_EQ(first.countryCode, row.countryCode);
    if (!row.region.empty()) {
        EXPECT_EQ(first.region, row.region);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SearchFirstRowTest,
    ::testing::Values(
        ExpectedFirst{"OldNameBombay", "Bombay", "Mumbai", "IN", "Maharashtra"},
        ExpectedFirst{"OldNameMadras", "Madras", "Chennai", "IN", ""},
        ExpectedFirst{"OldNameCalcutta", "Calcutta", "Kolkata", "IN", ""},
        ExpectedFirst{"GermanNameWien", "Wien", "Vienna", "AT", ""},
        ExpectedFirst{"EnglishNameCologne", "Cologne", "Köln", "DE", ""},
        ExpectedFirst{"OldNamePeking", "Peking", "Beijing", "CN", ""},
        ExpectedFirst{"OldNameSaigon", "Saigon", "Ho Chi Minh City", "VN", ""},
        ExpectedFirst{"UmlautMuenchen", "München", "Munich", "DE", "Bavaria"},
        ExpectedFirst{"WithoutUmlaut", "Munchen", "Munich", "DE", ""},
        ExpectedFirst{"LowerCase", "munchen", "Munich", "DE", ""},
        ExpectedFirst{"CapitalsAndAccents", "SÃO PAULO", "São Paulo", "BR", ""},
        ExpectedFirst{"RegionAfterComma", "Springfield, Illinois", "Springfield", "US", "Illinois"},
        ExpectedFirst{"RegionCodeAfterComma", "Springfield, MA", "Springfield", "US",
                      "Massachusetts"},
        ExpectedFirst{"CountryCodeAfterComma", "Paris, US", "Paris", "US", "Texas"},
        ExpectedFirst{"CountryNameAfterComma", "London, Canada", "London", "CA", ""},
        ExpectedFirst{"ExactBeforeMorePopulous", "Paris", "Paris", "FR", ""},
        ExpectedFirst{"SecondWordOfName", "Chi Minh", "Ho Chi Minh City", "VN", ""},
        ExpectedFirst{"OneLetter", "x", "Xi\u2019an", "CN", ""},
        ExpectedFirst{"OneLetterOwnNamesFirst", "t", "Tianjin", "CN", ""},
        ExpectedFirst{"TwoLetters", "Ma", "Madrid", "ES", ""},
        ExpectedFirst{"OtherNameAfterOwnNames", "Bomba", "Bomba", "IT", ""},
        ExpectedFirst{"ApostropheDropped", "Xian", "Xi\u2019an", "CN", ""},
        ExpectedFirst{"WordAfterApostrophe", "Aquila", "L'Aquila", "IT", ""},
        ExpectedFirst{"TownBeforeDistrictOfSameName", "Funabashi", "Funabashi", "JP", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct NoMatch
{
    const char* name;
    std::string query;
};

class SearchNoMatchTest : public ::testing::TestWithParam<NoMatch>
{
};

TEST_P(SearchNoMatchTest, FindsNothing)
{
    EXPECT_TRUE(searchPlaces(builtIndex(), GetParam().query).empty());
}

INSTANTIATE_TEST_SUITE_P(Queries, SearchNoMatchTest,
                         ::testing::Values(NoMatch{"Empty", ""}, NoMatch{"Spaces", "   "},
                                           NoMatch{"Punctuation", "!?.,;:-()"},
                                           NoMatch{"NoSuchPlace", "Qxzqxzq"},
                                           NoMatch{"OtherScript", "Москва"},
                                           NoMatch{"InvalidUtf8", "Par\xff\xfeis"},
                                           NoMatch{"OverlongUtf8", "\xc0\xafParis"},
                                           NoMatch{"OnlyARegion", ", Illinois"},
                                           NoMatch{"UnknownRegion", "Springfield, Atlantis"},
                                           NoMatch{"LongText", std::string(5000, 'a')}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceSearch, AirportCodesAreNoNames)
{
    // Kolkata's other names include its airport's code, CCU, and no name
    // beginning with those letters.
    for (const atlas::PlaceId id : searchPlaces(builtIndex(), "CCU"))
        EXPECT_NE(builtIndex().place(id).name, "Kolkata");
}

TEST(PlaceSearch, DistrictsComeAfterTownsThatMatchAlike)
{
    const auto ids = searchPlaces(builtIndex(), "Funabashi");
    ASSERT_GE(ids.size(), 2u);
    bool districtSeen = false;
    for (const atlas::PlaceId id : ids) {
        const bool district = builtIndex().place(id).district;
        EXPECT_FALSE(districtSeen && !district) << builtIndex().place(id).name;
        districtSeen = districtSeen || district;
    }
}

TEST(PlaceSearch, ATrailingSpaceEndsTheWord)
{
    // "paris " is the word paris, not Parisot or Parish.
    for (const atlas::PlaceId id : searchPlaces(builtIndex(), "Paris ")) {
        const atlas::Place place = builtIndex().place(id);
        EXPECT_EQ(place.name.find("Parish"), std::string::npos) << place.name;
    }
}

TEST(PlaceSearch, StoredRankingsAreWhatTheScanFinds)
{
    const atlas::IndexSections& s = builtIndex().sections();
    ASSERT_FALSE(s.topPrefixes.empty());
    for (const auto& top : s.topPrefixes) {
        const std::string prefix(top.prefix.data(), strnlen(top.prefix.data(), top.prefix.size()));
        const std::vector<atlas::PlaceId> stored(s.topPlaces.begin() + top.first,
                                                 s.topPlaces.begin() + top.first + top.count);
        EXPECT_EQ(stored, atlas::rankByScan(builtIndex(), prefix, atlas::kMaxRows)) << prefix;
        EXPECT_EQ(stored, searchPlaces(builtIndex(), prefix)) << prefix;
    }
}

TEST(PlaceSearch, RandomBytesGiveRowsOrNone)
{
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    for (int i = 0; i < 2000; ++i) {
        std::string text(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : text)
            c = static_cast<char>(byte(random));
        const auto ids = searchPlaces(builtIndex(), text);
        EXPECT_LE(ids.size(), atlas::kMaxRows);
        for (const atlas::PlaceId id : ids)
            EXPECT_LT(id, builtIndex().placeCount());
    }
}

struct Folding
{
    const char* name;
    std::string text;
    std::string key;
    bool latin;
};

class FoldTest : public ::testing::TestWithParam<Folding>
{
};

TEST_P(FoldTest, GivesTheSearchKey)
{
    const atlas::FoldedText folded = atlas::foldText(GetParam().text);
    EXPECT_EQ(folded.key, GetParam().key);
    EXPECT_EQ(folded.latin, GetParam().latin);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FoldTest,
    ::testing::Values(Folding{"Umlaut", "München", "munchen", true},
                      Folding{"SharpS", "Straße", "strasse", true},
                      Folding{"Stroke", "Łódź", "lodz", true},
                      Folding{"Vietnamese", "Hồ Chí Minh", "ho chi minh", true},
                      Folding{"CombiningAccent", "Mu\xcc\x88nchen", "munchen", true},
                      Folding{"HyphensAndSpaces", "  Saint-Denis--d'Oléron ", "saint denis doleron",
                              true},
                      Folding{"Digits", "Paris 01 Louvre", "paris 01 louvre", true},
                      Folding{"Cyrillic", "Москва", "", false},
                      Folding{"MixedScripts", "Moscow Москва", "moscow", false},
                      Folding{"CutSequence", "Paris\xc3", "paris", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
