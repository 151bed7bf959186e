// The dasha command run as a process: its JSON for a few births against the core's periods,
// its table, and the option values it refuses.
#include "CliRun.h"
#include "birth/ExampleBirths.h"
#include "ephemeris/MoonChoice.h"
#include "support/TestRows.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using cli_test::RunCli;
using modEphemeris::DashaPeriod;
using nlohmann::json;
using test_support::PrintTo;
using test_support::RowName;

const std::vector<std::string> kWorkedExample{"--date",     "2000-01-01", "--time",      "12:00",
                                              "--zone",     "5:30",       "--longitude", "77:13E",
                                              "--latitude", "28:37N"};

/// The command with the arguments, each option of `more` replacing the same option's value
/// there or added.
std::vector<std::string> Dasha(std::vector<std::string> arguments,
                               const std::vector<std::string>& more = {})
{
    for (std::size_t k = 0; k < more.size(); ++k) {
        const auto same = std::find(arguments.begin(), arguments.end(), more[k]);
        if (same != arguments.end() && k + 1 < more.size())
            *(same + 1) = more[++k];
        else
            arguments.push_back(more[k]);
    }
    arguments.insert(arguments.begin(), "dasha");
    return arguments;
}

modEphemeris::BirthData Birth(int year, int month, int day, int hour, int minute)
{
    modEphemeris::BirthData b = birth::WorkedExample();
    b.BirthYear = static_cast<std::int16_t>(year);
    b.BirthMonth = static_cast<std::int16_t>(month);
    b.BirthDay = static_cast<std::int16_t>(day);
    b.BirthHour = static_cast<std::int16_t>(hour);
    b.BirthMinute = static_cast<std::int16_t>(minute);
    return b;
}

struct BirthRow
{
    const char* name;
    std::vector<std::string> arguments; // after dasha
    modEphemeris::BirthMoment moment;   // the same birth for the core
    double yearDays;
    double minutes;
    int levels;
    const char* birthUt;
};

class DashaJson : public testing::TestWithParam<BirthRow>
{
};

/// One level of the JSON's periods against the core's, and the levels below.
void ExpectSamePeriods(const json& shown, const std::vector<DashaPeriod>& periods, int level)
{
    constexpr std::array<const char*, 3> kBelow{"antardashas", "pratyantardashas", "none"};
    ASSERT_EQ(shown.size(), periods.size());
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const json& p = shown[i];
        EXPECT_EQ(p["lord"], std::string(periods[i].LordName()));
        EXPECT_EQ(p["start_ut"], modEphemeris::UniversalMinuteText(periods[i].start));
        EXPECT_EQ(p["end_ut"], modEphemeris::UniversalMinuteText(periods[i].end));
        EXPECT_EQ(p["shorter_than_band"], periods[i].shorterThanBand);
        if (i > 0) {
            EXPECT_EQ(p["start_ut"], shown[i - 1]["end_ut"]); // end to end, no gap
        }
        const char* below = kBelow[static_cast<std::size_t>(level)];
        ASSERT_EQ(p.contains(below), !periods[i].subperiods.empty()) << below;
        if (p.contains(below))
            ExpectSamePeriods(p[below], periods[i].subperiods, level + 1);
    }
}

TEST_P(DashaJson, AsTheCoreComputesThem)
{
    const BirthRow& row = GetParam();
    const auto result = RunCli(Dasha(row.arguments, {"--json"}));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const json out = json::parse(result.out);

    modEphemeris::DashaStart start = modEphemeris::DashaStartFor(row.moment);
    start.request.yearDays = row.yearDays;
    start.request.birthTimeMinutes = row.minutes;
    start.request.levels = row.levels;
    const modEphemeris::VimshottariDasha d = modEphemeris::ComputeVimshottari(start.request);

    EXPECT_EQ(out["birth_ut"], row.birthUt);
    EXPECT_EQ(out["moon"]["source"], modEphemeris::PreciseMoonBuilt() ? "precise" : "described");
    EXPECT_EQ(out["moon"]["longitude"].get<double>(), d.request.longitude); // the same double
    EXPECT_DOUBLE_EQ(out["moon"]["band_arcsec"].get<double>(), d.bandArcseconds);
    EXPECT_EQ(out["year_days"].get<double>(), row.yearDays);
    EXPECT_EQ(out["nakshatra"], std::string(d.nakshatraName));
    EXPECT_EQ(out["lord"], std::string(modEphemeris::kDashaLords[d.firstLord].name));
    EXPECT_EQ(
        out["balance"],
        (json{{"years", d.balance.years}, {"months", d.balance.months}, {"days", d.balance.days}}));
    EXPECT_DOUBLE_EQ(out["band_days"].get<double>(), d.bandDays);
    ExpectSamePeriods(out["mahadashas"], d.mahadashas, 0);
    // The first period is the one running at birth; universal minutes sort as text.
    const std::string birthMinute = std::string(row.birthUt).substr(0, 16);
    EXPECT_LE(out["mahadashas"][0]["start_ut"].get<std::string>(), birthMinute);
    EXPECT_GT(out["mahadashas"][0]["end_ut"].get<std::string>(), birthMinute);
    EXPECT_EQ(out["mahadashas"][0]["lord"], out["lord"]);
}

INSTANTIATE_TEST_SUITE_P(
    Births, DashaJson,
    testing::Values(BirthRow{"WorkedExample",
                             kWorkedExample,
                             {birth::WorkedExample(), {}},
                             365.25,
                             0,
                             2,
                             "2000-01-01 06:30:00"},
                    // A true offset across midnight, three levels, a 360-day year and half an hour
                    // of birth time.
                    BirthRow{"NewYorkByTrueOffset",
                             {"--date", "1969-07-20", "--time", "22:56", "--utc-offset", "-04:00",
                              "--longitude", "74:00W", "--latitude", "40:43N", "--year-days", "360",
                              "--levels", "3", "--time-uncertainty", "30"},
                             {[] {
                                  modEphemeris::BirthData b = Birth(1969, 7, 20, 22, 56);
                                  b.LongitudeDegrees = 74;
                                  b.LongitudeMinutes = 0;
                                  b.LongitudeIsEast = false;
                                  b.LatitudeDegrees = 40;
                                  b.LatitudeMinutes = 43;
                                  return b;
                              }(),
                              -4 * 3600},
                             360,
                             30,
                             3,
                             "1969-07-21 02:56:00"},
                    // Zone fields west of Greenwich with daylight saving, the periods alone.
                    BirthRow{"LondonInSummerPeriodsOnly",
                             {"--date", "1985-07-01", "--time", "12:00", "--zone", "0", "--dst",
                              "--longitude", "0:07W", "--latitude", "51:30N", "--levels", "1"},
                             {[] {
                                  modEphemeris::BirthData b = Birth(1985, 7, 1, 12, 0);
                                  b.ZoneHours = 0;
                                  b.ZoneMinutes = 0;
                                  b.DaylightSaving = true;
                                  b.LongitudeDegrees = 0;
                                  b.LongitudeMinutes = 7;
                                  b.LongitudeIsEast = false;
                                  b.LatitudeDegrees = 51;
                                  b.LatitudeMinutes = 30;
                                  return b;
                              }(),
                              {}},
                             365.25,
                             0,
                             1,
                             "1985-07-01 11:00:00"}),
    RowName<BirthRow>);

TEST(DashaText, ATableOfThePeriodsAndTheirMarks)
{
    const auto table = RunCli(Dasha(kWorkedExample, {"--levels", "2"}));
    ASSERT_EQ(table.status, 0) << table.err;
    const json periods = json::parse(RunCli(Dasha(kWorkedExample, {"--json"})).out);
    EXPECT_TRUE(table.out.starts_with("Moon       The ")) << table.out;
    EXPECT_NE(table.out.find("\nNakshatra  Swati, lord Rahu\n"), std::string::npos);
    EXPECT_NE(table.out.find("\nPeriod        Begins (UT)       Ends (UT)\n"), std::string::npos);
    // Each mahadasha at the left, its sub-periods indented below it.
    const json& rahu = periods["mahadashas"][0];
    const json& jupiter = rahu["antardashas"][1];
    EXPECT_NE(table.out.find("\nRahu          " + rahu["start_ut"].get<std::string>() + "  " +
                             rahu["end_ut"].get<std::string>() + "\n  Rahu        "),
              std::string::npos);
    EXPECT_NE(table.out.find("\n  Jupiter     " + jupiter["start_ut"].get<std::string>() + "  " +
                             jupiter["end_ut"].get<std::string>() + "\n"),
              std::string::npos);
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 6 + 2 + 10 * 10);
    EXPECT_EQ(table.out.find('*'), std::string::npos); // the precise Moon's band marks nothing

    // A day of birth time either way: every sub-period is shorter than twice the band.
    const auto wide = RunCli(Dasha(kWorkedExample, {"--time-uncertainty", "1440"}));
    ASSERT_EQ(wide.status, 0) << wide.err;
    EXPECT_NE(wide.out.find("  *\n  Jupiter "), std::string::npos);
    EXPECT_TRUE(wide.out.ends_with("* shorter than twice the band: near its dates, another "
                                   "period may be the one running\n"));
}

struct RefusalRow
{
    const char* name;
    std::vector<std::string> more; // after the worked example's arguments
    int status;
    const char* message; // the first line on standard error
};

class DashaRefusal : public testing::TestWithParam<RefusalRow>
{
};

TEST_P(DashaRefusal, SaysWhyAndWritesNothing)
{
    const RefusalRow& row = GetParam();
    const auto result = RunCli(Dasha(kWorkedExample, row.more));
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Options, DashaRefusal,
    testing::Values(
        RefusalRow{"YearOf500Days",
                   {"--year-days", "500"},
                   2,
                   "--year-days: A dasha year must lie between 300 and 400 days."},
        RefusalRow{
            "YearNotANumber", {"--year-days", "abc"}, 2, "--year-days: 'abc' is not a number"},
        RefusalRow{"YearNaN",
                   {"--year-days", "nan"},
                   2,
                   "--year-days: A dasha year must lie between 300 and 400 days."},
        RefusalRow{"UncertaintyBelowZero",
                   {"--time-uncertainty", "-1"},
                   2,
                   "--time-uncertainty: The birth time's uncertainty must lie between 0 and 1440 "
                   "minutes."},
        RefusalRow{"FourLevels",
                   {"--levels", "4"},
                   2,
                   "--levels: The levels of periods must be 1, 2 or 3."},
        RefusalRow{"HalfALevel",
                   {"--levels", "2.5"},
                   2,
                   "--levels: The levels of periods must be 1, 2 or 3."},
        // The birth itself is refused as the reading refuses it.
        RefusalRow{"TwentyNinthOfFebruary2001",
                   {"--date", "2001-02-29"},
                   1,
                   "Please Enter Correct Date Or Month!"}),
    RowName<RefusalRow>);

} // namespace
