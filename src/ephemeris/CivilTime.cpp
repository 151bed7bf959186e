// Dates count through the Julian day number, whose calendar is Gregorian from
// 15 October 1582 on: every date a birth or a clock history holds.
#include "CivilTime.h"

#include "Primitives.h"

#include <cstdint>

namespace modEphemeris {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t dayNumberOf(const CivilTime& t)
{
    return JulianDayNumber(t.month, t.day, t.year);
}

} // namespace

CivilTime addSeconds(const CivilTime& t, long long seconds)
{
    const std::int64_t total =
        dayNumberOf(t) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL + t.second + seconds;
    const std::int64_t day = FloorDiv64(total, kSecondsPerDay);
    const auto secondOfDay = static_cast<int>(total - day * kSecondsPerDay);
    const CalendarDate date = DateOfDayNumber(static_cast<int>(day));
    return {date.year,       date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
            secondOfDay % 60};
}

long daysBetween(const CivilTime& from, const CivilTime& to)
{
    return static_cast<long>(dayNumberOf(to) - dayNumberOf(from));
}

} // namespace modEphemeris
