#include "EnteredBirth.h"
#include "atlas/AtlasTexts.h"
#include "atlas/EntryFields.h"
#include "atlas/PlaceClock.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using atlas::LocalTimeKind;
using atlas::Occurrence;
using modEphemeris::CivilTime;

constexpr int kHour = 3600;

struct ClockRow
{
    const char* name;
    std::string zone;
    CivilTime local;
    bool east;
    Occurrence occurrence;
    // The clock
    LocalTimeKind kind;
    int total;
    std::string abbreviation;
    int standard;
    // The zone fields
    std::string hour;
    std::string minute;
    bool daylightSaving;
    bool said;
};

void PrintTo(const ClockRow& row, std::ostream* os)
{
    *os << row.zone << ' ' << row.local.year << '-' << row.local.month << '-' << row.local.day
        << ' ' << row.local.hour << ':' << row.local.minute;
}

class ClockAndFieldsTest : public ::testing::TestWithParam<ClockRow>
{
};

TEST_P(ClockAndFieldsTest, ReadsTheClockAndChoosesTheFields)
{
    const ClockRow& row = GetParam();
    const atlas::ClockReading reading = atlas::readClock(row.zone, row.local, row.occurrence);
    ASSERT_TRUE(reading.clock) << reading.error;
    const atlas::PlaceClock& clock = *reading.clock;
    EXPECT_EQ(clock.kind, row.kind);
    EXPECT_EQ(clock.offset.totalSeconds, row.total);
    EXPECT_EQ(clock.offset.abbreviation, row.abbreviation);
    EXPECT_EQ(clock.offset.standardSeconds, row.standard);
    EXPECT_EQ(clock.offset.savingSeconds, row.total - row.standard);

    const atlas::ZoneFields fields = atlas::zoneFields(clock.offset, row.east);
    EXPECT_EQ(fields.hour, row.hour);
    EXPECT_EQ(fields.minute, row.minute);
    EXPECT_EQ(fields.daylightSaving, row.daylightSaving);
    EXPECT_EQ(fields.said, row.said);
}

constexpr bool East = true;
constexpr bool West = false;
constexpr auto First = Occurrence::First;
constexpr auto Second = Occurrence::Second;
constexpr auto Unique = LocalTimeKind::Unique;

// clang-format off
// name, zone, local time, hemisphere, occurrence; then the clock: kind, offset,
// abbreviation, standard offset; then the fields: hour, minute, DST, said.
INSTANTIATE_TEST_SUITE_P(
    Places, ClockAndFieldsTest,
    ::testing::Values(
        // London through the war: summer time all winter, double summer time.
        ClockRow{"London1941Winter", "Europe/London", {1941, 1, 15, 12}, West, First, Unique, kHour, "BST", kHour, "-1", "0", false, false},
        ClockRow{"London1941DoubleSummer", "Europe/London", {1941, 6, 15, 12}, West, First, Unique, 2 * kHour, "BDST", kHour, "-2", "0", false, false},
        ClockRow{"London1945DoubleSummer", "Europe/London", {1945, 6, 1, 12}, West, First, Unique, 2 * kHour, "BDST", kHour, "-2", "0", false, false},
        ClockRow{"London1946Summer", "Europe/London", {1946, 7, 1, 12}, West, First, Unique, kHour, "BST", 0, "0", "0", true, true},
        ClockRow{"London1947Winter", "Europe/London", {1947, 1, 15, 12}, West, First, Unique, 0, "GMT", 0, "0", "0", false, true},
        ClockRow{"London1947DoubleSummer", "Europe/London", {1947, 8, 1, 12}, West, First, Unique, 2 * kHour, "BDST", 0, "-2", "0", false, false},
        ClockRow{"London1969BritishStandardTime", "Europe/London", {1969, 1, 15, 12}, West, First, Unique, kHour, "BST", kHour, "-1", "0", false, false},
        ClockRow{"London1985Summer", "Europe/London", {1985, 7, 1, 12}, West, First, Unique, kHour, "BST", 0, "0", "0", true, true},
        // Kolkata: war time all year, and Madras mean time before the zone.
        ClockRow{"Kolkata1943WarTime", "Asia/Kolkata", {1943, 5, 1, 12}, East, First, Unique, 23400, "+0630", 23400, "6", "30", false, true},
        ClockRow{"Kolkata1900MadrasTime", "Asia/Kolkata", {1900, 5, 1, 12}, East, First, Unique, 19270, "MMT", 19270, "5", "21", false, true},
        // New York: the first daylight saving, war time, the year-round trial.
        ClockRow{"NewYork1918Summer", "America/New_York", {1918, 7, 1, 12}, West, First, Unique, -4 * kHour, "EDT", -5 * kHour, "5", "0", true, true},
        ClockRow{"NewYork1943WarTime", "America/New_York", {1943, 1, 15, 12}, West, First, Unique, -4 * kHour, "EWT", -4 * kHour, "4", "0", false, true},
        ClockRow{"NewYork1974WinterDaylight", "America/New_York", {1974, 1, 15, 12}, West, First, Unique, -4 * kHour, "EDT", -5 * kHour, "5", "0", true, true},
        ClockRow{"NewYork1970RepeatedFirst", "America/New_York", {1970, 10, 25, 1, 30}, West, First, LocalTimeKind::Repeated, -4 * kHour, "EDT", -5 * kHour, "5", "0", true, true},
        ClockRow{"NewYork1970RepeatedSecond", "America/New_York", {1970, 10, 25, 1, 30}, West, Second, LocalTimeKind::Repeated, -5 * kHour, "EST", -5 * kHour, "5", "0", false, true},
        // Dublin's winter is its standard time's negative saving in the zone's own terms.
        ClockRow{"DublinWinter", "Europe/Dublin", {1985, 1, 15, 12}, West, First, Unique, 0, "GMT", 0, "0", "0", false, true},
        ClockRow{"DublinSummer", "Europe/Dublin", {1985, 7, 15, 12}, West, First, Unique, kHour, "IST", 0, "0", "0", true, true},
        // Casablanca: an hour ahead, but not in Ramadan.
        ClockRow{"Casablanca2023Ramadan", "Africa/Casablanca", {2023, 4, 1, 12}, West, First, Unique, 0, "+00", 0, "0", "0", false, true},
        ClockRow{"Casablanca2023Summer", "Africa/Casablanca", {2023, 7, 1, 12}, West, First, Unique, kHour, "+01", kHour, "-1", "0", false, false},
        // Lord Howe saves half an hour.
        ClockRow{"LordHoweSummer", "Australia/Lord_Howe", {2020, 1, 1, 12}, East, First, Unique, 11 * kHour, "+11", 37800, "11", "0", false, true},
        ClockRow{"LordHoweWinter", "Australia/Lord_Howe", {2020, 7, 1, 12}, East, First, Unique, 37800, "+1030", 37800, "10", "30", false, true},
        // Apia skipped 30 December 2011 to cross the date line.
        ClockRow{"Apia2011SkippedDay", "Pacific/Apia", {2011, 12, 30, 12}, West, First, LocalTimeKind::Skipped, -10 * kHour, "-10", -11 * kHour, "11", "0", true, true},
        ClockRow{"Apia2012", "Pacific/Apia", {2012, 1, 1, 8}, West, First, Unique, 14 * kHour, "+14", 13 * kHour, "-14", "0", false, false},
        // Madrid: local mean time, then an hour or two ahead although west of Greenwich.
        ClockRow{"Madrid1900MeanTime", "Europe/Madrid", {1900, 6, 1, 12}, West, First, Unique, -884, "LMT", -884, "0", "15", false, true},
        ClockRow{"Madrid1980Summer", "Europe/Madrid", {1980, 7, 1, 12}, West, First, Unique, 2 * kHour, "CEST", kHour, "-2", "0", false, false},
        ClockRow{"Madrid2020Gap", "Europe/Madrid", {2020, 3, 29, 2, 30}, West, First, LocalTimeKind::Skipped, kHour, "CET", kHour, "-1", "0", false, false},
        // Beyond twelve hours, counted east (both really lie west of Greenwich): a minus sign
        // gets the hour past the entry checks.
        ClockRow{"ChathamCountedEast", "Pacific/Chatham", {2020, 1, 1, 12}, East, First, Unique, 49500, "+1345", 45900, "12", "45", true, true},
        ClockRow{"KiritimatiCountedEast", "Pacific/Kiritimati", {2020, 1, 1, 12}, East, First, Unique, 14 * kHour, "+14", 14 * kHour, "-14", "0", false, true},
        // East of Greenwich but behind it (the Aleutians past 180°).
        ClockRow{"AdakCountedEast", "America/Adak", {2020, 7, 1, 12}, East, First, Unique, -9 * kHour, "HDT", -10 * kHour, "9", "0", false, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PlaceClock, AZoneTheSystemLacksIsNamed)
{
    for (const std::string zone : {"Atlantis/Capital", "../../etc/passwd", "", "/etc/localtime"}) {
        const atlas::ClockReading reading = atlas::readClock(zone, {2000, 1, 1, 12});
        EXPECT_FALSE(reading.clock);
        EXPECT_EQ(reading.error,
                  "the time zone " + zone + " is not in this computer's time zone data");
    }
}

TEST(PlaceClock, ASkippedTimeSaysWhereTheClocksWent)
{
    const auto clock = atlas::readClock("Europe/Madrid", {2020, 3, 29, 2, 30}).clock;
    ASSERT_TRUE(clock);
    EXPECT_EQ(clock->changeFrom, (CivilTime{2020, 3, 29, 2, 0}));
    EXPECT_EQ(clock->changeTo, (CivilTime{2020, 3, 29, 3, 0}));
    EXPECT_EQ(atlas::universalTime(*clock), (CivilTime{2020, 3, 29, 1, 30}));
}

TEST(PlaceClock, UniversalTimeKeepsTheSecondsOfMeanTime)
{
    const auto clock = atlas::readClock("Europe/Madrid", {1900, 6, 1, 12}).clock;
    ASSERT_TRUE(clock);
    EXPECT_EQ(atlas::universalTime(*clock), (CivilTime{1900, 6, 1, 12, 14, 44}));
}

struct Rounding
{
    const char* name;
    std::int32_t microdegrees;
    int maxDegrees;
    int degrees;
    int minutes;
};

class ArcMinuteTest : public ::testing::TestWithParam<Rounding>
{
};

TEST_P(ArcMinuteTest, RoundsToTheNearestMinute)
{
    const Rounding& row = GetParam();
    const atlas::DegreesMinutes a = atlas::roundToArcMinute(row.microdegrees, row.maxDegrees);
    EXPECT_EQ(a.degrees, row.degrees);
    EXPECT_EQ(a.minutes, row.minutes);
}

INSTANTIATE_TEST_SUITE_P(Angles, ArcMinuteTest,
                         ::testing::Values(Rounding{"Madrid", -3702560, 179, 3, 42},
                                           Rounding{"HalfMinuteUp", 8334, 179, 0, 1},
                                           Rounding{"JustBelowHalfMinute", 8333, 179, 0, 0},
                                           Rounding{"CarryIntoTheDegree", 59999990, 179, 60, 0},
                                           Rounding{"DateLineHeldAt179", -179999800, 179, 179, 59},
                                           Rounding{"PoleHeldAt89", 89999900, 89, 89, 59},
                                           Rounding{"Exactly180", 180000000, 179, 179, 59}),
                         [](const auto& info) { return std::string(info.param.name); });

atlas::Place placeAt(std::int32_t latitude, std::int32_t longitude)
{
    atlas::Place place;
    place.name = "Somewhere";
    place.latitudeMicro = latitude;
    place.longitudeMicro = longitude;
    return place;
}

TEST(EntryFields, ALongitudeRoundingToZeroIsWest)
{
    EXPECT_FALSE(atlas::entryFields(placeAt(51000000, 4000), nullptr).east);
    EXPECT_FALSE(atlas::entryFields(placeAt(51000000, -20000), nullptr).east);
    EXPECT_TRUE(atlas::entryFields(placeAt(51000000, 20000), nullptr).east);
    EXPECT_FALSE(atlas::entryFields(placeAt(-4000, 0), nullptr).south);
    EXPECT_TRUE(atlas::entryFields(placeAt(-20000, 0), nullptr).south);
}

TEST(EntryFields, WithoutAClockTheZoneIsLeftAlone)
{
    EXPECT_FALSE(atlas::entryFields(placeAt(0, 0), nullptr).zone);
}

TEST(AtlasTexts, ClockLineAndNotes)
{
    const auto summer = atlas::readClock("Europe/Madrid", {1980, 7, 1, 12}).clock;
    ASSERT_TRUE(summer);
    EXPECT_EQ(atlas::clockLine(*summer),
              "Europe/Madrid on 1 July 1980 at 12:00: UTC+02:00, CEST, daylight saving in force");

    const auto gap = atlas::readClock("Europe/Madrid", {2020, 3, 29, 2, 30}).clock;
    ASSERT_TRUE(gap);
    const auto gapNotes = atlas::clockNotes("Madrid", *gap, {"0", "0", false, true}, false);
    ASSERT_EQ(gapNotes.size(), 1u);
    EXPECT_EQ(gapNotes[0], "Clocks at Madrid went from 02:00 to 03:00 that night; 02:30 did not "
                           "exist. The offset before the change is used.");

    const auto repeated = atlas::readClock("America/New_York", {1970, 10, 25, 1, 30}).clock;
    ASSERT_TRUE(repeated);
    const auto repeatedNotes = atlas::clockNotes("New York", *repeated, {}, false);
    ASSERT_EQ(repeatedNotes.size(), 1u);
    EXPECT_EQ(repeatedNotes[0], "01:30 happened twice that night: first on daylight time, "
                                "UTC\u221204:00, then on standard time, UTC\u221205:00.");
    EXPECT_EQ(atlas::occurrenceCaptions(*repeated),
              (std::vector<std::string>{"First, on daylight time (UTC\u221204:00)",
                                        "Second, on standard time (UTC\u221205:00)"}));

    const auto meanTime = atlas::readClock("Europe/Madrid", {1900, 6, 1, 12}).clock;
    ASSERT_TRUE(meanTime);
    EXPECT_EQ(atlas::clockNotes("Madrid", *meanTime, {}, false).back(),
              "Offsets before 1970 are the best record available.");
    EXPECT_EQ(atlas::clockLine(*meanTime),
              "Europe/Madrid on 1 June 1900 at 12:00: UTC\u221200:14:44, LMT, local mean time");
    EXPECT_EQ(atlas::clockNotes("Madrid", *meanTime, {}, false).front(),
              "Madrid kept local mean time on 1 June 1900 at 12:00, not a time zone: "
              "UTC\u221200:14:44, 00:14:44 behind universal time.");
}

/// Universal time of the answer "Use 10:00 UT": the clock's true offset; hours from 0h
/// of the entered date.
double clockHours(const modEphemeris::BirthData& entered, const atlas::PlaceClock& clock)
{
    return modEphemeris::UniversalTime({entered, clock.offset.totalSeconds});
}

TEST(AtlasTexts, TheQuestionWhenTheFieldsCannotSayTheClock)
{
    const auto clock = atlas::readClock("Europe/Madrid", {1980, 7, 1, 12}).clock;
    ASSERT_TRUE(clock);
    const atlas::EntryFields fields = atlas::entryFields(placeAt(40416500, -3702560), &*clock);
    ASSERT_TRUE(fields.zone);
    EXPECT_FALSE(fields.zone->said);
    const modEphemeris::BirthData entered = enteredBirth(fields, clock->local);
    const auto question = atlas::zoneQuestion("Madrid", *clock, entered);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text,
              "Madrid kept UTC+02:00 (CEST) at this birth, so it was 10:00 universal time. The "
              "zone as entered counts a place west of Greenwich as behind Greenwich and would "
              "give 14:00.");
    EXPECT_EQ(question->useClockCaption, "Use 10:00 UT");
    EXPECT_EQ(question->useEnteredCaption, "Use the zone as entered");
    EXPECT_DOUBLE_EQ(clockHours(entered, *clock), 10.0);
    EXPECT_EQ(entered.LongitudeDegrees, 3);
    EXPECT_EQ(entered.LongitudeMinutes, 42);
}

TEST(AtlasTexts, TheQuestionAcrossMidnight)
{
    const auto clock = atlas::readClock("Pacific/Apia", {2012, 1, 1, 8}).clock;
    ASSERT_TRUE(clock);
    const atlas::EntryFields fields = atlas::entryFields(placeAt(-13833330, -171766660), &*clock);
    const modEphemeris::BirthData entered = enteredBirth(fields, clock->local);
    const auto question = atlas::zoneQuestion("Apia", *clock, entered);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text,
              "Apia kept UTC+14:00 (+14) at this birth, so it was 18:00 universal time the day "
              "before. The zone as entered counts a place west of Greenwich as behind Greenwich "
              "and would give 22:00.");
    // 18:00 on 31 December 2011: six hours before the entered date began.
    EXPECT_DOUBLE_EQ(clockHours(entered, *clock), -6.0);
}

TEST(AtlasTexts, NoQuestionWhenTheFieldsSayTheClock)
{
    const auto clock = atlas::readClock("Europe/London", {1985, 7, 1, 12}).clock;
    ASSERT_TRUE(clock);
    const atlas::EntryFields fields = atlas::entryFields(placeAt(51508530, -125740), &*clock);
    EXPECT_FALSE(atlas::zoneQuestion("London", *clock, enteredBirth(fields, clock->local)));
}

} // namespace
