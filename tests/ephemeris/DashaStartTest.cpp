// Where a birth's periods start from: the birth place's clock its moment implies, and the Moon
// chosen, the precise one when it is given.
#include "EphemerisTestSupport.h"
#include "ephemeris/MoonChoice.h"
#include "ephemeris/PreciseReading.h"

#include <optional>

namespace {

using namespace modEphemeris;
using ephemeris_test::PrintTo;
using ephemeris_test::RowName;

struct ClockRow
{
    const char* name;
    int zoneMinutes; // the zone fields, without sign
    bool east;
    int longitudeDegrees;
    bool daylightSaving;
    std::optional<int> utcOffsetSeconds;
    int expected; // seconds, East positive
};

class ClockOffset : public testing::TestWithParam<ClockRow>
{
};

TEST_P(ClockOffset, IsTheOneThatGaveUniversalTime)
{
    const ClockRow& row = GetParam();
    BirthData birth = ephemeris_test::WorkedExample();
    birth.ZoneHours = static_cast<std::int16_t>(row.zoneMinutes / 60);
    birth.ZoneMinutes = static_cast<std::int16_t>(row.zoneMinutes % 60);
    birth.LongitudeIsEast = row.east;
    birth.LongitudeDegrees = static_cast<std::int16_t>(row.longitudeDegrees);
    birth.LongitudeMinutes = 0;
    birth.DaylightSaving = row.daylightSaving;
    const BirthMoment moment{birth, row.utcOffsetSeconds};
    EXPECT_EQ(ClockOffsetSeconds(moment), row.expected);
    // Universal time plus the offset gives the birth's own clock time back.
    EXPECT_EQ(ClockMinuteOf(DashaRequestFor(moment).julianDay, row.expected),
              (CivilTime{2000, 1, 1, 12, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Moments, ClockOffset,
    testing::Values(ClockRow{"ZoneEast", 330, true, 77, false, std::nullopt, 19800},
                    ClockRow{"ZoneWestDaylightSaving", 300, false, 74, true, std::nullopt, -14400},
                    ClockRow{"LongitudeZeroCountsAsWest", 60, true, 0, false, std::nullopt, -3600},
                    ClockRow{"TrueOffsetInSeconds", 15, false, 3, false, -884, -884}),
    RowName<ClockRow>);

class Start : public testing::TestWithParam<std::optional<double>>
{
};

TEST_P(Start, FromThePreciseMoonWhenGiven)
{
    const std::optional<double> precise = GetParam(); // its sidereal longitude; none: unavailable
    const BirthMoment moment{ephemeris_test::WorkedExample(), {}};
    const PreciseMoon given =
        precise ? PreciseMoon{PreciseLongitudes{{*precise, 0}, {0, 0}}, {}}
                : PreciseMoon{std::nullopt, "the precise Moon covers the years 1900 to 2050 only"};
    const DashaRequest own = DashaRequestFor(moment);
    const DashaStart start = DashaStartFor(moment, given);
    EXPECT_EQ(start.request.julianDay, own.julianDay);
    EXPECT_EQ(start.request.longitude, precise.value_or(own.longitude));
    EXPECT_EQ(start.request.source, precise ? MoonSource::precise : MoonSource::described);
    EXPECT_EQ(start.request.moonErrorArcseconds,
              precise ? kPreciseEdgeBudgetArcseconds : kDescribedMoonErrorArcseconds);
    EXPECT_EQ(start.preciseUnavailable, given.unavailable);
}

INSTANTIATE_TEST_SUITE_P(Moons, Start, testing::Values(196.7112, std::nullopt),
                         [](const auto& row) {
                             return std::string(row.param ? "PreciseMoonGiven"
                                                          : "PreciseMoonUnavailable");
                         });

} // namespace
