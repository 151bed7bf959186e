#include "atlas/PlaceSearch.h"

#include "AtlasTestIndex.h"
#include "atlas/Fold.h"

#include <algorithm>
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
    std::string place;            // the first row's name
    std::string countryCode;      // and country
    std::string region;           // and region, where it matters
    const char* listed = nullptr; // and the name the list shows, where it matters
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
    if (row.listed != nullptr) {
        EXPECT_EQ(atlas::listedName(first.name,
                                    atlas::findPlaces(builtIndex(), row.query).front().otherName),
                  row.listed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SearchFirstRowTest,
    ::testing::Values(
        ExpectedFirst{"OldNameBombay", "Bombay", "Mumbai", "IN", "Maharashtra",
                      "Mumbai (also Bombay)"},
        ExpectedFirst{"OwnNameListedAlone", "Madrid", "Madrid", "ES", "Madrid", "Madrid"},
        ExpectedFirst{"AccentedSpellingListed", "Munchen", "Munich", "DE", "",
                      "Munich (also München)"},
        ExpectedFirst{"Cyrillic", "Москва", "Moscow", "RU", "", "Moscow (also Москва)"},
        ExpectedFirst{"Ukrainian", "Київ", "Kyiv", "UA", "", "Kyiv (also Київ)"},
        ExpectedFirst{"CyrillicTwoWords", "Санкт-Петербург", "Saint Petersburg", "RU", ""},
        ExpectedFirst{"Greek", "Αθήνα", "Athens", "GR", "", "Athens (also Αθήνα)"},
        ExpectedFirst{"GreekWithoutAccent", "ΑΘΗΝΑ", "Athens", "GR", ""},
        ExpectedFirst{"Devanagari", "मुंबई", "Mumbai", "IN", "", "Mumbai (also मुंबई)"},
        ExpectedFirst{"Japanese", "東京", "Tokyo", "JP", "", "Tokyo (also 東京)"},
        ExpectedFirst{"NoSpacesWholeNamePrefix", "東", "Dongguan", "CN", "",
                      "Dongguan (also 東莞)"},
        ExpectedFirst{"Arabic", "القاهرة", "Cairo", "EG", "", "Cairo (also القاهرة)"},
        ExpectedFirst{"Hebrew", "תל אביב", "Tel Aviv", "IL", "", "Tel Aviv (also תל אביב)"},
        ExpectedFirst{"Korean", "서울", "Seoul", "KR", ""},
        ExpectedFirst{"CountryCommonNameAfterComma", "London, UK", "London", "GB", "England",
                      "London"},
        ExpectedFirst{"CountryFormalNameAfterComma", "Moscow, Russian Federation", "Moscow", "RU",
                      ""},
        ExpectedFirst{"CountryShortNameAfterComma", "Seoul, South Korea", "Seoul", "KR", ""},
        ExpectedFirst{"CountryFormerNameAfterComma", "Istanbul, Turkey", "Istanbul", "TR", ""},
        ExpectedFirst{"VietnameseRegion", "Ho Chi Minh City", "Ho Chi Minh City", "VN",
                      "Ho Chi Minh"},
        ExpectedFirst{"VietnameseRegionAfterComma", "Hue, Thua Thien", "Huế", "VN", ""},
        ExpectedFirst{"NorwegianCountyBeforeItsSplit", "Drammen", "Drammen", "NO", "Viken"},
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

INSTANTIATE_TEST_SUITE_P(
    Queries, SearchNoMatchTest,
    ::testing::Values(
        NoMatch{"Empty", ""}, NoMatch{"Spaces", "   "}, NoMatch{"Punctuation", "!?.,;:-()"},
        NoMatch{"NoSuchPlace", "Qxzqxzq"}, NoMatch{"OnlyASymbol", "\xF0\x9F\x98\x80"},
        NoMatch{"InvalidUtf8", "Par\xff\xfeis"}, NoMatch{"OverlongUtf8", "\xc0\xafParis"},
        NoMatch{"OnlyARegion", ", Illinois"}, NoMatch{"UnknownRegion", "Springfield, Atlantis"},
        NoMatch{"LongText", std::string(5000, 'a')},
        NoMatch{"MegabyteOfLetters", std::string(1 << 20, 'a')},
        NoMatch{"RegionAndCountryApart", "Springfield, Illinois, Canada"}),
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
        const std::vector<atlas::PlaceHit> scanned =
            atlas::rankByScan(builtIndex(), prefix, atlas::kMaxRows);
        ASSERT_EQ(top.count, scanned.size()) << prefix;
        for (std::size_t i = 0; i < scanned.size(); ++i) {
            const atlas::format::HitRecord& stored = s.topHits[top.first + i];
            EXPECT_EQ(stored.place, scanned[i].id) << prefix;
            EXPECT_EQ(stored.otherName == atlas::format::kNoOtherName, scanned[i].otherName.empty())
                << prefix;
        }
        EXPECT_EQ(atlas::findPlaces(builtIndex(), prefix), scanned) << prefix;
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

// A text and another way of writing it: both find the same places, in the same order.
struct SameSearch
{
    const char* name;
    std::string text;
    std::string plain;
};

void PrintTo(const SameSearch& row, std::ostream* os)
{
    *os << row.name;
}

class SameSearchTest : public ::testing::TestWithParam<SameSearch>
{
};

TEST_P(SameSearchTest, FindsWhatThePlainFormFinds)
{
    const auto plain = atlas::findPlaces(builtIndex(), GetParam().plain);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(atlas::findPlaces(builtIndex(), GetParam().text), plain);
}

std::string repeated(const std::string& part, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SameSearchTest,
    ::testing::Values(
        SameSearch{"ByteOrderMark", "\xEF\xBB\xBFМосква", "Москва"},
        SameSearch{"ZeroWidthJoiner", "Par\xE2\x80\x8Dis", "Paris"},
        SameSearch{"SoftHyphen",
                   "Mün\xC2\xAD"
                   "chen",
                   "München"},
        SameSearch{"FullWidthLatin",
                   "\xEF\xBC\xAD\xEF\xBC\xAF\xEF\xBC\xB3\xEF\xBC\xA3\xEF\xBC\xAF"
                   "\xEF\xBC\xB7", // ＭＯＳＣＯＷ
                   "Moscow"},
        SameSearch{"FullWidthComma", "Paris\xEF\xBC\x8C US", "Paris, US"},
        SameSearch{"DecomposedAccent", "Mu\xCC\x88nchen", "München"},
        SameSearch{"HalfWidthKatakana", "ﾓｽｸﾜ", "モスクワ"},
        SameSearch{"GreekCapitalsAndTonos", "ΑΘΉΝΑ", "αθηνα"},
        SameSearch{"MegabyteOfSpacesFirst", std::string(1 << 20, ' ') + "Paris", "Paris"},
        // Only the first two texts after a comma narrow: 50,000 more cost nothing.
        SameSearch{"FiftyThousandCommas", "Springfield, Illinois, US" + repeated(", a", 50000),
                   "Springfield, Illinois, US"},
        SameSearch{"FiftyThousandOneLetterParts", "a" + repeated(",a", 50000), "a, a, a"}),
    [](const auto& info) { return std::string(info.param.name); });

// What the list shows for a place found by another name.
TEST(PlaceSearch, APlaceFoundByAnotherNameIsListedWithIt)
{
    const auto hits = atlas::findPlaces(builtIndex(), "Madrid");
    const auto waupun = std::find_if(hits.begin(), hits.end(), [](const atlas::PlaceHit& hit) {
        return builtIndex().place(hit.id).name == "Waupun";
    });
    ASSERT_NE(waupun, hits.end());
    EXPECT_EQ(atlas::listedName("Waupun", waupun->otherName), "Waupun (also Madrid)");
    EXPECT_EQ(hits.front().otherName, "") << "Madrid, Spain, matched by its own name";
}

struct CountryName
{
    const char* code;
    const char* name;
};

class CountryNameTest : public ::testing::TestWithParam<CountryName>
{
};

// The short English names people know, not tzdata's or ISO's formal ones.
TEST_P(CountryNameTest, IsTheShortEnglishName)
{
    const auto& countries = builtIndex().sections().countries;
    const auto country = std::find_if(countries.begin(), countries.end(), [](const auto& c) {
        return std::string(c.code.data(), 2) == GetParam().code;
    });
    ASSERT_NE(country, countries.end());
    EXPECT_EQ(builtIndex().text(country->name), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Countries, CountryNameTest,
                         ::testing::Values(CountryName{"GB", "United Kingdom"},
                                           CountryName{"WS", "Samoa"}, CountryName{"RU", "Russia"},
                                           CountryName{"KR", "South Korea"},
                                           CountryName{"VN", "Vietnam"}, CountryName{"IR", "Iran"},
                                           CountryName{"VA", "Vatican City"},
                                           CountryName{"CD", "Democratic Republic of the Congo"},
                                           CountryName{"XK", "Kosovo"},
                                           CountryName{"US", "United States"}),
                         [](const auto& info) { return std::string(info.param.code); });

TEST(BuiltIndex, NoCountryNameHoldsAComma)
{
    // A comma separates a query's parts: a country named with one could not be typed.
    for (const auto& country : builtIndex().sections().countries)
        EXPECT_EQ(builtIndex().text(country.name).find(','), std::string_view::npos)
            << builtIndex().text(country.name);
}

TEST(BuiltIndex, RenumberedDivisionsHaveTheirRegions)
{
    // Vietnam's provinces and Norway's counties were renumbered after the
    // places were recorded: the region names come from the same time. Three
    // places have no division in the data, or one it does not name.
    std::size_t checked = 0;
    std::size_t regionless = 0;
    for (atlas::PlaceId id = 0; id < builtIndex().placeCount(); ++id) {
        const atlas::Place place = builtIndex().place(id);
        if (place.countryCode == "VN" || place.countryCode == "NO") {
            regionless += place.region.empty();
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000u);
    EXPECT_LE(regionless, 3u);
}

struct Folding
{
    const char* name;
    std::string text;
    std::string key;
    bool valid = true;
};

void PrintTo(const Folding& row, std::ostream* os)
{
    *os << row.name;
}

class FoldTest : public ::testing::TestWithParam<Folding>
{
};

TEST_P(FoldTest, GivesTheSearchKey)
{
    const atlas::FoldedText folded = atlas::foldText(GetParam().text);
    EXPECT_EQ(folded.key, GetParam().key);
    EXPECT_EQ(folded.valid, GetParam().valid);
    // The search reads stored names with FoldedReader: it must give the same key.
    atlas::FoldedReader reader(GetParam().text.c_str());
    std::string read;
    for (unsigned char b = reader.next(); b != 0; b = reader.next())
        read += static_cast<char>(b);
    EXPECT_EQ(read, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FoldTest,
    ::testing::Values(
        Folding{"Umlaut", "München", "munchen"}, Folding{"SharpS", "Straße", "strasse"},
        Folding{"Stroke", "Łódź", "lodz"}, Folding{"Schwa", "Gəncə", "gence"},
        Folding{"DotlessAndDottedI", "İstanbul Diyarbakır", "istanbul diyarbakir"},
        Folding{"Ligature", "ﬁnal", "final"}, Folding{"Vietnamese", "Hồ Chí Minh", "ho chi minh"},
        Folding{"CombiningAccent", "Mu\xcc\x88nchen", "munchen"},
        Folding{"HyphensAndSpaces", "  Saint-Denis--d'Oléron ", "saint denis doleron"},
        Folding{"Digits", "Paris 01 Louvre", "paris 01 louvre"},
        Folding{"Cyrillic", "Москва", "москва"}, Folding{"UkrainianYi", "Київ", "киів"},
        Folding{"GreekFinalSigma", "ΣΟΦΟΣ Σοφός", "σοφοσ σοφοσ"},
        Folding{"ArabicVowelMarks", "مُحَمَّد", "محمد"}, Folding{"HebrewPoints", "תֵּל אָבִיב", "תל אביב"},
        Folding{"DevanagariVowelSignsStay", "मुंबई", "मुंबई"},
        Folding{"NoSpacesOneWord", "東京都", "東京都"},
        Folding{"KatakanaMiddleDot", "ニュー・ヨーク", "ニュー ヨーク"},
        Folding{"ByteOrderMarkAndJoiners", "\xEF\xBB\xBFPa\xE2\x80\x8Dri\xE2\x80\x8Cs", "paris"},
        Folding{"FullWidth",
                "\xEF\xBC\xB0\xEF\xBD\x81\xEF\xBD\x92\xEF\xBD\x89\xEF"
                "\xBD\x93\xEF\xBC\x91",
                "paris1"},
        Folding{"SymbolsAreGaps",
                "Rock\xC2\xA9"
                "City \xE2\x99\xA5",
                "rock city"},
        Folding{"CompatibilityForms", "\xE2\x84\xA2\xE3\x8E\x9E", "tmkm"}, // ™㎞
        Folding{"MixedScripts", "Moscow Москва", "moscow москва"},
        Folding{"CutSequence", "Paris\xc3", "paris", false},
        Folding{"Surrogate", "Pa\xed\xa0\x80ris", "paris", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
