// Where a birth's periods start from: the birth place's clock that its moment implies, and the
// Moon chosen, the precise one when it is given.
#include "EphemerisTestSupport.h"
#include "ephemeris/MoonChoice.h"
#include "ephemeris/PreciseReading.h"

#include <optional>

namespace {

using namespace modEphemeris;
using ephemeris_test::RowName;

struct ClockRow
{
    const char* name;
    int zoneHours;
    int zoneMinutes;
    bool east;
    int longitudeDegrees;
    bool daylightSaving;
    std::optional<int> utcOffsetSeconds;
    int expected; // seconds, East positive
};

class ClockOffset : public testing::TestWithParam<ClockRow>
{
};

TEST_P(ClockOffset, AsTheMomentImpliesIt)
{
    const ClockRow& row = GetParam();
    BirthData birth = ephemeris_test::WorkedExample();
    birth.ZoneHours = static_cast<std::int16_t>(row.zoneHours);
    birth.ZoneMinutes = static_cast<std::int16_t>(row.zoneMinutes);
    birth.LongitudeIsEast = row.east;
    birth.LongitudeDegrees = static_cast<std::int16_t>(row.longitudeDegrees);
    birth.LongitudeMinutes = 0;
    birth.DaylightSaving = row.daylightSaving;
    const BirthMoment moment{birth, row.utcOffsetSeconds};
    EXPECT_EQ(ClockOffsetSeconds(moment), row.expected);
    // Local time is universal time plus the offset: the birth's own clock time comes back.
    const CivilTime local = ClockMinuteOf(DashaRequestFor(moment).julianDay, row.expected);
    EXPECT_EQ(local, (CivilTime{2000, 1, 1, 12, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Moments, ClockOffset,
    testing::Values(
        ClockRow{"ZoneEast", 5, 30, true, 77, false, std::nullopt, 19800},
        ClockRow{"ZoneWestWithDaylightSaving", 5, 0, false, 74, true, std::nullopt, -4 * 3600},
        ClockRow{"ZoneEastWithDaylightSaving", 1, 0, true, 3, true, std::nullopt, 7200},
        ClockRow{"LongitudeZeroCountsAsWest", 1, 0, true, 0, false, std::nullopt, -3600},
        // Madrid's local mean time, east of its longitude's hemisphere's rule.
        ClockRow{"TrueOffsetWithSeconds", 0, 15, false, 3, false, -884, -884}),
    RowName<ClockRow>);

struct StartRow
{
    const char* name;
    std::optional<double> preciseSidereal; // degrees; none: unavailable
};

class Start : public testing::TestWithParam<StartRow>
{
};

TEST_P(Start, FromThePreciseMoonWhenGiven)
{
    const StartRow& row = GetParam();
    const BirthMoment moment{ephemeris_test::WorkedExample(), {}};
    PreciseMoon precise{std::nullopt, "the precise Moon covers the years 1900 to 2050 only"};
    if (row.preciseSidereal) {
        precise = {PreciseLongitudes{{*row.preciseSidereal, 0}, {0, 0}}, {}};
    }
    const DashaRequest own = DashaRequestFor(moment);
    const DashaStart start = DashaStartFor(moment, precise);
    EXPECT_EQ(start.request.julianDay, own.julianDay);
    EXPECT_EQ(start.request.moonMotion, own.moonMotion);
    EXPECT_EQ(start.request.longitude, row.preciseSidereal.value_or(own.longitude));
    EXPECT_EQ(start.request.source,
              row.preciseSidereal ? MoonSource::precise : MoonSource::described);
    EXPECT_EQ(start.request.moonErrorArcseconds,
              row.preciseSidereal ? kPreciseEdgeBudgetArcseconds : kDescribedMoonErrorArcseconds);
    EXPECT_EQ(start.preciseUnavailable, row.preciseSidereal ? "" : precise.unavailable);
}

INSTANTIATE_TEST_SUITE_P(Moons, Start,
                         testing::Values(StartRow{"PreciseMoonGiven", 196.7112},
                                         StartRow{"PreciseMoonUnavailable", std::nullopt}),
                         RowName<StartRow>);

// A build says whether it has the precise Moon, and then uses it.
TEST(Start, ThisBuildsChoice)
{
    const DashaStart start = DashaStartFor({ephemeris_test::WorkedExample(), {}});
    EXPECT_EQ(start.request.source,
              PreciseMoonBuilt() ? MoonSource::precise : MoonSource::described);
    EXPECT_EQ(start.preciseUnavailable.empty(), PreciseMoonBuilt());
}

} // namespace
