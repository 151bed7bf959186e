// The details of a reading: sign and nakshatra edges, the minutes between which a
// reading keeps its sign, and the instant in words. The minutes are checked through the
// reading texts themselves, with the date rolled by a calendar of the test's own.
#include "ephemeris/MoonDetails.h"

#include "EphemerisTestSupport.h"
#include "birth/BirthRanges.h"

#include <array>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace modEphemeris {

// Failure messages show a minute as a date and a time.
void PrintTo(const CivilTime& m, std::ostream* os)
{
    *os << m.year << '-' << m.month << '-' << m.day << ' ' << m.hour << ':' << m.minute;
}

} // namespace modEphemeris

namespace {

using namespace modEphemeris;
using ephemeris_test::ParseArcseconds;
using ephemeris_test::PrintTo;
using ephemeris_test::RowName;

constexpr double kArcsecondTolerance = 1e-6;

// --- A calendar apart from the computation's day numbers ------------------------------

// One minute later (step +1) or earlier (-1).
CivilTime Step(CivilTime m, int step)
{
    m.minute += step;
    if (m.minute == 60 || m.minute < 0) {
        m.minute = (m.minute + 60) % 60;
        m.hour += step;
    }
    if (m.hour == 24 || m.hour < 0) {
        m.hour = (m.hour + 24) % 24;
        m.day += step;
    }
    if (m.day > birth::daysInMonth(m.year, m.month)) {
        m.day = 1;
        m.month += 1;
    } else if (m.day < 1) {
        m.month -= 1;
    }
    if (m.month > 12 || m.month < 1) {
        m.month = (m.month + 11) % 12 + 1;
        m.year += step;
    }
    if (m.day < 1) {
        m.day = birth::daysInMonth(m.year, m.month);
    }
    return m;
}

// --- Checks through the texts ------------------------------------------------------------

// The text of a row's reading for the birth entered at the given local minute.
std::string TextAt(BirthData birth, const CivilTime& m, const MoonDetailRow& row,
                   std::optional<int> utcOffsetSeconds)
{
    birth.BirthYear = static_cast<std::int16_t>(m.year);
    birth.BirthMonth = static_cast<std::int16_t>(m.month);
    birth.BirthDay = static_cast<std::int16_t>(m.day);
    birth.BirthHour = static_cast<std::int16_t>(m.hour);
    birth.BirthMinute = static_cast<std::int16_t>(m.minute);
    if (utcOffsetSeconds) {
        const ReadingDetails d = ComputeReadingDetailsAt(
            birth, row.tropical, UniversalTimeForOffset(birth, *utcOffsetSeconds));
        return FormatZodiacLongitude(row.topocentric ? d.topocentric : d.geocentric);
    }
    const MoonReading reading = ComputeMoonReading(birth, row.tropical);
    return row.topocentric ? reading.TopocentricText : reading.GeocentricText;
}

int SignShown(const std::string& text)
{
    return static_cast<int>(ParseArcseconds(text)) / (30 * 3600);
}

int NakshatraShown(const std::string& text)
{
    return static_cast<int>(ParseArcseconds(text)) / 48000;
}

// The part shown at the first and last minute is the birth's, and the neighbouring
// minutes show the previous and the next part.
template <class Shown>
void ExpectEnds(const BirthData& birth, std::optional<int> offset, const MoonDetailRow& row,
                const std::optional<CivilTime>& since, const std::optional<CivilTime>& until,
                int part, int parts, Shown shown)
{
    ASSERT_TRUE(since && until) << row.text;
    const auto at = [&](const CivilTime& m) { return shown(TextAt(birth, m, row, offset)); };
    EXPECT_EQ(at(*since), part) << row.text;
    EXPECT_EQ(at(Step(*since, -1)), (part + parts - 1) % parts) << row.text;
    EXPECT_EQ(at(*until), part) << row.text;
    EXPECT_EQ(at(Step(*until, +1)), (part + 1) % parts) << row.text;
}

void ExpectEdgesConfirmedByTexts(const BirthData& birth, std::optional<int> offset)
{
    const MoonDetails details = ComputeMoonDetails({birth, offset});
    for (const MoonDetailRow& row : details.rows) {
        ExpectEnds(birth, offset, row, row.sign_since, row.sign_until, row.sign, 12, SignShown);
        ASSERT_EQ(row.nakshatra.has_value(), !row.tropical);
        if (row.nakshatra) {
            ExpectEnds(birth, offset, row, row.nakshatra->nakshatra_since,
                       row.nakshatra->nakshatra_until, row.nakshatra->index, 27, NakshatraShown);
        }
    }
}

// --- Births found near edges -----------------------------------------------------------

BirthData Birth(int year, int month, int day, int hour, int minute, int zoneHours, int zoneMinutes,
                int lonDegrees, int lonMinutes, bool east, int latDegrees, int latMinutes,
                bool south, bool dst)
{
    const auto i16 = [](int v) { return static_cast<std::int16_t>(v); };
    return {.PersonName = "",
            .BirthMonth = i16(month),
            .BirthDay = i16(day),
            .BirthYear = i16(year),
            .BirthHour = i16(hour),
            .BirthMinute = i16(minute),
            .ZoneHours = i16(zoneHours),
            .ZoneMinutes = i16(zoneMinutes),
            .LongitudeDegrees = i16(lonDegrees),
            .LongitudeMinutes = i16(lonMinutes),
            .LongitudeIsEast = east,
            .LatitudeDegrees = i16(latDegrees),
            .LatitudeMinutes = i16(latMinutes),
            .LatitudeIsSouth = south,
            .DaylightSaving = dst};
}

constexpr bool kEast = true;
constexpr bool kWest = false;
constexpr bool kSouth = true;
constexpr bool kNorth = false;

struct EdgeRow
{
    const char* name;
    BirthData birth;
    std::optional<int> utcOffsetSeconds;
    std::size_t row; // the reading whose minutes are given, in the display's order
    const char* text;
    CivilTime since;
    CivilTime until;
};

const auto kEdges = std::to_array<EdgeRow>({
    {"WorkedExample",
     ephemeris_test::WorkedExample(),
     std::nullopt,
     0,
     "16\u00B0 42' 10\" Lib",
     {1999, 12, 31, 3, 7},
     {2000, 1, 2, 14, 38}},
    {"WorkedExampleAtTrueOffsetOfTwoHours",
     ephemeris_test::WorkedExample(),
     7200,
     0,
     "18\u00B0 27' 35\" Lib",
     {1999, 12, 30, 23, 37},
     {2000, 1, 2, 11, 8}},
    {"ThreeArcsecondsBeforeLibra",
     Birth(1993, 6, 1, 0, 0, 1, 0, 26, 38, kWest, 29, 20, kSouth, false),
     std::nullopt,
     1,
     "29\u00B0 59' 57\" Vir",
     {1993, 5, 29, 21, 54},
     {1993, 6, 1, 0, 0}},
    {"OneArcsecondIntoPisces",
     Birth(2011, 10, 10, 2, 53, 1, 0, 60, 23, kEast, 33, 11, kSouth, false),
     std::nullopt,
     1,
     "0\u00B0 0' 0\" Pis",
     {2011, 10, 10, 2, 53},
     {2011, 10, 12, 12, 59}},
    {"NextSignAtMidnight",
     Birth(1991, 9, 28, 18, 25, 12, 0, 126, 9, kWest, 16, 43, kNorth, false),
     std::nullopt,
     2,
     "12\u00B0 44' 50\" Gem",
     {1991, 9, 27, 20, 26},
     {1991, 9, 29, 23, 59}},
    {"SignSinceTheFirstOfTheMonth",
     Birth(1956, 12, 1, 0, 0, 1, 0, 107, 17, kEast, 22, 4, kSouth, false),
     std::nullopt,
     1,
     "0\u00B0 0' 12\" Sco",
     {1956, 12, 1, 0, 0},
     {1956, 12, 3, 12, 9}},
    {"SignSinceTheDayAfterALeapDay",
     Birth(1968, 3, 1, 0, 0, 12, 30, 114, 18, kEast, 70, 15, kSouth, true),
     std::nullopt,
     1,
     "0\u00B0 0' 8\" Pis",
     {1968, 3, 1, 0, 0},
     {1968, 3, 3, 9, 58}},
    {"SignSinceNewYear",
     Birth(2009, 1, 1, 0, 0, 1, 30, 37, 8, kWest, 10, 34, kNorth, true),
     std::nullopt,
     2,
     "0\u00B0 0' 12\" Pis",
     {2009, 1, 1, 0, 0},
     {2009, 1, 3, 9, 21}},
    {"SiderealMoonJustPastAries0",
     Birth(1974, 5, 19, 18, 8, 12, 30, 47, 8, kEast, 10, 32, kSouth, true),
     std::nullopt,
     0,
     "0\u00B0 0' 25\" Ari",
     {1974, 5, 19, 18, 8},
     {1974, 5, 21, 22, 26}},
    {"UntilInTheYearAfterTheLastListed",
     Birth(2050, 12, 31, 22, 0, 0, 0, 0, 0, kWest, 51, 28, kNorth, false),
     std::nullopt,
     2,
     "23\u00B0 46' 20\" Leo",
     {2050, 12, 30, 0, 24},
     {2051, 1, 1, 10, 14}},
    {"SinceInTheYearBeforeTheFirstListed",
     Birth(1900, 1, 1, 1, 0, 0, 0, 0, 0, kWest, 51, 28, kNorth, false),
     std::nullopt,
     0,
     "10\u00B0 32' 29\" Sag",
     {1899, 12, 31, 7, 12},
     {1900, 1, 2, 9, 9}},
});

class EdgeTest : public testing::TestWithParam<EdgeRow>
{
};

TEST_P(EdgeTest, GivesTheFirstAndLastMinuteOfTheSign)
{
    const EdgeRow& edge = GetParam();
    const MoonDetailRow row =
        ComputeMoonDetails({edge.birth, edge.utcOffsetSeconds}).rows[edge.row];
    EXPECT_EQ(row.text, edge.text);
    EXPECT_EQ(row.sign_since, edge.since);
    EXPECT_EQ(row.sign_until, edge.until);
}

TEST_P(EdgeTest, EveryReadingsEdgesAreConfirmedByItsTexts)
{
    ExpectEdgesConfirmedByTexts(GetParam().birth, GetParam().utcOffsetSeconds);
}

INSTANTIATE_TEST_SUITE_P(Details, EdgeTest, testing::ValuesIn(kEdges), RowName<EdgeRow>);

TEST(DetailsProperty, RandomBirthsEdgesAreConfirmedByTheirTexts)
{
    std::mt19937 rng(19740519);
    std::uniform_int_distribution<int> offsets(-14 * 3600, 14 * 3600);
    for (int i = 0; i < 300; ++i) {
        const BirthData b = birth::RandomBirth(rng);
        const std::optional<int> offset =
            i % 3 == 0 ? std::optional<int>(offsets(rng)) : std::nullopt;
        ASSERT_NO_FATAL_FAILURE(ExpectEdgesConfirmedByTexts(b, offset)) << i;
    }
}

TEST(Details, RowsShowTheFourReadingsInTheDisplaysOrder)
{
    const BirthData b = ephemeris_test::WorkedExample();
    const MoonReadings readings = ComputeMoonReadings({b, {}});
    const MoonDetails details = ComputeMoonDetails({b, {}});
    const std::array<std::string, 4> texts{
        readings.sidereal.GeocentricText, readings.sidereal.TopocentricText,
        readings.tropical.GeocentricText, readings.tropical.TopocentricText};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(details.rows[i].text, texts[i]);
        EXPECT_EQ(details.rows[i].tropical, i >= 2);
        EXPECT_EQ(details.rows[i].topocentric, i % 2 == 1);
    }
    EXPECT_EQ(details.rows[3].longitude, readings.tropicalLongitudes.topocentric);
    EXPECT_EQ(details.rows[2].signCode, "Sco");
}

// At the end of the years a birth can hold the search stops short: no minute is invented.
TEST(Details, NoEdgeWithinReachGivesNoMinute)
{
    const MoonDetails details = ComputeMoonDetails(
        {Birth(32767, 12, 31, 23, 0, 0, 0, 0, 0, kWest, 51, 28, kNorth, false), {}});
    for (const MoonDetailRow& row : details.rows) {
        EXPECT_TRUE(row.sign_since.has_value()) << row.text;
        EXPECT_FALSE(row.sign_until.has_value()) << row.text;
    }
}

// --- Edges of signs and nakshatras ------------------------------------------------------

struct SignEdgeRow
{
    const char* name;
    double longitude;
    double arcseconds;
    bool onEdge;
    const char* across;
};

const auto kSignEdges = std::to_array<SignEdgeRow>({
    {"ThirtySixThousandthsOfASecondBeforeTaurus", 29.99999, 0.036, true, "Tau"},
    {"StartOfTaurus", 30, 0, true, "Ari"},
    {"TwoMinutes59BeforeTaurus", 29 + 57 / 60.0 + 1 / 3600.0, 179, true, "Tau"},
    {"ThreeMinutes1BeforeTaurus", 29 + 56 / 60.0 + 59 / 3600.0, 181, false, "Tau"},
    {"JustBeforeAries", 359.99, 36, true, "Ari"},
    {"MiddleOfTaurusLeansForward", 45.5, 52200, false, "Gem"},
});

class SignEdgeTest : public testing::TestWithParam<SignEdgeRow>
{
};

TEST_P(SignEdgeTest, MeasuresToTheNearerEdge)
{
    const EdgeNearness edge = SignEdgeOf(GetParam().longitude);
    EXPECT_NEAR(edge.arcseconds, GetParam().arcseconds, kArcsecondTolerance);
    EXPECT_EQ(edge.onEdge, GetParam().onEdge);
    EXPECT_EQ(edge.across, GetParam().across);
}

INSTANTIATE_TEST_SUITE_P(Details, SignEdgeTest, testing::ValuesIn(kSignEdges),
                         RowName<SignEdgeRow>);

struct NakshatraRow
{
    const char* name;
    double longitude;
    const char* nakshatra;
    int pada;
    double arcseconds;
    const char* across;
};

const auto kNakshatras = std::to_array<NakshatraRow>({
    {"Zero", 0, "Ashwini", 1, 0, "Revati"},
    {"Exactly360IsAshwiniAgain", 360, "Ashwini", 1, 0, "Revati"},
    {"OneSecondBefore13Deg20", 13 + 19 / 60.0 + 59 / 3600.0, "Ashwini", 4, 1, "Bharani"},
    {"At13Deg20", 40 / 3.0, "Bharani", 1, 0, "Ashwini"},
    {"SecondPadaFrom3Deg20", 10 / 3.0, "Ashwini", 2, 12000, "Revati"},
    {"ThirdPadaOfRohini", 46.7, "Rohini", 3, 23880, "Mrigashira"},
    {"LastSecondIsRevati", 359 + 59 / 60.0 + 59 / 3600.0, "Revati", 4, 1, "Ashwini"},
});

class NakshatraTest : public testing::TestWithParam<NakshatraRow>
{
};

TEST_P(NakshatraTest, FollowsTheTextsSeconds)
{
    const NakshatraRow& row = GetParam();
    const NakshatraPlace n = NakshatraOf(row.longitude);
    EXPECT_EQ(n.name, row.nakshatra);
    EXPECT_EQ(kNakshatraNames[static_cast<std::size_t>(n.index)], row.nakshatra);
    EXPECT_EQ(n.pada, row.pada);
    EXPECT_NEAR(n.edge.arcseconds, row.arcseconds, kArcsecondTolerance);
    EXPECT_EQ(n.edge.onEdge, row.arcseconds <= kEdgeBudgetArcseconds);
    EXPECT_EQ(n.edge.across, row.across);
}

INSTANTIATE_TEST_SUITE_P(Details, NakshatraTest, testing::ValuesIn(kNakshatras),
                         RowName<NakshatraRow>);

// --- The instant ----------------------------------------------------------------------

struct InstantRow
{
    const char* name;
    BirthData birth;
    std::optional<int> utcOffsetSeconds;
    const char* rule;
    CivilTime universal;
    double julianDay;
};

constexpr double kJulianDayTolerance = 1e-9; // days

BirthData WorkedAt(int hour, int zoneHours, int zoneMinutes, int longitude, bool east, bool dst)
{
    return Birth(2000, 1, 1, hour, 0, zoneHours, zoneMinutes, longitude, 0, east, 28, 37, kNorth,
                 dst);
}

const auto kInstants = std::to_array<InstantRow>({
    {"WorkedExample",
     ephemeris_test::WorkedExample(),
     std::nullopt,
     "Zone 5 h 30 min east of Greenwich (East longitude), no daylight saving: "
     "universal time = local time \u2212 5:30",
     {2000, 1, 1, 6, 30, 0},
     2451544.5 + 6.5 / 24},
    {"EastWithDaylightSaving",
     WorkedAt(12, 5, 30, 77, kEast, true),
     std::nullopt,
     "Zone 5 h 30 min east of Greenwich (East longitude), daylight saving (clock one hour "
     "ahead): universal time = local time \u2212 6:30",
     {2000, 1, 1, 5, 30, 0},
     2451544.5 + 5.5 / 24},
    {"WestWithDaylightSaving",
     WorkedAt(12, 5, 0, 75, kWest, true),
     std::nullopt,
     "Zone 5 h 0 min west of Greenwich (West longitude), daylight saving (clock one hour "
     "ahead): universal time = local time + 4:00",
     {2000, 1, 1, 16, 0, 0},
     2451544.5 + 16.0 / 24},
    {"BeforeGreenwichMidnightIsThePreviousDay",
     WorkedAt(2, 5, 0, 77, kEast, false),
     std::nullopt,
     "Zone 5 h 0 min east of Greenwich (East longitude), no daylight saving: "
     "universal time = local time \u2212 5:00",
     {1999, 12, 31, 21, 0, 0},
     2451544.5 - 3.0 / 24},
    {"LongitudeZeroCountsAsWest",
     WorkedAt(12, 0, 0, 0, kEast, false),
     std::nullopt,
     "Zone 0 h 0 min west of Greenwich (longitude 0 counts as West), no daylight saving: "
     "universal time = local time",
     {2000, 1, 1, 12, 0, 0},
     2451545},
    {"TrueOffsetTwoHoursEast",
     ephemeris_test::WorkedExample(),
     7200,
     "The clock at the place kept UTC+02:00: universal time = local time \u2212 2:00",
     {2000, 1, 1, 10, 0, 0},
     2451544.5 + 10.0 / 24},
    {"TrueOffsetInSecondsWest",
     WorkedAt(20, 0, 0, 77, kWest, false),
     -(5 * 3600 + 50 * 60 + 47),
     "The clock at the place kept UTC\u221205:50:47: universal time = local time + 5:50:47",
     {2000, 1, 2, 1, 50, 47},
     2451544.5 + (20 + 5 + 50 / 60.0 + 47 / 3600.0) / 24},
});

class InstantTest : public testing::TestWithParam<InstantRow>
{
};

TEST_P(InstantTest, SaysHowLocalTimeBecameUniversalTime)
{
    const InstantRow& row = GetParam();
    const BirthInstant instant = ComputeMoonDetails({row.birth, row.utcOffsetSeconds}).instant;
    EXPECT_EQ(instant.rule, row.rule);
    const CivilTime& u = instant.universal;
    const CivilTime& e = row.universal;
    EXPECT_EQ(std::to_array({u.year, u.month, u.day, u.hour, u.minute, u.second}),
              std::to_array({e.year, e.month, e.day, e.hour, e.minute, e.second}));
    EXPECT_NEAR(instant.julianDay, row.julianDay, kJulianDayTolerance);
    EXPECT_EQ(instant.local,
              (CivilTime{row.birth.BirthYear, row.birth.BirthMonth, row.birth.BirthDay,
                         row.birth.BirthHour, row.birth.BirthMinute}));
}

INSTANTIATE_TEST_SUITE_P(Details, InstantTest, testing::ValuesIn(kInstants), RowName<InstantRow>);

} // namespace
