// The dasha command run as a process: its JSON against the core's periods, its table, and the
// option values it refuses.
#include "CliRun.h"
#include "birth/ExampleBirths.h"
#include "ephemeris/MoonChoice.h"
#include "support/TestRows.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <optional>

namespace {

using cli_test::RunCli;
using modEphemeris::DashaPeriod;
using nlohmann::json;
using test_support::PrintTo;
using test_support::RowName;

/// The worked example's arguments, each option of `more` replacing the same option or added.
std::vector<std::string> Dasha(const std::vector<std::string>& more)
{
    std::vector<std::string> args{"dasha",  "--date",     "2000-01-01", "--time",
                                  "12:00",  "--zone",     "5:30",       "--longitude",
                                  "77:13E", "--latitude", "28:37N"};
    for (std::size_t k = 0; k < more.size(); ++k) {
        const auto same = std::find(args.begin(), args.end(), more[k]);
        if (same != args.end() && k + 1 < more.size())
            *(same + 1) = more[++k];
        else
            args.push_back(more[k]);
    }
    return args;
}

/// One level of the JSON's periods against the core's, and the levels below.
void ExpectSamePeriods(const json& shown, const std::vector<DashaPeriod>& periods,
                       std::size_t level)
{
    constexpr std::array<const char*, 3> kBelow{"antardashas", "pratyantardashas", "-"};
    ASSERT_EQ(shown.size(), periods.size());
    for (std::size_t i = 0; i < periods.size(); ++i) {
        const json& p = shown[i];
        EXPECT_EQ(p["lord"], std::string(periods[i].LordName()));
        EXPECT_EQ(p["start_ut"], modEphemeris::UniversalMinuteText(periods[i].start));
        EXPECT_EQ(p["end_ut"], modEphemeris::UniversalMinuteText(periods[i].end));
        EXPECT_EQ(p["shorter_than_band"], periods[i].shorterThanBand);
        ASSERT_EQ(p.contains(kBelow[level]), !periods[i].subperiods.empty());
        if (!periods[i].subperiods.empty())
            ExpectSamePeriods(p[kBelow[level]], periods[i].subperiods, level + 1);
    }
}

struct BirthRow
{
    const char* name;
    std::vector<std::string> more;       // in place of the worked example's or added
    std::optional<int> utcOffsetSeconds; // the moment of the same birth for the core
    double yearDays;
    double minutes;
    int levels;
    const char* birthUt;
};

class DashaJson : public testing::TestWithParam<BirthRow>
{
};

TEST_P(DashaJson, AsTheCoreComputesThem)
{
    const BirthRow& row = GetParam();
    std::vector<std::string> args = Dasha(row.more);
    args.emplace_back("--json");
    const auto result = RunCli(args);
    ASSERT_EQ(result.status, 0) << result.err;
    const json out = json::parse(result.out);

    modEphemeris::DashaStart start =
        modEphemeris::DashaStartFor({birth::WorkedExample(), row.utcOffsetSeconds});
    start.request.yearDays = row.yearDays;
    start.request.birthTimeMinutes = row.minutes;
    start.request.levels = row.levels;
    const modEphemeris::VimshottariDasha d = modEphemeris::ComputeVimshottari(start.request);
    EXPECT_EQ(out["birth_ut"], row.birthUt);
    EXPECT_EQ(out["moon"]["source"], modEphemeris::PreciseMoonBuilt() ? "precise" : "described");
    EXPECT_EQ(out["moon"]["longitude"].get<double>(), d.request.longitude); // the same double
    EXPECT_DOUBLE_EQ(out["moon"]["band_arcsec"].get<double>(), d.bandArcseconds);
    EXPECT_EQ(out["year_days"].get<double>(), row.yearDays);
    EXPECT_EQ(out["nakshatra"], "Swati");
    EXPECT_EQ(out["lord"], "Rahu");
    EXPECT_EQ(
        out["balance"],
        (json{{"years", d.balance.years}, {"months", d.balance.months}, {"days", d.balance.days}}));
    EXPECT_DOUBLE_EQ(out["band_days"].get<double>(), d.bandDays);
    ExpectSamePeriods(out["mahadashas"], d.mahadashas, 0);
    // The first period is the one running at birth: universal minutes sort as text.
    const std::string birthMinute = std::string(row.birthUt).substr(0, 16);
    EXPECT_LE(out["mahadashas"][0]["start_ut"].get<std::string>(), birthMinute);
    EXPECT_GT(out["mahadashas"][0]["end_ut"].get<std::string>(), birthMinute);
}

INSTANTIATE_TEST_SUITE_P(
    Births, DashaJson,
    testing::Values(
        BirthRow{"WorkedExample", {}, std::nullopt, 365.25, 0, 2, "2000-01-01 06:30:00"},
        // Another zone, three levels, a 360-day year and half an hour of birth time.
        BirthRow{
            "NepalsZoneThreeLevelsOf360DaysHalfAnHourOfBirthTime",
            {"--zone", "5:45", "--year-days", "360", "--levels", "3", "--time-uncertainty", "30"},
            5 * 3600 + 45 * 60, // for the core: the zone's instant as a true offset
            360,
            30,
            3,
            "2000-01-01 06:15:00"}),
    RowName<BirthRow>);

TEST(DashaText, ATableOfThePeriodsAndTheirMarks)
{
    const auto table = RunCli(Dasha({}));
    ASSERT_EQ(table.status, 0) << table.err;
    const json rahu = json::parse(RunCli(Dasha({"--json"})).out)["mahadashas"][0];
    EXPECT_NE(table.out.find("\nNakshatra  Swati, lord Rahu\n"), std::string::npos) << table.out;
    // Each mahadasha at the left, its sub-periods indented below it.
    EXPECT_NE(table.out.find("\nRahu          " + rahu["start_ut"].get<std::string>() + "  " +
                             rahu["end_ut"].get<std::string>() + "\n  Rahu        " +
                             rahu["antardashas"][0]["start_ut"].get<std::string>()),
              std::string::npos);
    EXPECT_EQ(std::count(table.out.begin(), table.out.end(), '\n'), 6 + 2 + 10 * 10);
    EXPECT_EQ(table.out.find('*'), std::string::npos); // nothing shorter than twice the band

    // A day of birth time either way: every sub-period is shorter than twice the band.
    const auto wide = RunCli(Dasha({"--time-uncertainty", "1440"}));
    EXPECT_NE(wide.out.find("  *\n  Jupiter "), std::string::npos);
    EXPECT_TRUE(wide.out.ends_with("\n* shorter than twice the band: near its dates, another "
                                   "period may be the one running\n"));
}

struct RefusalRow
{
    const char* name;
    std::vector<std::string> more;
    int status;
    const char* message; // the first line on standard error
};

class DashaRefusal : public testing::TestWithParam<RefusalRow>
{
};

TEST_P(DashaRefusal, SaysWhyAndWritesNothing)
{
    const RefusalRow& row = GetParam();
    const auto result = RunCli(Dasha(row.more));
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
        RefusalRow{"HalfALevel",
                   {"--levels", "2.5"},
                   2,
                   "--levels: The levels of periods must be 1, 2 or 3."},
        RefusalRow{"FourLevels",
                   {"--levels", "4"},
                   2,
                   "--levels: The levels of periods must be 1, 2 or 3."},
        // The birth itself is refused as the reading refuses it.
        RefusalRow{"TwentyNinthOfFebruary2001",
                   {"--date", "2001-02-29"},
                   1,
                   "Please Enter Correct Date Or Month!"}),
    RowName<RefusalRow>);

} // namespace
