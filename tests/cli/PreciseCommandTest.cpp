// The precise Moon through the tool: details, reading --precise and batch --precise run as a
// process against the core's own answers; where it is unavailable, one line and no number.
#include "CliRun.h"
#include "RandomBirths.h"
#include "birth/ExampleBirths.h"
#include "cli/BatchRows.h"
#include "cli/Csv.h"
#include "cli/PreciseOutput.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "support/TestRows.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using cli::kPreciseColumns;
using cli::kPreciseNotBuilt;
using cli::kReadingColumns;
using cli_test::RunCli;
using modEphemeris::BirthMoment;
using modEphemeris::MoonReadings;
using modEphemeris::PreciseBeside;
using nlohmann::json;
using test_support::PrintTo;
using test_support::RowName;

/// The worked example's place and zone, as the tool takes them.
const std::vector<std::string> kWorkedPlace{"--zone", "5:30",       "--longitude",
                                            "77:13E", "--latitude", "28:37N"};

std::vector<std::string> Command(const std::string& command, const std::string& date,
                                 const std::string& time, std::vector<std::string> more = {})
{
    std::vector<std::string> args{command, "--date", date, "--time", time};
    args.insert(args.end(), kWorkedPlace.begin(), kWorkedPlace.end());
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

#ifdef SELENOSCOPE_PRECISE

/// The worked example's birth at another date ("2000-01-02") and time ("14:38").
BirthMoment WorkedExampleAt(const std::string& date, const std::string& time)
{
    modEphemeris::BirthData birth = birth::WorkedExample();
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    std::sscanf(date.c_str(), "%d-%d-%d", &year, &month, &day);
    std::sscanf(time.c_str(), "%d:%d", &hour, &minute);
    birth.BirthYear = static_cast<std::int16_t>(year);
    birth.BirthMonth = static_cast<std::int16_t>(month);
    birth.BirthDay = static_cast<std::int16_t>(day);
    birth.BirthHour = static_cast<std::int16_t>(hour);
    birth.BirthMinute = static_cast<std::int16_t>(minute);
    return {birth, {}};
}

// --- Beside the readings, as the core gives it -------------------------------------------

struct PreciseRow
{
    const char* name;
    const char* date; // at the worked example's place and zone
    const char* time;
    std::size_t reading; // the reading whose sign verdict is named, in the display's order
    const char* verdict;
};

class PreciseByCommand : public testing::TestWithParam<PreciseRow>
{
};

TEST_P(PreciseByCommand, DetailsAndReadingAsTheCoreGivesIt)
{
    const PreciseRow& row = GetParam();
    const BirthMoment moment = WorkedExampleAt(row.date, row.time);
    const modEphemeris::MoonDetails core = modEphemeris::ComputeMoonDetails(moment);
    const PreciseBeside precise = modEphemeris::PreciseBesideDetails(moment, core);
    ASSERT_TRUE(precise.readings) << precise.unavailable;
    const auto& p = *precise.readings;

    const auto details = RunCli(Command("details", row.date, row.time, {"--json"}));
    ASSERT_EQ(details.status, 0) << details.err;
    const json detailsJson = json::parse(details.out);
    EXPECT_FALSE(detailsJson.contains("precise_unavailable"));
    for (std::size_t i = 0; i < p.size(); ++i) {
        const json& shown = detailsJson["readings"][i]["precise"];
        EXPECT_EQ(shown["longitude"].get<double>(), p[i].longitude); // the same double
        EXPECT_EQ(shown["text"], p[i].text);
        EXPECT_EQ(shown["sign"], std::string(p[i].signCode));
        EXPECT_EQ(shown["sign_edge_arcsec"].get<double>(), p[i].signEdge.arcseconds);
        EXPECT_EQ(shown["on_edge"], p[i].signEdge.onEdge);
        EXPECT_EQ(shown["verdict"], p[i].signVerdict);
        ASSERT_EQ(shown.contains("nakshatra"), p[i].nakshatra.has_value()) << i;
        if (p[i].nakshatra) {
            EXPECT_EQ(shown["nakshatra"], std::string(p[i].nakshatra->name));
            EXPECT_EQ(shown["pada"], p[i].nakshatra->pada);
            EXPECT_EQ(shown["nakshatra_verdict"], p[i].nakshatraVerdict);
        }
    }
    EXPECT_EQ(detailsJson["readings"][row.reading]["precise"]["verdict"], row.verdict);

    // In text the verdict stands where the "may" stood.
    const auto text = RunCli(Command("details", row.date, row.time));
    EXPECT_NE(text.out.find("\n  " + std::string(row.verdict) + "\n"), std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("may place"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("\n  precise " + p[row.reading].text + ", longitude "),
              std::string::npos);

    // reading --precise: the four precise texts after the four described ones.
    const auto reading = RunCli(Command("reading", row.date, row.time, {"--precise"}));
    EXPECT_EQ(reading.status, 0) << reading.err;
    EXPECT_EQ(reading.out, "sidereal geocentric " + core.rows[0].text + "\n" +
                               "sidereal topocentric " + core.rows[1].text + "\n" +
                               "tropical geocentric " + core.rows[2].text + "\n" +
                               "tropical topocentric " + core.rows[3].text + "\n" +
                               "precise sidereal geocentric " + p[0].text + "\n" +
                               "precise sidereal topocentric " + p[1].text + "\n" +
                               "precise tropical geocentric " + p[2].text + "\n" +
                               "precise tropical topocentric " + p[3].text + "\n");
    const auto readingJson =
        json::parse(RunCli(Command("reading", row.date, row.time, {"--precise", "--json"})).out);
    EXPECT_EQ(readingJson["precise"],
              (json{{"sidereal", {{"geocentric", p[0].text}, {"topocentric", p[1].text}}},
                    {"tropical", {{"geocentric", p[2].text}, {"topocentric", p[3].text}}}}));
}

INSTANTIATE_TEST_SUITE_P(
    Births, PreciseByCommand,
    testing::Values(
        PreciseRow{"worked_example_agrees", "2000-01-01", "12:00", 0,
                   "A precise ephemeris agrees: Lib"},
        PreciseRow{"sidereal_reading_1s_before_sco_precise_17s_past", "2000-01-02", "14:38", 0,
                   "A precise ephemeris places the Moon in Sco, 0\xC2\xB0 0' 17\" past the edge"},
        PreciseRow{"sidereal_reading_31s_before_sco_settled", "2000-01-02", "14:37", 0,
                   "A precise ephemeris agrees: Lib"},
        PreciseRow{"western_parallax_precise_itself_on_the_edge", "2000-01-05", "17:30", 3,
                   "On the edge: a precise ephemeris places the Moon in Sag, 0\xC2\xB0 0' 2\" "
                   "from its edge with Cap"}),
    RowName<PreciseRow>);

TEST(BatchPrecise, ColumnsAsTheCoreGivesThemWhateverTheThreads)
{
    // The births twice over: two blocks' worth of rows, so that both threads evaluate the
    // precise Moon at once, some of them at the same instants.
    std::string rows;
    std::string expectedRows;
    for (const cli_test::TextBirth& birth : cli_test::RandomBirths(2800, 29U)) {
        const PreciseBeside precise = modEphemeris::PreciseBesideReadings(
            birth.moment, modEphemeris::ComputeMoonReadings(birth.moment));
        ASSERT_TRUE(precise.readings) << birth.CsvRow();
        rows += birth.CsvRow() + "\n";
        expectedRows += birth.CsvRow();
        for (const std::string& text : birth.expected)
            csv::AppendQuoted(expectedRows.append(","), text);
        for (const modEphemeris::PreciseReading& reading : *precise.readings)
            csv::AppendQuoted(expectedRows.append(","), reading.text);
        expectedRows += ",\n";
    }
    std::string expected = cli_test::kBirthColumns;
    for (const std::string_view name : kReadingColumns)
        expected.append(",").append(name);
    for (const std::string_view name : kPreciseColumns)
        expected.append(",").append(name);
    expected += ",error\n" + expectedRows + expectedRows;
    const std::string file = cli_test::TempFile("precise.csv");
    cli_test::WriteFile(file, std::string(cli_test::kBirthColumns) + "\n" + rows + rows);
    for (const std::string threads : {"1", "2"}) {
        const auto result = RunCli({"batch", file, "--precise", "--threads", threads});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(result.out == expected) << threads << " threads give other bytes";
    }
}

// --- Unavailable --------------------------------------------------------------------------

// A zone hour with a minus sign is read by its size: 99 hours west of Greenwich moves the last
// day of 2050 past the years the precise Moon covers.
const std::vector<std::string> kBeyondItsYears{"--date",     "2050-12-31", "--time",      "12:00",
                                               "--zone",     "-99",        "--longitude", "10:00W",
                                               "--latitude", "10:00N"};
const std::string kBeyondItsYearsLine =
    "The precise Moon is unavailable: the precise Moon covers the years 1900 to 2050 only";

std::vector<std::string> BeyondItsYears(const std::string& command,
                                        std::vector<std::string> more = {})
{
    std::vector<std::string> args{command};
    args.insert(args.end(), kBeyondItsYears.begin(), kBeyondItsYears.end());
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(PreciseUnavailable, ReadingKeepsItsTextsSaysWhyInOneLineAndFails)
{
    const auto plain = RunCli(BeyondItsYears("reading"));
    const auto text = RunCli(BeyondItsYears("reading", {"--precise"}));
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out, plain.out);
    EXPECT_EQ(text.err, kBeyondItsYearsLine + "\n");

    const auto asJson = RunCli(BeyondItsYears("reading", {"--precise", "--json"}));
    EXPECT_EQ(asJson.status, 1);
    json readings = json::parse(asJson.out);
    EXPECT_TRUE(readings["precise"].is_null());
    EXPECT_EQ(readings["precise_unavailable"], kBeyondItsYearsLine);
    readings.erase("precise");
    readings.erase("precise_unavailable");
    EXPECT_EQ(readings, json::parse(RunCli(BeyondItsYears("reading", {"--json"})).out));
}

TEST(PreciseUnavailable, DetailsStayAsTheyAreBesideOneLine)
{
    const auto text = RunCli(BeyondItsYears("details"));
    EXPECT_EQ(text.status, 0) << text.err; // the details are all there
    EXPECT_NE(text.out.find("Julian day      2470176.125000\n" + kBeyondItsYearsLine + "\n\n"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("precise ephemeris agrees"), std::string::npos);
    EXPECT_EQ(text.out.find("  precise "), std::string::npos);

    const json details = json::parse(RunCli(BeyondItsYears("details", {"--json"})).out);
    EXPECT_EQ(details["precise_unavailable"], kBeyondItsYearsLine);
    for (const json& reading : details["readings"])
        EXPECT_TRUE(reading["precise"].is_null()) << reading["zodiac"] << reading["view"];
}

TEST(PreciseUnavailable, BatchRowKeepsItsReadingsAndSaysWhyInItsError)
{
    const std::string header = "date,time,longitude,latitude,zone\n";
    const std::string row = "2050-12-31,12:00,10:00W,10:00N,-99";
    const auto plain = RunCli({"batch"}, header + row + "\n");
    const auto result = RunCli({"batch", "--precise"}, header + row + "\n" + row + "\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "2 of 2 rows have no precise Moon: their error column says why\n");
    // The row as without --precise, then four empty precise texts and the one line.
    std::string readings = plain.out.substr(plain.out.find('\n') + 1);
    readings.erase(readings.size() - 2); // the empty error and the line end
    const std::string expected = readings + ",,,,," + kBeyondItsYearsLine + "\n";
    EXPECT_EQ(result.out.substr(result.out.find('\n') + 1), expected + expected);
}

#else

TEST(PreciseNotBuilt, DetailsKeepTheirMayAndTheReadingHasNoFlag)
{
    const auto text = RunCli(Command("details", "2000-01-02", "14:37"));
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("\n  On the edge: a precise ephemeris may place the Moon in Sco\n"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("precise ephemeris agrees"), std::string::npos);

    const json details =
        json::parse(RunCli(Command("details", "2000-01-02", "14:37", {"--json"})).out);
    EXPECT_EQ(details["precise_unavailable"], kPreciseNotBuilt);
    for (const json& reading : details["readings"])
        EXPECT_TRUE(reading["precise"].is_null());

    EXPECT_EQ(RunCli(Command("reading", "2000-01-02", "14:37", {"--precise"})).status, 2);
    EXPECT_EQ(RunCli({"batch", "--precise"}, "date,time,longitude,latitude,zone\n").status, 2);
}

#endif

} // namespace
