// The lunar term tables, the sign codes, the day numbers and the range folding.
#include "EphemerisTestSupport.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace modEphemeris;
using ephemeris_test::PrintTo;

// --- Lunar term tables -------------------------------------------------------

struct TermTable
{
    const char* name;
    std::span<const LunarTerm> terms;
    bool oddInF; // latitude terms are odd in F, longitude and parallax terms even
};

const auto kTermTables = std::to_array<TermTable>({
    {"Longitude", kLongitudeTerms, false},
    {"Latitude", kLatitudeTerms, true},
    {"Parallax", kParallaxTerms, false},
});

class TermTableTest : public testing::TestWithParam<TermTable>
{
};

// The eccentricity factor belongs to exactly the terms that contain the Sun's anomaly.
TEST_P(TermTableTest, EccentricityFactorExactlyWhereTheSunsAnomalyAppears)
{
    for (std::size_t i = 0; i < GetParam().terms.size(); ++i) {
        const LunarTerm& t = GetParam().terms[i];
        EXPECT_EQ(t.timesE, t.m != 0) << "row " << i + 1;
    }
}

TEST_P(TermTableTest, ParityInFMatchesTheQuantity)
{
    for (std::size_t i = 0; i < GetParam().terms.size(); ++i) {
        EXPECT_EQ(std::abs(GetParam().terms[i].f) % 2 == 1, GetParam().oddInF) << "row " << i + 1;
    }
}

// Rows stand from the largest coefficient down, so a swapped or mistyped row shows.
TEST_P(TermTableTest, CoefficientsDecreaseInMagnitude)
{
    const auto terms = GetParam().terms;
    for (std::size_t i = 1; i < terms.size(); ++i) {
        EXPECT_GT(std::fabs(terms[i - 1].coefficient), std::fabs(terms[i].coefficient))
            << "row " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Moon, TermTableTest, testing::ValuesIn(kTermTables),
                         ephemeris_test::RowName<TermTable>);

// The latitude coefficients that differ from other printings of the series.
TEST(TermTables, KeepTheProgramsOwnLatitudeCoefficients)
{
    EXPECT_EQ(kLatitudeTerms[9].coefficient, 0.008823);
    EXPECT_EQ(kLatitudeTerms[10].coefficient, 0.008247);
    EXPECT_EQ(kLatitudeTerms[13].d, -2); // F - M - 2D
}

TEST(SignCodes, TwelveSignsFromAries)
{
    std::string joined;
    for (const std::string_view code : kSignCodes) {
        joined += code;
    }
    EXPECT_EQ(joined, "AriTauGemCanLeoVirLibScoSagCapAquPis");
}

// --- Julian day numbers --------------------------------------------------------

struct DayNumberRow
{
    const char* name;
    int month, day, year;
    int expected;
};

const auto kDayNumbers = std::to_array<DayNumberRow>({
    {"NewYear2000", 1, 1, 2000, 2451545},
    {"LeapDay2000", 2, 29, 2000, 2451604},
    {"March1_1900", 3, 1, 1900, 2415080},
    {"February29_1900RollsIntoMarch", 2, 29, 1900, 2415080},
    {"March2_2001", 3, 2, 2001, 2451971},
    {"February30_2001RollsIntoMarch", 2, 30, 2001, 2451971},
    {"October15_1582StaysJulian", 10, 15, 1582, 2299171},
    {"October16_1582IsGregorian", 10, 16, 1582, 2299162},
    {"NewYear1900", 1, 1, 1900, 2415021},
    {"NewYearsEve2050", 12, 31, 2050, 2470172},
    {"February1OfMinus4800CountsBackwards", 2, 1, -4800, -32111},
});

class DayNumberTest : public testing::TestWithParam<DayNumberRow>
{
};

TEST_P(DayNumberTest, CountsDays)
{
    const DayNumberRow& row = GetParam();
    EXPECT_EQ(JulianDayNumber(row.month, row.day, row.year), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Calendar, DayNumberTest, testing::ValuesIn(kDayNumbers),
                         ephemeris_test::RowName<DayNumberRow>);

struct DateRow
{
    const char* name;
    int jdn;
    CalendarDate expected;
};

const auto kDates = std::to_array<DateRow>({
    {"NewYear2000", 2451545, {2000, 1, 1}},
    {"LeapDay2000", 2451604, {2000, 2, 29}},
    {"March1_1900AfterNoLeapDay", 2415080, {1900, 3, 1}},
    {"October15_1582IsTheLastJulianDay", 2299171, {1582, 10, 15}},
    {"October5_1582IsJulian", 2299161, {1582, 10, 5}},
    {"October26_1582IsTheFirstGregorianDay", 2299172, {1582, 10, 26}},
    {"February1OfMinus4800", -32111, {-4800, 2, 1}},
});

class DateTest : public testing::TestWithParam<DateRow>
{
};

TEST_P(DateTest, NamesTheDayNumbersDate)
{
    const CalendarDate date = DateOfDayNumber(GetParam().jdn);
    const CalendarDate& e = GetParam().expected;
    EXPECT_EQ(std::to_array({date.year, date.month, date.day}),
              std::to_array({e.year, e.month, e.day}));
}

INSTANTIATE_TEST_SUITE_P(Calendar, DateTest, testing::ValuesIn(kDates),
                         ephemeris_test::RowName<DateRow>);

// Every day number maps to a date whose day number it is, over every year a birth can hold.
TEST(DateOfDayNumber, InvertsTheDayNumber)
{
    const int last = JulianDayNumber(12, 31, INT16_MAX);
    for (int jdn = JulianDayNumber(1, 1, INT16_MIN); jdn <= last; jdn += 37) {
        const CalendarDate d = DateOfDayNumber(jdn);
        ASSERT_EQ(JulianDayNumber(d.month, d.day, d.year), jdn);
    }
}

// The next day number is the next day of the calendar, but for the ten days that the
// Gregorian reform left out.
TEST(DateOfDayNumber, CountsEveryDayOnce)
{
    CalendarDate previous = DateOfDayNumber(JulianDayNumber(1, 1, 1));
    for (int jdn = JulianDayNumber(1, 2, 1); jdn <= JulianDayNumber(12, 31, 3000); ++jdn) {
        const CalendarDate d = DateOfDayNumber(jdn);
        const bool nextDay =
            d.year == previous.year && d.month == previous.month && d.day == previous.day + 1;
        const bool nextMonth =
            d.day == 1 && ((d.year == previous.year && d.month == previous.month + 1) ||
                           (d.month == 1 && previous.month == 12 && d.year == previous.year + 1));
        ASSERT_TRUE(nextDay || nextMonth || jdn == 2299172) << jdn;
        previous = d;
    }
}

// --- Sidereal time ------------------------------------------------------------------

TEST(SiderealTime, NegativeUniversalTimeFoldsIntoTheDay)
{
    EXPECT_NEAR(GreenwichSiderealTime(0, -3), 6.697374558 - 3 * 1.002737909, 1e-12);
    EXPECT_NEAR(LocalSiderealTime(1, 30), 23, 1e-12);  // 2 hours West of 1h
    EXPECT_NEAR(LocalSiderealTime(23, -30), 1, 1e-12); // 2 hours East of 23h
}

// --- Folding into a range -------------------------------------------------------

// The folding as described, one period at a time.
double FoldStepByStep(double x, double period)
{
    while (x < 0) {
        x += period;
    }
    while (x > period) {
        x -= period;
    }
    return x;
}

struct FoldRow
{
    const char* name;
    double period;
    double low, high; // range of values met in readings
};

const auto kFoldRows = std::to_array<FoldRow>({
    // The Moon's mean longitude plus its periodic terms, 1899 to 2051.
    {"MoonLongitude", 360, -491000, 250000},
    // Greenwich sidereal time before folding, zone up to 100 hours either way.
    {"SiderealTime", 24, -2550, 1400},
});

class FoldTest : public testing::TestWithParam<FoldRow>
{
};

// The single fmod step must give bit for bit what the stepwise folding gives.
TEST_P(FoldTest, EqualsStepByStepBitForBit)
{
    const FoldRow& row = GetParam();
    const double p = row.period;
    std::vector<double> values{0.0,
                               -0.0,
                               p,
                               -p,
                               2 * p,
                               -2 * p,
                               1e-300,
                               -1e-300,
                               -1e-17,
                               std::nextafter(p, 0.0),
                               std::nextafter(-p, 0.0)};
    for (int k = -3000; k <= 1500; k += 7) {
        values.push_back(std::nextafter(k * p, -1e9));
        values.push_back(std::nextafter(k * p, 1e9));
        values.push_back(k * p);
    }
    std::mt19937_64 rng(20000101);
    std::uniform_real_distribution<double> uniform(row.low, row.high);
    for (int i = 0; i < 50000; ++i) {
        values.push_back(uniform(rng));
    }
    for (const double x : values) {
        ASSERT_EQ(std::bit_cast<std::uint64_t>(FoldIntoRange(x, p)),
                  std::bit_cast<std::uint64_t>(FoldStepByStep(x, p)))
            << "x = " << x;
    }
}

INSTANTIATE_TEST_SUITE_P(Ranges, FoldTest, testing::ValuesIn(kFoldRows),
                         ephemeris_test::RowName<FoldRow>);

} // namespace
