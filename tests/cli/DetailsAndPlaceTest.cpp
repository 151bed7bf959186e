// The details and place commands run as a process, their JSON against the core's and
// the atlas's own answers.
#include "CliRun.h"
#include "birth/ExampleBirths.h"
#include "ephemeris/MoonDetails.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using cli_test::RunCli;
using modEphemeris::CivilTime;
using nlohmann::json;

std::string MinuteText(const std::optional<CivilTime>& m)
{
    if (!m)
        return "null";
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d", m->year, m->month, m->day,
                  m->hour, m->minute);
    return text.data();
}

std::string Text(const json& value)
{
    return value.is_null() ? "null" : value.get<std::string>();
}

/// The JSON's four readings against the core's details of the same birth.
void ExpectSameDetails(const json& readings, const modEphemeris::MoonDetails& details)
{
    ASSERT_EQ(readings.size(), 4U);
    constexpr std::array<const char*, 4> kZodiac{"sidereal", "sidereal", "tropical", "tropical"};
    constexpr std::array<const char*, 4> kView{"geocentric", "topocentric", "geocentric",
                                               "topocentric"};
    for (std::size_t i = 0; i < 4; ++i) {
        const json& r = readings[i];
        const modEphemeris::MoonDetailRow& row = details.rows[i];
        EXPECT_EQ(r["zodiac"], kZodiac[i]);
        EXPECT_EQ(r["view"], kView[i]);
        EXPECT_EQ(r["text"], row.text);
        EXPECT_EQ(r["longitude"].get<double>(), row.longitude); // the same double
        EXPECT_EQ(r["sign"], std::string(row.signCode));
        EXPECT_EQ(r["on_edge"], row.signEdge.onEdge);
        EXPECT_EQ(Text(r["sign_since"]), MinuteText(row.sign_since));
        EXPECT_EQ(Text(r["sign_until"]), MinuteText(row.sign_until));
        EXPECT_EQ(r.contains("nakshatra"), row.nakshatra.has_value());
        if (row.nakshatra) {
            EXPECT_EQ(r["nakshatra"], std::string(row.nakshatra->name));
            EXPECT_EQ(r["pada"], row.nakshatra->pada);
            EXPECT_EQ(Text(r["nakshatra_until"]), MinuteText(row.nakshatra->nakshatra_until));
        }
    }
}

TEST(DetailsCommand, WorkedExampleAsTheCoreGivesIt)
{
    const auto result = RunCli({"details", "--date", "2000-01-01", "--time", "12:00", "--zone",
                                "5:30", "--longitude", "77:13E", "--latitude", "28:37N", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const json details = json::parse(result.out);
    EXPECT_EQ(details["instant"]["local"], "2000-01-01 12:00");
    EXPECT_EQ(details["instant"]["universal"], "2000-01-01 06:30:00");
    EXPECT_EQ(details["instant"]["ut_hours"], 6.5);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(details["readings"][i]["text"], birth::kWorkedExampleTexts[i]);
    ExpectSameDetails(details["readings"],
                      modEphemeris::ComputeMoonDetails({birth::WorkedExample(), {}}));
}

TEST(DetailsCommand, UtcOffsetKeepsTheClockRule)
{
    // New York, a summer evening: four hours behind universal time, crossing midnight.
    const auto result =
        RunCli({"details", "--date", "1969-07-20", "--time", "22:56", "--utc-offset", "-04:00",
                "--longitude", "74:00W", "--latitude", "40:43N", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const json details = json::parse(result.out);
    EXPECT_EQ(details["instant"]["universal"], "1969-07-21 02:56:00");
    modEphemeris::BirthData birth{};
    birth.BirthYear = 1969;
    birth.BirthMonth = 7;
    birth.BirthDay = 20;
    birth.BirthHour = 22;
    birth.BirthMinute = 56;
    birth.LongitudeDegrees = 74;
    birth.LatitudeDegrees = 40;
    birth.LatitudeMinutes = 43;
    ExpectSameDetails(details["readings"], modEphemeris::ComputeMoonDetails({birth, -4 * 3600}));
}

TEST(DetailsCommand, SignUntilIsTheLastMinuteTheReadingShowsTheSign)
{
    const std::vector<std::string> place{"--zone", "5:30",       "--longitude",
                                         "77:13E", "--latitude", "28:37N"};
    auto withTime = [&place](const std::string& command, const std::string& date,
                             const std::string& time) {
        std::vector<std::string> args{command, "--date", date, "--time", time};
        args.insert(args.end(), place.begin(), place.end());
        args.emplace_back("--json");
        return json::parse(RunCli(args).out);
    };
    const json details = withTime("details", "2000-01-01", "12:00");
    const std::string until = details["readings"][0]["sign_until"];
    const std::string date = until.substr(0, 10);
    const int minute = std::stoi(until.substr(11, 2)) * 60 + std::stoi(until.substr(14, 2));
    ASSERT_LT(minute, 1439) << "the next minute falls on the next day";
    std::array<char, 24> next{};
    std::snprintf(next.data(), next.size(), "%02d:%02d", (minute + 1) / 60, (minute + 1) % 60);
    const std::string atUntil =
        withTime("reading", date, until.substr(11))["sidereal"]["geocentric"];
    const std::string after = withTime("reading", date, next.data())["sidereal"]["geocentric"];
    EXPECT_TRUE(atUntil.ends_with("Lib")) << atUntil;
    EXPECT_TRUE(after.ends_with("Sco")) << after;
}

#ifdef SELENOSCOPE_ATLAS

json PlaceJson(const std::vector<std::string>& arguments)
{
    std::vector<std::string> args{"place"};
    args.insert(args.end(), arguments.begin(), arguments.end());
    args.emplace_back("--json");
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return json::parse(result.out);
}

TEST(PlaceCommand, MadridIn1980CannotBeSaidByTheZoneFields)
{
    const json places =
        PlaceJson({"Madrid", "--date", "1980-07-01", "--time", "12:00", "--limit", "1"});
    ASSERT_EQ(places.size(), 1U);
    const json& madrid = places[0];
    EXPECT_EQ(madrid["name"], "Madrid");
    EXPECT_EQ(madrid["country_code"], "ES");
    EXPECT_EQ(madrid["zone"], "Europe/Madrid");
    EXPECT_NEAR(madrid["latitude"].get<double>(), 40.4165, 0.001);
    EXPECT_NEAR(madrid["longitude"].get<double>(), -3.70256, 0.001);
    EXPECT_EQ(madrid["fields"], (json{{"longitude", "3:42W"}, {"latitude", "40:25N"}}));
    EXPECT_EQ(madrid["clock"], (json{{"utc_offset_seconds", 7200},
                                     {"abbreviation", "CEST"},
                                     {"standard_offset_seconds", 3600},
                                     {"daylight_saving_seconds", 3600},
                                     {"local_time", "unique"}}));
    EXPECT_TRUE(madrid["zone_fields"].is_null());
}

TEST(PlaceCommand, ClockAndZoneFieldsAtTheGivenMoment)
{
    const json london =
        PlaceJson({"London, GB", "--date", "1985-07-01", "--time", "12:00", "--limit", "1"})[0];
    EXPECT_EQ(london["zone_fields"], (json{{"zone", "0:00"}, {"dst", true}}));
    // 01:30 happened twice that night: the first, on daylight time, is used.
    const json newYork =
        PlaceJson({"New York", "--date", "1970-10-25", "--time", "01:30", "--limit", "1"})[0];
    EXPECT_EQ(newYork["clock"]["local_time"], "repeated");
    EXPECT_EQ(newYork["clock"]["utc_offset_seconds"], -4 * 3600);
    EXPECT_EQ(newYork["clock"]["other_utc_offset_seconds"], -5 * 3600);
    EXPECT_EQ(newYork["zone_fields"], (json{{"zone", "5:00"}, {"dst", true}}));
    // Without a moment there is no clock to tell.
    const json plain = PlaceJson({"Mumbai", "--limit", "1"})[0];
    EXPECT_EQ(plain["name"], "Mumbai");
    EXPECT_FALSE(plain.contains("clock"));
    EXPECT_FALSE(plain.contains("zone_fields"));
}

// A reading by --place: the coordinates it used, and which of a repeated local time.
struct PlacedReading
{
    const char* name;
    std::vector<std::string> extra; // beside --date 1985-10-27 --time 01:30 --place "New York"
    int offsetSeconds;              // the clock's offset the reading must use
    const char* longitudeShown;     // the place's fields in the JSON
    const char* note;               // a line the note on standard error holds
};

class PlacedReadingTest : public ::testing::TestWithParam<PlacedReading>
{
};

TEST_P(PlacedReadingTest, SaysWhatItUsed)
{
    const PlacedReading& row = GetParam();
    std::vector<std::string> args{"reading", "--date",  "1985-10-27", "--time",
                                  "01:30",   "--place", "New York"};
    args.insert(args.end(), row.extra.begin(), row.extra.end());
    const auto text = RunCli(args);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.err.find(row.note), std::string::npos) << text.err;
    args.emplace_back("--json");
    const json reading = json::parse(RunCli(args).out);
    EXPECT_EQ(reading["place"]["fields"]["longitude"], row.longitudeShown);
    EXPECT_EQ(reading["place"]["clock"]["utc_offset_seconds"], row.offsetSeconds);

    // The readings are the core's at that clock and those coordinates.
    modEphemeris::BirthData birth;
    birth.BirthYear = 1985;
    birth.BirthMonth = 10;
    birth.BirthDay = 27;
    birth.BirthHour = 1;
    birth.BirthMinute = 30;
    const std::string lon = row.longitudeShown;
    birth.LongitudeDegrees = static_cast<std::int16_t>(std::stoi(lon.substr(0, lon.find(':'))));
    birth.LongitudeMinutes = static_cast<std::int16_t>(std::stoi(lon.substr(lon.find(':') + 1)));
    birth.LatitudeDegrees = 40;
    birth.LatitudeMinutes = 43;
    const auto readings = modEphemeris::ComputeMoonReadings({birth, row.offsetSeconds});
    EXPECT_EQ(reading["tropical"]["geocentric"], readings.tropical.GeocentricText);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlacedReadingTest,
    ::testing::Values(
        PlacedReading{"FirstOccurrenceByDefault", {}, -4 * 3600, "74:00W", "The first is used"},
        PlacedReading{"SecondOccurrence",
                      {"--occurrence", "second"},
                      -5 * 3600,
                      "74:00W",
                      "The second is used"},
        PlacedReading{"TypedLongitudeIsShown",
                      {"--longitude", "73:30W"},
                      -4 * 3600,
                      "73:30W",
                      "(40:43N 73:30W)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceCommand, OccurrenceNeedsAPlaceAndAMoment)
{
    EXPECT_EQ(RunCli({"reading", "--date", "1985-10-27", "--time", "01:30", "--zone", "5",
                      "--longitude", "74:00W", "--latitude", "40:43N", "--occurrence", "second"})
                  .status,
              2);
    EXPECT_EQ(RunCli({"place", "New York", "--occurrence", "second"}).status, 2);
    EXPECT_EQ(RunCli({"place", "New York", "--date", "1985-10-27", "--time", "01:30",
                      "--occurrence", "sometimes"})
                  .status,
              2);
}

// The clock of 31 February would be the clock of 3 March: refused as a reading refuses it.
TEST(PlaceCommand, ADateItsMonthDoesNotHaveIsRefused)
{
    const auto result = RunCli({"place", "Madrid", "--date", "2001-02-31", "--time", "12:00"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Please Enter Correct Date Or Month!\n");
}

struct MatchedName
{
    const char* name;
    std::string query;
    const char* place;   // the first place's own name
    const char* matched; // the other name it was found by; null for its own
    const char* listed;  // the text line's first column
};

class PlaceMatchedNameTest : public ::testing::TestWithParam<MatchedName>
{
};

TEST_P(PlaceMatchedNameTest, JsonAndTextSayWhichNameMatched)
{
    const MatchedName& row = GetParam();
    const json first = PlaceJson({row.query, "--limit", "1"})[0];
    EXPECT_EQ(first["name"], row.place);
    EXPECT_EQ(first["matched_name"], row.matched == nullptr ? json(nullptr) : json(row.matched));
    const auto text = RunCli({"place", row.query, "--limit", "1"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.substr(0, text.out.find('\t')), row.listed);
}

std::string ManyCommas()
{
    std::string query = "Springfield, Illinois, US";
    for (int i = 0; i < 20000; ++i)
        query += ", a";
    return query;
}

INSTANTIATE_TEST_SUITE_P(
    Queries, PlaceMatchedNameTest,
    ::testing::Values(
        MatchedName{"OwnName", "Madrid", "Madrid", nullptr, "Madrid"},
        MatchedName{"OldName", "Bombay", "Mumbai", "Bombay", "Mumbai (also Bombay)"},
        MatchedName{"OwnScript", "Москва", "Moscow", "Москва", "Moscow (also Москва)"},
        MatchedName{"ManyCommas", ManyCommas(), "Springfield", nullptr, "Springfield"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceCommand, NoMatchIsAnEmptyListAndARefusal)
{
    const auto result = RunCli({"place", "Qqqxzzy", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(json::parse(result.out), json::array());
    EXPECT_EQ(result.err, "No place matches\n");
}

TEST(PlaceCommand, MissingIndexIsNamed)
{
    const std::string absent = cli_test::TempFile("absent.atlas");
    const auto result = RunCli({"place", "Madrid", "--atlas", absent});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(absent), std::string::npos) << result.err;
}

TEST(ReadingByPlace, UsesThePlacesCoordinatesAndTrueClock)
{
    // Madrid kept UTC+02:00 although west of Greenwich: 10:00 universal time.
    const auto byPlace = RunCli(
        {"reading", "--date", "1980-07-01", "--time", "12:00", "--place", "Madrid", "--json"});
    const auto byOffset =
        RunCli({"reading", "--date", "1980-07-01", "--time", "12:00", "--utc-offset", "+02:00",
                "--longitude", "3:42W", "--latitude", "40:25N", "--json"});
    ASSERT_EQ(byPlace.status, 0) << byPlace.err;
    json place = json::parse(byPlace.out);
    EXPECT_EQ(place["place"]["name"], "Madrid");
    EXPECT_EQ(place["place"]["clock"]["utc_offset_seconds"], 7200);
    place.erase("place");
    EXPECT_EQ(place, json::parse(byOffset.out));

    const auto details = RunCli(
        {"details", "--date", "1980-07-01", "--time", "12:00", "--place", "Madrid", "--json"});
    const json detailsJson = json::parse(details.out);
    EXPECT_EQ(detailsJson["readings"][0]["text"], place["sidereal"]["geocentric"]);
    EXPECT_EQ(detailsJson["place"]["zone"], "Europe/Madrid");

    const auto text =
        RunCli({"reading", "--date", "1980-07-01", "--time", "12:00", "--place", "Madrid"});
    EXPECT_EQ(text.err,
              "Place: Madrid, Madrid, Spain (40:25N 3:42W)\n"
              "Clock: Europe/Madrid on 1 July 1980 at 12:00: UTC+02:00, CEST, daylight saving in "
              "force\n");
}

TEST(ReadingByPlace, BatchRowsByPlaceReadAsTheReadingCommand)
{
    const auto batch = RunCli({"batch"}, "date,time,place,longitude,latitude\n"
                                         "1980-07-01,12:00,Madrid,,\n"
                                         "1980-07-01,12:00,Qqqxzzy,,\n");
    const auto reading = RunCli(
        {"reading", "--date", "1980-07-01", "--time", "12:00", "--place", "Madrid", "--json"});
    const json texts = json::parse(reading.out);
    EXPECT_EQ(batch.status, 1);
    std::string geocentric = texts["sidereal"]["geocentric"];
    geocentric.replace(geocentric.find('"'), 1, "\"\""); // as CSV writes a quote
    EXPECT_NE(batch.out.find("1980-07-01,12:00,Madrid,,,\"" + geocentric + "\","),
              std::string::npos)
        << batch.out;
    EXPECT_NE(batch.out.find("1980-07-01,12:00,Qqqxzzy,,,,,,,No place matches\n"),
              std::string::npos)
        << batch.out;
}

#endif

} // namespace
