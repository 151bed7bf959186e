// Births for the tests, the benchmarks and the tools; the program never uses
// them: the worked example that the program's documentation walks through (a
// birth in New Delhi at noon on the first day of 2000, and the four texts it
// reads), and random births over the entry window's ranges.
#pragma once

#include "birth/BirthRanges.h"
#include "ephemeris/modEphemeris.h"

#include <array>
#include <cstdint>
#include <random>
#include <string_view>

namespace birth {

using modEphemeris::BirthData;

/// 1 January 2000, 12:00 local time, zone 5 h 30 min, 77° 13' East, 28° 37' North,
/// no daylight saving.
inline BirthData WorkedExample()
{
    return {.PersonName = "Asha Rao",
            .BirthMonth = 1,
            .BirthDay = 1,
            .BirthYear = 2000,
            .BirthHour = 12,
            .BirthMinute = 0,
            .ZoneHours = 5,
            .ZoneMinutes = 30,
            .LongitudeDegrees = 77,
            .LongitudeMinutes = 13,
            .LongitudeIsEast = true,
            .LatitudeDegrees = 28,
            .LatitudeMinutes = 37,
            .LatitudeIsSouth = false,
            .DaylightSaving = false};
}

/// The worked example's place, as the entry window's City, State and Country.
inline constexpr std::array<std::string_view, 3> kWorkedExamplePlace{"New Delhi", "Delhi", "India"};

/// Its four texts in the display's order: sidereal without and with parallax, then
/// tropical without and with parallax.
inline constexpr std::array<std::string_view, 4> kWorkedExampleTexts{
    "16\xC2\xB0 42' 10\" Lib", "16\xC2\xB0 13' 46\" Lib", "10\xC2\xB0 33' 23\" Sco",
    "10\xC2\xB0 4' 59\" Sco"};

/// A random birth over the ranges the entry window accepts (zone hours up to 99, as a
/// negative zone hour may be typed), in the given range of years.
inline BirthData RandomBirth(std::mt19937& rng, int firstYear = kYears.first,
                             int lastYear = kYears.last)
{
    auto pick = [&rng](int low, int high) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(low, high)(rng));
    };
    auto flip = [&rng] { return std::bernoulli_distribution(0.5)(rng); };
    BirthData b;
    b.BirthYear = pick(firstYear, lastYear);
    b.BirthMonth = pick(1, 12);
    b.BirthDay = pick(1, 31);
    b.BirthHour = pick(0, 23);
    b.BirthMinute = pick(0, 59);
    b.ZoneHours = pick(0, 99);
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

} // namespace birth
