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
#include "report/ReadingJson.h"
#include "support/TestRows.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using cli_test::RunCli;
using nlohmann::json;

/// A command for the worked example's place and zone at a minute of January 2000.
std::vector<std::string> Command(const std::string& command, int day, int hour, int minute,
                                 std::vector<std::string> more = {})
{
    std::vector<std::string> args{command,
                                  "--date",
                                  "2000-01-0" + std::to_string(day),
                                  "--time",
                                  std::to_string(hour) + ":" + (minute < 10 ? "0" : "") +
                                      std::to_string(minute),
                                  "--zone",
                                  "5:30",
                                  "--longitude",
                                  "77:13E",
                                  "--latitude",
                                  "28:37N"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

#ifdef SELENOSCOPE_PRECISE

struct PreciseRow
{
    const char* name;
    int day, hour, minute; // January 2000, at the worked example's place and zone
    std::size_t reading;   // the reading whose sign verdict is named, in the display's order
    const char* verdict;
};

class PreciseByCommand : public testing::TestWithParam<PreciseRow>
{
};

TEST_P(PreciseByCommand, DetailsAndReadingAsTheCoreGivesIt)
{
    const PreciseRow& row = GetParam();
    modEphemeris::BirthData birth = birth::WorkedExample();
    birth.BirthDay = static_cast<std::int16_t>(row.day);
    birth.BirthHour = static_cast<std::int16_t>(row.hour);
    birth.BirthMinute = static_cast<std::int16_t>(row.minute);
    const modEphemeris::MoonDetails core = modEphemeris::ComputeMoonDetails({birth, {}});
    const auto precise = modEphemeris::PreciseBesideDetails({birth, {}}, core).readings;
    ASSERT_TRUE(precise);

    const json details =
        json::parse(RunCli(Command("details", row.day, row.hour, row.minute, {"--json"})).out);
    EXPECT_FALSE(details.contains("precise_unavailable"));
    std::string lines; // what reading --precise prints after the readings
    for (std::size_t i = 0; i < precise->size(); ++i) {
        const modEphemeris::PreciseReading& p = (*precise)[i];
        const json& shown = details["readings"][i]["precise"];
        EXPECT_EQ(shown["longitude"].get<double>(), p.longitude); // the same double
        EXPECT_EQ(shown["text"], p.text);
        EXPECT_EQ(shown["sign_edge_arcsec"].get<double>(), p.signEdge.arcseconds);
        EXPECT_EQ(shown["verdict"], p.signVerdict);
        EXPECT_EQ(shown.value("nakshatra_verdict", ""), p.nakshatraVerdict);
        EXPECT_EQ(shown.value("pada", 0), p.nakshatra ? p.nakshatra->pada : 0);
        lines += std::string("precise ") + (i < 2 ? "sidereal " : "tropical ") +
                 (i % 2 == 0 ? "geocentric " : "topocentric ") + p.text + "\n";
    }
    EXPECT_EQ(details["readings"][row.reading]["precise"]["verdict"], row.verdict);

    // In text the verdict stands where the "may" stood.
    const std::string text = RunCli(Command("details", row.day, row.hour, row.minute)).out;
    EXPECT_NE(text.find("\n  " + std::string(row.verdict) + "\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("may place"), std::string::npos) << text;

    const auto reading = RunCli(Command("reading", row.day, row.hour, row.minute, {"--precise"}));
    EXPECT_EQ(reading.status, 0) << reading.err;
    EXPECT_TRUE(reading.out.ends_with(core.rows[3].text + "\n" + lines)) << reading.out;
    const json readingJson = json::parse(
        RunCli(Command("reading", row.day, row.hour, row.minute, {"--precise", "--json"})).out);
    EXPECT_EQ(readingJson["precise"]["tropical"]["topocentric"], (*precise)[3].text);
    EXPECT_EQ(readingJson["precise"]["sidereal"]["geocentric"], (*precise)[0].text);
}

INSTANTIATE_TEST_SUITE_P(
    Births, PreciseByCommand,
    testing::Values(
        PreciseRow{"sidereal_reading_1s_before_sco_precise_17s_past", 2, 14, 38, 0,
                   "A precise ephemeris places the Moon in Sco, 0\xC2\xB0 0' 17\" past the edge"},
        PreciseRow{"western_parallax_precise_itself_on_the_edge", 5, 17, 30, 3,
                   "On the edge: a precise ephemeris places the Moon in Sag, 0\xC2\xB0 0' 2\" "
                   "from its edge with Cap"}),
    test_support::RowName<PreciseRow>);

TEST(BatchPrecise, ColumnsAsTheCoreGivesThemWhateverTheThreads)
{
    // The births twice over: two blocks' worth of rows, so that both threads evaluate the
    // precise Moon at once, some of them at the same instants.
    std::string rows;
    std::string expected;
    for (const cli_test::TextBirth& birth : cli_test::RandomBirths(2800, 29U)) {
        const auto precise = modEphemeris::PreciseBesideReadings(
                                 birth.moment, modEphemeris::ComputeMoonReadings(birth.moment))
                                 .readings;
        ASSERT_TRUE(precise) << birth.CsvRow();
        rows += birth.CsvRow() + "\n";
        expected += birth.CsvRow();
        for (const std::string& text : birth.expected)
            csv::AppendQuoted(expected.append(","), text);
        for (const modEphemeris::PreciseReading& reading : *precise)
            csv::AppendQuoted(expected.append(","), reading.text);
        expected += ",\n";
    }
    const std::string file = cli_test::TempFile("precise.csv");
    cli_test::WriteFile(file, std::string(cli_test::kBirthColumns) + "\n" + rows + rows);
    for (const std::string threads : {"1", "2"}) {
        const auto result = RunCli({"batch", file, "--precise", "--threads", threads});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(result.out.starts_with(
            std::string(cli_test::kBirthColumns) +
            ",sidereal_geocentric,sidereal_topocentric,tropical_geocentric,tropical_topocentric,"
            "precise_sidereal_geocentric,precise_sidereal_topocentric,precise_tropical_"
            "geocentric,precise_tropical_topocentric,error\n"));
        EXPECT_TRUE(result.out.ends_with("\n" + expected + expected))
            << threads << " threads give other bytes";
    }
}

TEST(PreciseUnavailable, ReadingsAndDetailsStandBesideOneLine)
{
    // A zone hour with a minus sign is read by its size: 99 hours west of Greenwich moves the
    // last day of 2050 past the years the precise Moon covers.
    const std::vector<std::string> birth{"--date", "2050-12-31",  "--time", "12:00",      "--zone",
                                         "-99",    "--longitude", "10:00W", "--latitude", "10:00N"};
    const auto run = [&birth](std::vector<std::string> args, const std::string& input = "") {
        args.insert(args.begin() + 1, birth.begin(), birth.end());
        return RunCli(args, input);
    };
    const std::string line =
        "The precise Moon is unavailable: the precise Moon covers the years 1900 to 2050 only";

    const auto reading = run({"reading", "--precise"});
    EXPECT_EQ(reading.status, 1); // asked for and not there
    EXPECT_EQ(reading.out, run({"reading"}).out);
    EXPECT_EQ(reading.err, line + "\n");
    const json readingJson = json::parse(run({"reading", "--precise", "--json"}).out);
    EXPECT_TRUE(readingJson["precise"].is_null());
    EXPECT_EQ(readingJson["precise_unavailable"], line);

    const auto details = run({"details"});
    EXPECT_EQ(details.status, 0) << details.err; // the details are all there
    EXPECT_NE(details.out.find("Julian day      2470176.125000\n" + line + "\n\n"),
              std::string::npos)
        << details.out;
    EXPECT_EQ(details.out.find("  precise "), std::string::npos);
    const json detailsJson = json::parse(run({"details", "--json"}).out);
    EXPECT_EQ(detailsJson["precise_unavailable"], line);
    for (const json& row : detailsJson["readings"])
        EXPECT_TRUE(row["precise"].is_null());

    // A batch row keeps its readings, leaves the precise texts empty and says why.
    const std::string csv =
        "date,time,longitude,latitude,zone\n2050-12-31,12:00,10:00W,10:00N,-99\n";
    const std::string plain = RunCli({"batch"}, csv).out;
    const auto batch = RunCli({"batch", "--precise"}, csv);
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(batch.err, "1 of 1 rows have no precise Moon: their error column says why\n");
    const std::string plainRow = plain.substr(plain.find('\n') + 1); // its error empty
    EXPECT_TRUE(
        batch.out.ends_with(plainRow.substr(0, plainRow.size() - 2) + ",,,,," + line + "\n"))
        << batch.out;
}

#else

TEST(PreciseNotBuilt, DetailsKeepTheirMayAndTheCommandsHaveNoFlag)
{
    const auto text = RunCli(Command("details", 2, 14, 37));
    EXPECT_NE(text.out.find("\n  On the edge: a precise ephemeris may place the Moon in Sco\n"),
              std::string::npos)
        << text.out;
    const json details = json::parse(RunCli(Command("details", 2, 14, 37, {"--json"})).out);
    EXPECT_EQ(details["precise_unavailable"], report::kPreciseNotBuilt);
    for (const json& row : details["readings"])
        EXPECT_TRUE(row["precise"].is_null());
    EXPECT_EQ(RunCli(Command("reading", 2, 14, 37, {"--precise"})).status, 2);
    EXPECT_EQ(RunCli({"batch", "--precise"}, "date,time,longitude,latitude,zone\n").status, 2);
}

#endif

} // namespace
