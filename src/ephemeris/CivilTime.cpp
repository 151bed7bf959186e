// Dates count through the Julian day number, whose calendar is Gregorian from
// 15 October 1582 on: every date a birth or a clock history holds.
#include "CivilTime.h"

#include "Primitives.h"

#include <cstdint>

namespace modEphemeris {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kUnixEpochDay = 2440588; // the day number of 1970-01-01

std::int64_t dayNumberOf(const CivilTime& t)
{
    return JulianDayNumber(t.month, t.day, t.year);
}

} // namespace

long long unixSecondsOf(const CivilTime& t)
{
    return (dayNumberOf(t) - kUnixEpochDay) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL +
           t.second;
}

CivilTime civilTimeOf(long long unixSeconds)
{
    const std::int64_t day = FloorDiv64(unixSeconds, kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(unixSeconds - day * kSecondsPerDay);
    const CalendarDate date = DateOfDayNumber(static_cast<int>(day + kUnixEpochDay));
    return {date.year,       date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
            secondOfDay % 60};
}

CivilTime addSeconds(const CivilTime& t, long long seconds)
{
    return civilTimeOf(unixSecondsOf(t) + seconds);
}

long daysBetween(const CivilTime& from, const CivilTime& to)
{
    return static_cast<long>(dayNumberOf(to) - dayNumberOf(from));
}

} // namespace modEphemeris
