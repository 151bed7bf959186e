// The reading as a whole: texts, universal time, the topocentric shift, and a
// property test over every input the entry window lets through.
#include "EphemerisTestSupport.h"

#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <utility>

namespace {

using namespace modEphemeris;
using ephemeris_test::ParseArcseconds;
using ephemeris_test::PrintTo;
using ephemeris_test::RowName;
using ephemeris_test::WorkedExample;

// --- Texts ---------------------------------------------------------------------

struct WorkedTextRow
{
    const char* name;
    bool tropical;
    const char* geocentric;
    const char* topocentric;
};

const auto kWorkedTexts = std::to_array<WorkedTextRow>({
    {"Sidereal", false, "16\u00B0 42' 10\" Lib", "16\u00B0 13' 46\" Lib"},
    {"Tropical", true, "10\u00B0 33' 23\" Sco", "10\u00B0 4' 59\" Sco"},
});

class WorkedExampleTest : public testing::TestWithParam<WorkedTextRow>
{
};

TEST_P(WorkedExampleTest, GivesTheQuotedTexts)
{
    const MoonReading reading = ComputeMoonReading(WorkedExample(), GetParam().tropical);
    EXPECT_EQ(reading.GeocentricText, GetParam().geocentric);
    EXPECT_EQ(reading.TopocentricText, GetParam().topocentric);
}

INSTANTIATE_TEST_SUITE_P(Reading, WorkedExampleTest, testing::ValuesIn(kWorkedTexts),
                         RowName<WorkedTextRow>);

struct FormatRow
{
    const char* name;
    double longitude;
    const char* expected;
};

const auto kFormatRows = std::to_array<FormatRow>({
    {"FifteenDegreesTaurus", 45.1283, "15\u00B0 7' 41\" Tau"},
    {"SecondsCutNotRoundedIntoTaurus", 29.99999, "29\u00B0 59' 59\" Ari"},
    {"Zero", 0, "0\u00B0 0' 0\" Ari"},
    {"JustBelowOneDegree", std::nextafter(1.0, 0.0), "0\u00B0 59' 59\" Ari"},
    {"StartOfTaurus", 30, "0\u00B0 0' 0\" Tau"},
    {"HalfADegreeIntoPisces", 330.5, "0\u00B0 30' 0\" Pis"},
    {"JustBelow360", std::nextafter(360.0, 0.0), "29\u00B0 59' 59\" Pis"},
    {"Exactly360IsAriesAgain", 360, "0\u00B0 0' 0\" Ari"},
});

class FormatTest : public testing::TestWithParam<FormatRow>
{
};

TEST_P(FormatTest, WritesDegreesMinutesSecondsAndSign)
{
    EXPECT_EQ(FormatZodiacLongitude(GetParam().longitude), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Longitude, FormatTest, testing::ValuesIn(kFormatRows), RowName<FormatRow>);

// --- Universal time --------------------------------------------------------------

BirthData At(int hour, int minute, int zoneHours, int zoneMinutes, int longitude, bool east,
             bool dst)
{
    BirthData b = WorkedExample();
    b.BirthHour = static_cast<std::int16_t>(hour);
    b.BirthMinute = static_cast<std::int16_t>(minute);
    b.ZoneHours = static_cast<std::int16_t>(zoneHours);
    b.ZoneMinutes = static_cast<std::int16_t>(zoneMinutes);
    b.LongitudeDegrees = static_cast<std::int16_t>(longitude);
    b.LongitudeMinutes = 0;
    b.LongitudeIsEast = east;
    b.DaylightSaving = dst;
    return b;
}

struct UniversalTimeRow
{
    const char* name;
    BirthData birth;
    double expected;
};

const auto kUniversalTimes = std::to_array<UniversalTimeRow>({
    {"EastZone5h30", At(12, 0, 5, 30, 77, true, false), 6.5},
    {"EastZone5h30WithDaylightSaving", At(12, 0, 5, 30, 77, true, true), 5.5},
    {"WestZone5WithDaylightSaving", At(12, 0, 5, 0, 75, false, true), 16},
    {"WestZoneAheadOfGreenwichStillAdds", At(12, 0, 1, 0, 10, false, false), 13},
    {"LongitudeZeroMarkedEastCountsAsWest", At(12, 0, 5, 30, 0, true, false), 17.5},
    {"LongitudeZeroDaylightSavingShortensZone", At(12, 0, 5, 30, 0, true, true), 16.5},
    {"MinutesOfClockAndZone", At(12, 45, 3, 15, 50, false, false), 16},
    {"BelowZeroStaysUnfolded", At(2, 0, 5, 0, 77, true, false), -3},
    {"Of24AndMoreStaysUnfolded", At(22, 0, 5, 0, 75, false, false), 27},
});

class UniversalTimeTest : public testing::TestWithParam<UniversalTimeRow>
{
};

TEST_P(UniversalTimeTest, FollowsTheLongitudesHemisphere)
{
    EXPECT_DOUBLE_EQ(UniversalTime(GetParam().birth), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Zone, UniversalTimeTest, testing::ValuesIn(kUniversalTimes),
                         RowName<UniversalTimeRow>);

// A universal time outside 0 to 24 moves the instant into the neighbouring day,
// while T0 stays at 0h of the entered date.
struct NeighbouringDayRow
{
    const char* name;
    BirthData entered;
    BirthData sameInstant; // the same instant and place entered on the neighbouring day
    int dayShift;          // entered date minus the neighbouring date, days
};

BirthData OnDay(BirthData b, int year, int month, int day)
{
    b.BirthYear = static_cast<std::int16_t>(year);
    b.BirthMonth = static_cast<std::int16_t>(month);
    b.BirthDay = static_cast<std::int16_t>(day);
    return b;
}

const auto kNeighbouringDays = std::to_array<NeighbouringDayRow>({
    {"BelowZeroFallsOnThePreviousDay", OnDay(At(2, 0, 5, 0, 77, true, false), 2000, 1, 2),
     OnDay(At(21, 0, 0, 0, 77, true, false), 2000, 1, 1), 1},
    {"Of24AndMoreFallsOnTheNextDay", OnDay(At(22, 0, 5, 0, 75, false, false), 2000, 12, 31),
     OnDay(At(3, 0, 0, 0, 75, false, false), 2001, 1, 1), -1},
});

class NeighbouringDayTest : public testing::TestWithParam<NeighbouringDayRow>
{
};

TEST_P(NeighbouringDayTest, GivesTheSameReading)
{
    const NeighbouringDayRow& row = GetParam();
    const ReadingDetails entered = ComputeReadingDetails(row.entered, true);
    const ReadingDetails same = ComputeReadingDetails(row.sameInstant, true);
    EXPECT_DOUBLE_EQ(entered.T, same.T);
    EXPECT_NEAR(entered.T0 - same.T0, row.dayShift / 36525.0, 1e-15);
    EXPECT_NEAR(entered.gst, same.gst, 1e-7); // hours
    for (const bool tropical : {false, true}) {
        const MoonReading a = ComputeMoonReading(row.entered, tropical);
        const MoonReading b = ComputeMoonReading(row.sameInstant, tropical);
        EXPECT_EQ(a.GeocentricText, b.GeocentricText);
        EXPECT_EQ(a.TopocentricText, b.TopocentricText);
    }
}

INSTANTIATE_TEST_SUITE_P(Zone, NeighbouringDayTest, testing::ValuesIn(kNeighbouringDays),
                         RowName<NeighbouringDayRow>);

// --- Topocentric shift -------------------------------------------------------------

TEST(TopocentricEquatorial, OnTheMeridianOnlyTheDeclinationChanges)
{
    // A Moon south of the zenith of a northern observer is seen lower, by about
    // parallax times the sine of its zenith distance (here about 35 degrees).
    const EquatorialPosition topo = TopocentricEquatorial(10, 5, 0.95, 0, 40);
    EXPECT_EQ(topo.alpha, 10);
    EXPECT_NEAR(topo.delta, 5 - 0.95 * std::sin(35 * 0.0174532925199433), 0.01);
}

TEST(TopocentricEquatorial, OnTheWesternHorizonTheMoonMovesWestByItsParallax)
{
    const EquatorialPosition topo = TopocentricEquatorial(10, 0, 0.95, 90, 0);
    EXPECT_NEAR(topo.alpha, 10 - 0.95 / 15, 1e-3 / 15);
    EXPECT_EQ(topo.delta, 0);
}

// --- Property test over the reachable inputs ---------------------------------------------

// Sanity bounds of the lunar series and the topocentric shift, degrees.
constexpr double kParallaxLow = 0.89;
constexpr double kParallaxHigh = 1.03;
constexpr double kLatitudeLimit = 5.35;
constexpr double kTopocentricShiftLimit = 1.05;
constexpr double kArcsecondsPerCircle = 360.0 * 3600;

double CircularDifference(double a, double b, double circle)
{
    double d = std::fmod(a - b, circle);
    if (d > circle / 2) {
        d -= circle;
    } else if (d < -circle / 2) {
        d += circle;
    }
    return d;
}

std::string Describe(const BirthData& b)
{
    std::ostringstream s;
    s << b.BirthYear << '-' << b.BirthMonth << '-' << b.BirthDay << ' ' << b.BirthHour << ':'
      << b.BirthMinute << " zone " << b.ZoneHours << ':' << b.ZoneMinutes << " dst "
      << b.DaylightSaving << " lon " << b.LongitudeDegrees << ':' << b.LongitudeMinutes
      << (b.LongitudeIsEast ? "E" : "W") << " lat " << b.LatitudeDegrees << ':' << b.LatitudeMinutes
      << (b.LatitudeIsSouth ? "S" : "N");
    return s.str();
}

// Empty when every intermediate value is finite and within its range.
std::string CheckDetails(const ReadingDetails& d)
{
    const std::array values{d.longitude,     d.latitude,   d.ut,         d.T,           d.T0,
                            d.gst,           d.ayan,       d.eps,        d.moon.lambda, d.moon.beta,
                            d.moon.parallax, d.lambdaTopo, d.geocentric, d.topocentric};
    for (const double v : values) {
        if (!std::isfinite(v)) {
            return "a value is not finite";
        }
    }
    if (d.gst < 0 || d.gst > 24) {
        return "sidereal time out of range";
    }
    for (const double v : {d.moon.lambda, d.lambdaTopo, d.geocentric, d.topocentric}) {
        if (v < 0 || v > 360) {
            return "longitude out of range";
        }
    }
    if (d.moon.parallax < kParallaxLow || d.moon.parallax > kParallaxHigh) {
        return "parallax out of range";
    }
    if (std::fabs(d.moon.beta) > kLatitudeLimit) {
        return "latitude out of range";
    }
    if (std::fabs(CircularDifference(d.lambdaTopo, d.moon.lambda, 360)) > kTopocentricShiftLimit) {
        return "topocentric shift too large";
    }
    return {};
}

TEST(ReadingProperty, EveryReachableInputGivesSoundTexts)
{
    std::mt19937 rng(19000101);
    for (int i = 0; i < 100000; ++i) {
        const BirthData b = birth::RandomBirth(rng);

        const ReadingDetails sidereal = ComputeReadingDetails(b, false);
        ASSERT_EQ(CheckDetails(sidereal), "") << Describe(b);
        ASSERT_EQ(CheckDetails(ComputeReadingDetails(b, true)), "") << Describe(b);

        const MoonReading s = ComputeMoonReading(b, false);
        const MoonReading t = ComputeMoonReading(b, true);
        const std::array<std::pair<double, double>, 2> texts{{
            {ParseArcseconds(s.GeocentricText), ParseArcseconds(t.GeocentricText)},
            {ParseArcseconds(s.TopocentricText), ParseArcseconds(t.TopocentricText)},
        }};
        for (const auto& [siderealSeconds, tropicalSeconds] : texts) {
            ASSERT_GE(siderealSeconds, 0)
                << Describe(b) << ": " << s.GeocentricText << ", " << s.TopocentricText;
            ASSERT_GE(tropicalSeconds, 0)
                << Describe(b) << ": " << t.GeocentricText << ", " << t.TopocentricText;
            // Sidereal = tropical less the ayanamsa's magnitude; each text is cut to the second.
            const double off = CircularDifference(tropicalSeconds - siderealSeconds,
                                                  -sidereal.ayan * 3600, kArcsecondsPerCircle);
            ASSERT_LE(std::fabs(off), 1.0) << Describe(b);
        }
    }
}

} // namespace
