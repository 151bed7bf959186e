#include "AtlasTestIndex.h"
#include "atlas/AtlasLocation.h"
#include "atlas/PlaceSearch.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using atlas::IndexData;
using atlas::PlaceIndex;

// Two places, one with a region: enough to find by name and by region.
IndexData smallIndex()
{
    IndexData d;
    const auto text = [&](const std::string& t) {
        const auto offset = static_cast<std::uint32_t>(d.strings.size());
        d.strings.insert(d.strings.end(), t.begin(), t.end());
        d.strings.push_back('\0');
        return offset;
    };
    d.countries.push_back({{'U', 'S'}, 0, text("United States"), text("USA")});
    d.regions.push_back({text("Illinois"), text("IL"), 0});
    d.zones.push_back({text("America/Chicago")});
    const std::uint32_t springfield = text("Springfield");
    const std::uint32_t paris = text("Paris");
    d.places.push_back({39801050, -89643600, 116565, springfield, 0, 0, 0, 0});
    d.places.push_back({33660940, -95555510, 24782, paris, atlas::format::kNoRegion, 0, 0, 0});
    // Sorted by the folded name: "paris" before "springfield".
    d.entries.push_back({paris, 1 | atlas::format::kWholeKey | atlas::format::kOwnName});
    d.entries.push_back({springfield, 0 | atlas::format::kWholeKey | atlas::format::kOwnName});
    return d;
}

class IndexFileTest : public ::testing::Test
{
protected:
    fs::path folder = fs::temp_directory_path() / ("atlas-test-" + std::to_string(::getpid()));

    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    fs::path write(const IndexData& data, const std::string& name = "places.atlas")
    {
        std::string error;
        const fs::path file = folder / name;
        EXPECT_TRUE(atlas::writeIndex(file, data.sections(), error)) << error;
        return file;
    }

    static std::vector<char> bytesOf(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path writeBytes(const std::vector<char>& bytes, std::size_t size)
    {
        const fs::path file = folder / "damaged.atlas";
        std::ofstream(file, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(size));
        return file;
    }

    // Loading fails, and the message names the file and says why.
    static void expectRefused(const fs::path& file, const std::string& why)
    {
        const atlas::IndexLoad load = PlaceIndex::load(file);
        EXPECT_EQ(load.index, nullptr);
        EXPECT_NE(load.error.find(file.string()), std::string::npos) << load.error;
        EXPECT_NE(load.error.find(why), std::string::npos) << load.error;
    }
};

TEST_F(IndexFileTest, AWrittenIndexLoadsAndFinds)
{
    const atlas::IndexLoad load = PlaceIndex::load(write(smallIndex()));
    ASSERT_NE(load.index, nullptr) << load.error;
    const auto ids = atlas::searchPlaces(*load.index, "Springfield, Illinois");
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(atlas::searchPlaces(*load.index, "Paris, USA"), std::vector<atlas::PlaceId>{1});
    const atlas::Place place = load.index->place(ids.front());
    EXPECT_EQ(place.name, "Springfield");
    EXPECT_EQ(place.region, "Illinois");
    EXPECT_EQ(place.regionCode, "IL");
    EXPECT_EQ(place.country, "United States");
    EXPECT_EQ(place.countryCode, "US");
    EXPECT_EQ(place.zoneId, "America/Chicago");
    EXPECT_DOUBLE_EQ(place.latitude(), 39.80105);
    EXPECT_DOUBLE_EQ(place.longitude(), -89.6436);
    EXPECT_EQ(place.population, 116565u);
    EXPECT_EQ(load.index->place(1).region, "");
    EXPECT_THROW(load.index->place(2), std::out_of_range);
}

TEST_F(IndexFileTest, AMissingFileIsNamed)
{
    expectRefused(folder / "nowhere.atlas", "does not exist");
}

TEST_F(IndexFileTest, AnotherKindOfFileIsRefused)
{
    const fs::path file = folder / "notes.txt";
    std::ofstream(file) << std::string(400, 'x');
    expectRefused(file, "not a place index");
}

TEST_F(IndexFileTest, EveryCutShortCopyIsRefused)
{
    const std::vector<char> bytes = bytesOf(write(smallIndex()));
    for (std::size_t size = 0; size < bytes.size(); ++size)
        expectRefused(writeBytes(bytes, size), "cannot be used");
}

TEST_F(IndexFileTest, EveryChangedByteIsRefused)
{
    const std::vector<char> bytes = bytesOf(write(smallIndex()));
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::vector<char> changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x5A);
        const fs::path file = writeBytes(changed, changed.size());
        // Alignment padding is outside every section: changing it changes nothing.
        const atlas::IndexLoad load = PlaceIndex::load(file);
        if (load.index) {
            EXPECT_EQ(atlas::searchPlaces(*load.index, "Paris").size(), 1u) << at;
        } else {
            EXPECT_NE(load.error.find(file.string()), std::string::npos);
        }
    }
}

struct BadReference
{
    const char* name;
    void (*spoil)(IndexData&);
};

class IndexReferenceTest : public IndexFileTest, public ::testing::WithParamInterface<BadReference>
{
};

// A file whose checksum matches but whose references point outside it, as a
// builder fault would make: refused before anything is read through them.
TEST_P(IndexReferenceTest, IsRefused)
{
    IndexData data = smallIndex();
    GetParam().spoil(data);
    expectRefused(write(data), "damaged");
}

INSTANTIATE_TEST_SUITE_P(
    Spoiled, IndexReferenceTest,
    ::testing::Values(
        BadReference{
            "EntryPastTheStrings",
            [](IndexData& d) { d.entries[0].name = static_cast<std::uint32_t>(d.strings.size()); }},
        BadReference{"EntryPastThePlaces", [](IndexData& d) { d.entries[0].place = 2; }},
        BadReference{"NamePastTheStrings",
                     [](IndexData& d) { d.places[0].name = static_cast<std::uint32_t>(1000); }},
        BadReference{"RegionPastTheRegions", [](IndexData& d) { d.places[0].region = 1; }},
        BadReference{"ZonePastTheZones", [](IndexData& d) { d.places[0].zone = 1; }},
        BadReference{"CountryPastTheCountries", [](IndexData& d) { d.regions[0].country = 3; }},
        BadReference{"CountryOtherNamesPastTheStrings",
                     [](IndexData& d) { d.countries[0].otherNames = 1000; }},
        BadReference{"TextsWithoutTheirEnd", [](IndexData& d) { d.strings.back() = 'x'; }},
        BadReference{"StoredRankingPastItsHits",
                     [](IndexData& d) {
                         d.topPrefixes.push_back({{'p'}, 0, 2});
                         d.topHits.push_back({1, atlas::format::kNoOtherName});
                     }},
        BadReference{"StoredRankingOfNoPlace",
                     [](IndexData& d) {
                         d.topPrefixes.push_back({{'p'}, 0, 1});
                         d.topHits.push_back({7, atlas::format::kNoOtherName});
                     }},
        BadReference{"StoredOtherNamePastTheStrings",
                     [](IndexData& d) {
                         d.topPrefixes.push_back({{'p'}, 0, 1});
                         d.topHits.push_back({1, 1000});
                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IndexFileTest, TheInstalledIndexIsFoundBesideTheProgram)
{
    // prefix/bin/program and prefix/share/selenoscope/places.atlas
    fs::create_directories(folder / "bin");
    fs::create_directories(folder / "share" / "selenoscope");
    const fs::path program = folder / "bin" / "selenoscope";
    EXPECT_EQ(atlas::indexPathFor(program), fs::path(ATLAS_TEST_INDEX)) << "none installed yet";
    std::ofstream(folder / "share" / "selenoscope" / "places.atlas") << "index";
    EXPECT_EQ(atlas::indexPathFor(program), folder / "share" / "selenoscope" / "places.atlas");
}

TEST_F(IndexFileTest, NoPlaceHoldingAnIndexNamesEveryPlaceAndWhatToDo)
{
    // Where the installed one belongs stands a folder: no index file either.
    fs::create_directories(folder / "installed.atlas");
    const atlas::IndexLoad load =
        atlas::loadFirstIndex({{folder / "installed.atlas", "installed with the program"},
                               {folder / "built.atlas", "made by the build"}});
    EXPECT_EQ(load.index, nullptr);
    EXPECT_EQ(load.error, "The place index cannot be found: there is no index file at " +
                              (folder / "installed.atlas").string() +
                              " (installed with the program), nor at " +
                              (folder / "built.atlas").string() +
                              " (made by the build). Reinstall the package, or build the "
                              "atlas_index target.");
}

TEST(BuiltIndex, HoldsEveryPlaceOfTheData)
{
    EXPECT_EQ(builtIndex().placeCount(), 199568u);
}

} // namespace
