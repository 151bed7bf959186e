// Shared pieces of the Moon computation tests.
#pragma once

#include "ephemeris/modEphemeris.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace ephemeris_test {

/// Names a data-driven test after its row's name field.
template <class Row> std::string RowName(const testing::TestParamInfo<Row>& info)
{
    return info.param.name;
}

/// Prints a row as its name, so test listings stay readable. Bring it into a
/// test file's namespace with `using ephemeris_test::PrintTo;`.
template <class Row>
concept NamedRow = requires(const Row& row)
{
    row.name;
};

template <NamedRow Row> void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

/// The worked example: 1 January 2000, 12:00 local time, zone 5 h 30 min,
/// 77° 13' East, 28° 37' North, no daylight saving.
inline modEphemeris::BirthData WorkedExample()
{
    return {.PersonName = "Worked example",
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

} // namespace ephemeris_test
