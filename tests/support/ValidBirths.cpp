#include "support/ValidBirths.h"

#include "birth/BirthRanges.h"

#include <cstdint>

namespace test_support {

modEphemeris::BirthData ValidRandomBirth(std::mt19937& rng)
{
    const auto pick = [&rng](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(rng));
    };
    const auto flip = [&rng] { return std::bernoulli_distribution(0.5)(rng); };
    modEphemeris::BirthData b;
    b.BirthYear = pick(birth::kYears.first, birth::kYears.last);
    b.BirthMonth = pick(1, 12);
    b.BirthDay = pick(1, birth::daysInMonth(b.BirthYear, b.BirthMonth));
    b.BirthHour = pick(birth::kHours.first, birth::kHours.last);
    b.BirthMinute = pick(birth::kMinutes.first, birth::kMinutes.last);
    b.ZoneHours = pick(0, 12);
    b.ZoneMinutes = pick(0, 59);
    b.LongitudeDegrees = pick(0, 179);
    b.LongitudeMinutes = pick(0, 59);
    b.LongitudeIsEast = flip();
    b.LatitudeDegrees = pick(0, 89);
    b.LatitudeMinutes = pick(0, 59);
    b.LatitudeIsSouth = flip();
    b.DaylightSaving = flip();
    return b;
}

} // namespace test_support
