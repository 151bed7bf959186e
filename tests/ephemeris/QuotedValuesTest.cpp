// Reference values of the Moon computation, each checked to half a unit of the
// last digit it is quoted to.
#include "EphemerisTestSupport.h"

#include <array>

namespace {

using namespace modEphemeris;
using ephemeris_test::PrintTo;
using ephemeris_test::WorkedExample;

// Half a unit of the last quoted digit, by the number of decimals quoted.
constexpr double k3Decimals = 5e-4;
constexpr double k4Decimals = 5e-5;
constexpr double k5Decimals = 5e-6;
constexpr double k6Decimals = 5e-7;
constexpr double k7Decimals = 5e-8;
constexpr double k9Decimals = 5e-10;
constexpr double k10Decimals = 5e-11;
constexpr double k13Decimals = 5e-14;
constexpr double k14Decimals = 5e-15;

// 1992 April 12 at 0h universal time (Julian date 2448724.5).
double T1992()
{
    return (2448724.5 - 2451545) / 36525;
}

ReadingDetails Worked(bool tropical)
{
    return ComputeReadingDetails(WorkedExample(), tropical);
}
EquatorialPosition WorkedEquatorial()
{
    const ReadingDetails d = Worked(true);
    return EclipticToEquatorial(d.moon.lambda, d.moon.beta, d.eps);
}
double WorkedSouthLatitude()
{
    BirthData b = WorkedExample();
    b.LatitudeIsSouth = true;
    return ComputeReadingDetails(b, true).latitude;
}
double WorkedLst()
{
    const ReadingDetails d = Worked(true);
    return LocalSiderealTime(d.gst, d.longitude);
}

// How much more negative the ayanamsa grows per century: averaged over ten turns
// of the Moon's node (0.18613 centuries each) so that the nutation term cancels.
double AyanamsaLossPerCentury()
{
    constexpr int kSamples = 1000;
    double sum = 0;
    for (int i = 0; i < kSamples; ++i) {
        const double T = -1 + 1.8613 * i / kSamples;
        sum += Ayanamsa(T) - Ayanamsa(T + 1);
    }
    return sum / kSamples;
}

struct QuotedValue
{
    const char* name;
    double (*compute)();
    double expected;
    double tolerance;
};

const auto kQuotedValues = std::to_array<QuotedValue>({
    // Time scales, obliquity and ayanamsa.
    {"GstAtJ2000Midnight", [] { return GreenwichSiderealTime(0, 0); }, 6.697374558, k9Decimals},
    {"GstWorkedExample", [] { return GreenwichSiderealTime(-0.5 / 36525, 6.5); }, 13.182316,
     k6Decimals},
    {"AyanamsaWorkedExample", [] { return Ayanamsa((6.5 / 24 - 0.5) / 36525); }, -23.853718,
     k6Decimals},
    {"ObliquityAtJ2000", [] { return MeanObliquity(0); }, 23.452294, k6Decimals},
    {"ObliquityOneCenturyOn", [] { return MeanObliquity(1); }, 23.4392815, k7Decimals},
    {"AyanamsaLossPerCentury", AyanamsaLossPerCentury, 1.396, k3Decimals},

    // The Moon's geocentric position.
    {"MoonLongitudeAtJ2000", [] { return LunarPosition(0).lambda; }, 223.31610, k5Decimals},
    {"MoonLatitudeAtJ2000", [] { return LunarPosition(0).beta; }, 5.16892, k5Decimals},
    {"MoonParallaxAtJ2000", [] { return LunarPosition(0).parallax; }, 0.908028, k6Decimals},
    {"Centuries1992April12", T1992, -0.0772210815, k10Decimals},
    {"MoonLongitude1992April12", [] { return LunarPosition(T1992()).lambda; }, 133.15808,
     k5Decimals},
    {"MoonLatitude1992April12", [] { return LunarPosition(T1992()).beta; }, -3.22778, k5Decimals},
    {"MoonParallax1992April12", [] { return LunarPosition(T1992()).parallax; }, 0.991959,
     k6Decimals},

    // The worked example, step by step.
    {"WorkedUniversalTime", [] { return Worked(true).ut; }, 6.5, 0},
    {"WorkedMoonLongitude", [] { return Worked(true).moon.lambda; }, 220.556514, k6Decimals},
    {"WorkedMoonLatitude", [] { return Worked(true).moon.beta; }, 5.203886, k6Decimals},
    {"WorkedMoonParallax", [] { return Worked(true).moon.parallax; }, 0.909540, k6Decimals},
    {"WorkedObliquity", [] { return Worked(true).eps; }, 23.452294, k6Decimals},
    {"WorkedGst", [] { return Worked(true).gst; }, 13.182316, k6Decimals},
    {"WorkedLongitude", [] { return Worked(true).longitude; }, -77.216667, k6Decimals},
    {"WorkedLatitude", [] { return Worked(true).latitude; }, 28.616667, k6Decimals},
    {"WorkedLatitudeMadeSouth", WorkedSouthLatitude, -28.616667, k6Decimals},
    {"WorkedRightAscension", [] { return WorkedEquatorial().alpha; }, 14.652504, k6Decimals},
    {"WorkedDeclination", [] { return WorkedEquatorial().delta; }, -10.049275, k6Decimals},
    {"WorkedLocalSiderealTime", WorkedLst, 18.330094, k6Decimals},
    {"WorkedHourAngle", [] { return 15 * (WorkedLst() - WorkedEquatorial().alpha); }, 55.163853,
     k6Decimals},
    {"WorkedTopocentricLongitude", [] { return Worked(true).lambdaTopo; }, 220.083268, k6Decimals},
    {"WorkedTropicalLongitude", [] { return Worked(true).geocentric; }, 220.5565, k4Decimals},
    {"WorkedAyanamsa", [] { return Worked(false).ayan; }, -23.8537, k4Decimals},

    // The inverse trigonometric functions at their special points.
    {"ArcTangentNegativeXAxis", [] { return QuadrantArcTangent(0, -1); }, 3.14159265358979,
     k14Decimals},
    {"ArcTangentPositiveYAxis", [] { return QuadrantArcTangent(1, 0); }, 1.5707963267949,
     k13Decimals},
    {"ArcTangentOrigin", [] { return QuadrantArcTangent(0, 0); }, 0, 0},
    {"ArcSineOfOne", [] { return ArcSine(1); }, 1.5707963267949, k13Decimals},
    {"ArcSineOfMinusOne", [] { return ArcSine(-1); }, -1.5707963267949, k13Decimals},
});

class QuotedValueTest : public testing::TestWithParam<QuotedValue>
{
};

TEST_P(QuotedValueTest, MatchesToTheQuotedDigits)
{
    const QuotedValue& row = GetParam();
    EXPECT_NEAR(row.compute(), row.expected, row.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Moon, QuotedValueTest, testing::ValuesIn(kQuotedValues),
                         ephemeris_test::RowName<QuotedValue>);

} // namespace
