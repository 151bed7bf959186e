// All four readings from one computation of the Moon: bit for bit what the sidereal
// and the tropical call give, texts and longitudes alike.
#include "EphemerisTestSupport.h"
#include "ephemeris/MoonAtInstant.h"

#include <array>
#include <bit>
#include <cmath> // with glibc also sincos
#include <cstdint>
#include <random>

namespace {

using namespace modEphemeris;
using birth::RandomBirth;
using ephemeris_test::PrintTo;

std::uint64_t Bits(double x)
{
    return std::bit_cast<std::uint64_t>(x);
}

// Each in a function of its own, so that the compiler cannot merge them into one sincos.
[[gnu::noinline]] double Sine(double x)
{
    return std::sin(x);
}
[[gnu::noinline]] double Cosine(double x)
{
    return std::cos(x);
}

// The one-pass computation relies on it: sincos gives the bits of separate calls.
TEST(SinCos, GivesTheBitsOfSeparateSineAndCosine)
{
    std::mt19937_64 rng(20261209);
    // From small angles up to the unfolded arguments of the series in extreme years.
    for (const double scale : {1e-9, 1e-3, 1.0, 4.0, 100.0, 1e4, 1e6, 1e8}) {
        std::uniform_real_distribution<double> uniform(-scale, scale);
        for (int i = 0; i < 50000; ++i) {
            const double x = uniform(rng);
            double s = 0;
            double c = 0;
            ::sincos(x, &s, &c);
            ASSERT_EQ(Bits(s), Bits(Sine(x))) << "x = " << x;
            ASSERT_EQ(Bits(c), Bits(Cosine(x))) << "x = " << x;
        }
    }
}

// The unrolled series against the table's loops, over every year a birth can hold.
TEST(MoonPosition, EqualsLunarPositionBitForBit)
{
    std::mt19937_64 rng(1992);
    std::uniform_real_distribution<double> centuries(-350, 350);
    for (int i = 0; i < 100000; ++i) {
        const double T = i == 0 ? 0.0 : centuries(rng) / (i % 3 == 0 ? 1000 : 1);
        const LunarPositionResult described = LunarPosition(T);
        const LunarPositionResult fast = MoonPosition(T);
        ASSERT_EQ(Bits(fast.lambda), Bits(described.lambda)) << "T = " << T;
        ASSERT_EQ(Bits(fast.beta), Bits(described.beta)) << "T = " << T;
        ASSERT_EQ(Bits(fast.parallax), Bits(described.parallax)) << "T = " << T;
        ASSERT_EQ(Bits(MoonLongitude(T)), Bits(described.lambda)) << "T = " << T;
    }
}

// Texts and longitudes of one zodiac against the described call at the same ut.
void ExpectSameAsDescribed(const BirthData& b, const MoonReadings& r, double ut)
{
    for (const bool tropical : {false, true}) {
        const ReadingDetails d = ComputeReadingDetailsAt(b, tropical, ut);
        const ZodiacLongitudes& l = tropical ? r.tropicalLongitudes : r.siderealLongitudes;
        const MoonReading& texts = tropical ? r.tropical : r.sidereal;
        ASSERT_EQ(Bits(l.geocentric), Bits(d.geocentric)) << tropical << ' ' << ut;
        ASSERT_EQ(Bits(l.topocentric), Bits(d.topocentric)) << tropical << ' ' << ut;
        ASSERT_EQ(texts.GeocentricText, FormatZodiacLongitude(d.geocentric));
        ASSERT_EQ(texts.TopocentricText, FormatZodiacLongitude(d.topocentric));
    }
}

TEST(MoonReadings, EqualTheSiderealAndTheTropicalCallBitForBit)
{
    constexpr int kBirths = 200000;
    std::mt19937 rng(20000101);
    for (int i = 0; i < kBirths; ++i) {
        // One birth in ten from any year a birth can hold.
        const BirthData b = i % 10 == 0 ? RandomBirth(rng, INT16_MIN, INT16_MAX) : RandomBirth(rng);
        const MoonReadings r = ComputeMoonReadings({b, {}});
        for (const bool tropical : {false, true}) {
            const ReadingDetails d = ComputeReadingDetails(b, tropical);
            const MoonReading texts = ComputeMoonReading(b, tropical);
            const ZodiacLongitudes& l = tropical ? r.tropicalLongitudes : r.siderealLongitudes;
            const MoonReading& fast = tropical ? r.tropical : r.sidereal;
            ASSERT_EQ(fast.GeocentricText, texts.GeocentricText) << i;
            ASSERT_EQ(fast.TopocentricText, texts.TopocentricText) << i;
            ASSERT_EQ(Bits(l.geocentric), Bits(d.geocentric)) << i;
            ASSERT_EQ(Bits(l.topocentric), Bits(d.topocentric)) << i;
        }
    }
}

TEST(MoonReadingsAt, UniversalTimeOfTheZoneGivesComputeMoonReadings)
{
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        const BirthData b = RandomBirth(rng);
        const MoonReadings r = ComputeMoonReadings({b, {}});
        const MoonReadings at = ComputeMoonReadingsAt(b, UniversalTime(b));
        ASSERT_EQ(at.sidereal.GeocentricText, r.sidereal.GeocentricText);
        ASSERT_EQ(at.sidereal.TopocentricText, r.sidereal.TopocentricText);
        ASSERT_EQ(at.tropical.GeocentricText, r.tropical.GeocentricText);
        ASSERT_EQ(at.tropical.TopocentricText, r.tropical.TopocentricText);
        ASSERT_EQ(Bits(at.siderealLongitudes.topocentric), Bits(r.siderealLongitudes.topocentric));
        ASSERT_EQ(Bits(at.tropicalLongitudes.geocentric), Bits(r.tropicalLongitudes.geocentric));
    }
}

TEST(MoonReadingsAt, AnyOffsetGivesTheDescribedComputationAtThatInstant)
{
    std::mt19937 rng(8);
    std::uniform_int_distribution<int> offsets(-14 * 3600, 14 * 3600);
    for (int i = 0; i < 20000; ++i) {
        const BirthData b = RandomBirth(rng);
        const double ut = UniversalTimeForOffset(b, offsets(rng));
        ASSERT_NO_FATAL_FAILURE(ExpectSameAsDescribed(b, ComputeMoonReadingsAt(b, ut), ut));
    }
}

struct OffsetRow
{
    const char* name;
    int hour, minute;
    int offsetSeconds;
    double expected; // hours from 0h of the entered date
};

const auto kOffsets = std::to_array<OffsetRow>({
    {"TwoHoursEast", 12, 0, 7200, 10},
    {"FiveHoursThirtyWest", 12, 0, -19800, 17.5},
    {"Greenwich", 9, 45, 0, 9.75},
    {"LocalMeanTimeInSeconds", 12, 0, 3208, 12 - 3208 / 3600.0},
    {"BelowZeroStaysUnfolded", 0, 30, 3600, -0.5},
    {"Of24AndMoreStaysUnfolded", 23, 59, -43200, 23 + 59 / 60.0 + 12},
});

class UniversalTimeForOffsetTest : public testing::TestWithParam<OffsetRow>
{
};

TEST_P(UniversalTimeForOffsetTest, IsLocalTimeLessTheOffset)
{
    BirthData b = ephemeris_test::WorkedExample();
    b.BirthHour = static_cast<std::int16_t>(GetParam().hour);
    b.BirthMinute = static_cast<std::int16_t>(GetParam().minute);
    EXPECT_DOUBLE_EQ(UniversalTimeForOffset(b, GetParam().offsetSeconds), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Clock, UniversalTimeForOffsetTest, testing::ValuesIn(kOffsets),
                         ephemeris_test::RowName<OffsetRow>);

} // namespace
