// The reading command run as a process: the worked example, random births against the
// core, each refusal with its exact message, and usage errors.
#include "CliRun.h"
#include "RandomBirths.h"
#include "birth/ExampleBirths.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using cli_test::RunCli;

const std::vector<std::string> kWorkedExample{"--date",     "2000-01-01", "--time",      "12:00",
                                              "--zone",     "5:30",       "--longitude", "77:13E",
                                              "--latitude", "28:37N"};

std::vector<std::string> Reading(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "reading");
    return arguments;
}

/// The worked example's arguments with one option's value replaced (or added).
std::vector<std::string> WorkedExampleWith(const std::string& option, const std::string& value)
{
    std::vector<std::string> args = kWorkedExample;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2)
        if (args[i] == option) {
            args[i + 1] = value;
            return Reading(args);
        }
    args.push_back(option + "=" + value);
    return Reading(args);
}

std::string ReadingLines(const std::array<std::string, 4>& texts)
{
    return "sidereal geocentric " + texts[0] + "\nsidereal topocentric " + texts[1] +
           "\ntropical geocentric " + texts[2] + "\ntropical topocentric " + texts[3] + "\n";
}

std::array<std::string, 4> WorkedExampleTexts()
{
    const auto& t = birth::kWorkedExampleTexts;
    return {std::string(t[0]), std::string(t[1]), std::string(t[2]), std::string(t[3])};
}

TEST(ReadingCommand, WorkedExampleGivesItsFourTexts)
{
    const auto result = RunCli(Reading(kWorkedExample));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, ReadingLines(WorkedExampleTexts()));
    EXPECT_EQ(result.err, "");
}

TEST(ReadingCommand, WorkedExampleAsJson)
{
    std::vector<std::string> args = Reading(kWorkedExample);
    args.emplace_back("--json");
    const auto result = RunCli(args);
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    const auto texts = WorkedExampleTexts();
    EXPECT_EQ(json, (nlohmann::json{
                        {"sidereal", {{"geocentric", texts[0]}, {"topocentric", texts[1]}}},
                        {"tropical", {{"geocentric", texts[2]}, {"topocentric", texts[3]}}}}));
}

TEST(ReadingCommand, RandomBirthsReadAsTheCoreComputesThem)
{
    for (const cli_test::TextBirth& birth : cli_test::RandomBirths(40, 7U)) {
        const auto result = RunCli(Reading(birth.Arguments()));
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, ReadingLines(birth.expected)) << birth.CsvRow();
    }
}

// --- Refusals ----------------------------------------------------------------------

struct Refused
{
    std::string name;
    std::string option;
    std::string value;
    std::string message;
};

void PrintTo(const Refused& row, std::ostream* os)
{
    *os << row.name;
}

class ReadingRefusal : public testing::TestWithParam<Refused>
{
};

TEST_P(ReadingRefusal, SaysWhyOnStandardErrorAndExitsWithOne)
{
    const auto result = RunCli(WorkedExampleWith(GetParam().option, GetParam().value));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, GetParam().message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    EntryWindowChecks, ReadingRefusal,
    testing::Values(
        Refused{"ZoneHourAbove12", "--zone", "13",
                "Please Enter Value Between 0 And 12 in the Zone Hour"},
        Refused{"ZoneHourOnlyMinus", "--zone", "-",
                "Please Enter Value Between 0 And 12 in the Zone Hour"},
        Refused{"ZoneMinute60", "--zone", "5:60",
                "Please Enter Value Between 0 And 59 in the Zone Minute"},
        Refused{"LongitudeDegrees180", "--longitude", "180:00E",
                "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
        Refused{"LongitudeMinutes60", "--longitude", "77:60w",
                "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
        Refused{"LatitudeDegrees90", "--latitude", "90:00N",
                "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
        Refused{"LatitudeMinutesNotANumber", "--latitude", "28:xxS",
                "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
        Refused{"February29In2001", "--date", "2001-02-29", "Please Enter Correct Date Or Month!"},
        Refused{"April31", "--date", "2000-04-31", "Please Enter Correct Date Or Month !"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    WhatTheWindowCannotType, ReadingRefusal,
    testing::Values(
        Refused{"DateWithSlashes", "--date", "2000/01/01",
                "The date must be written as YYYY-MM-DD, such as 2000-01-01"},
        Refused{"Month13", "--date", "2000-13-01", "The month must lie between 1 and 12"},
        Refused{"Day32", "--date", "2000-01-32", "The day must lie between 1 and 31"},
        Refused{"Year1899", "--date", "1899-12-31", "The year must lie between 1900 and 2050"},
        Refused{"TimeWithoutMinutes", "--time", "12",
                "The time must be written as HH:MM or HH:MM:SS, such as 12:00"},
        Refused{"Hour24", "--time", "24:00", "The hour must lie between 0 and 23"},
        Refused{"Minute60", "--time", "12:60", "The minute must lie between 0 and 59"},
        Refused{"Second60", "--time", "12:00:60", "The seconds must lie between 0 and 59"},
        Refused{"LongitudeWithoutHemisphere", "--longitude", "77:13",
                "The longitude must be written as degrees:minutes and E or W, such as 77:13E"},
        Refused{"LatitudeWithoutMinutes", "--latitude", "28N",
                "The latitude must be written as degrees:minutes and N or S, such as 28:37N"},
        // The tool's forms have no fractions; the window's checks would round them unsaid.
        Refused{"ZoneHourWithAFraction", "--zone", "5.5",
                "The zone must be written as hours or hours:minutes, such as 5:30 for five and "
                "a half hours"},
        Refused{"ZoneMinutesWithAFraction", "--zone", "5:29.6",
                "The zone must be written as hours or hours:minutes, such as 5:30 for five and "
                "a half hours"},
        Refused{"LongitudeDegreesWithAFraction", "--longitude", "77.5:13E",
                "The longitude must be written as degrees:minutes and E or W, such as 77:13E"},
        Refused{"LatitudeMinutesWithAFraction", "--latitude", "28:36.6N",
                "The latitude must be written as degrees:minutes and N or S, such as 28:37N"}),
    [](const auto& info) { return info.param.name; });

// The window checks the zone before the date: so does the tool.
TEST(ReadingCommand, RefusesInTheWindowsOrder)
{
    std::vector<std::string> args = WorkedExampleWith("--zone", "13");
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--date")
            args[i + 1] = "2000-04-31";
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Please Enter Value Between 0 And 12 in the Zone Hour\n");
}

TEST(ReadingCommand, UtcOffsetRefusals)
{
    const std::vector<std::string> place{"reading",     "--date", "2000-01-01", "--time", "12:00",
                                         "--longitude", "77:13E", "--latitude", "28:37N"};
    const std::vector<std::pair<std::string, std::string>> rows{
        {"05:30", "The UTC offset must be written as +HH:MM or -HH:MM, such as +05:30 or -04:00"},
        {"+5:3", "The UTC offset must be written as +HH:MM or -HH:MM, such as +05:30 or -04:00"},
        {"+19:00", "The UTC offset must lie between -18:00 and +18:00"}};
    for (const auto& [offset, message] : rows) {
        std::vector<std::string> args = place;
        args.push_back("--utc-offset=" + offset);
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, 1) << offset;
        EXPECT_EQ(result.err, message + "\n") << offset;
    }
}

TEST(ReadingCommand, SecondsAndHemisphereCaseMakeNoDifference)
{
    const auto plain = RunCli(Reading(kWorkedExample));
    const auto varied = RunCli({"reading", "--date", "2000-1-1", "--time", "12:00:59", "--zone",
                                "-5:30", "--longitude", "77:13e", "--latitude", "28:37n"});
    EXPECT_EQ(varied.status, 0) << varied.err;
    EXPECT_EQ(varied.out, plain.out);
}

// --- Usage errors --------------------------------------------------------------------

struct Usage
{
    std::string name;
    std::vector<std::string> arguments;
};

void PrintTo(const Usage& row, std::ostream* os)
{
    *os << row.name;
}

class UsageError : public testing::TestWithParam<Usage>
{
};

TEST_P(UsageError, ExitsWithTwoAndAMessage)
{
    const auto result = RunCli(GetParam().arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageError,
    testing::Values(Usage{"NoCommand", {}}, Usage{"UnknownCommand", {"horoscope"}},
                    Usage{"UnknownOption", WorkedExampleWith("--colour", "blue")},
                    Usage{"NoInstant",
                          {"reading", "--date", "2000-01-01", "--time", "12:00", "--longitude",
                           "77:13E", "--latitude", "28:37N"}},
                    Usage{"ZoneAndUtcOffset", WorkedExampleWith("--utc-offset", "+05:30")},
                    Usage{"DaylightSavingWithoutZone",
                          {"reading", "--date", "2000-01-01", "--time", "12:00", "--utc-offset",
                           "+05:30", "--dst", "--longitude", "77:13E", "--latitude", "28:37N"}},
                    Usage{"NoLatitude",
                          {"reading", "--date", "2000-01-01", "--time", "12:00", "--zone", "5",
                           "--longitude", "77:13E"}},
                    Usage{"NoDate",
                          {"details", "--time", "12:00", "--zone", "5", "--longitude", "77:13E",
                           "--latitude", "28:37N"}},
                    Usage{"NoThreads", {"batch", "--threads", "0"}}),
    [](const auto& info) { return info.param.name; });

TEST(CommandLine, HelpAndVersionExitWithZero)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"reading", "--help"}, {"details", "--help"}, {"batch", "--help"}}) {
        const auto result = RunCli(args);
        EXPECT_EQ(result.status, 0) << args.front();
        EXPECT_NE(result.out.find("Usage"), std::string::npos) << args.back();
    }
    const auto version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "selenoscope-cli " SELENOSCOPE_VERSION "\n");
}

} // namespace
