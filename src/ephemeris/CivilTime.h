// A date and a time of day as a calendar and a clock show them: the one shape of a
// local time (the birth's, the place's clock) and of a universal time, shared by the
// Moon computation, the atlas and every face. Plain C++20, no Qt.
#pragma once

namespace modEphemeris {

/// A calendar date and a clock time, to the second.
struct CivilTime
{
    int year = 1900;
    int month = 1; // 1 to 12
    int day = 1;   // 1 to 31
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;

    bool operator==(const CivilTime&) const = default;
};

/// Which of the two times a clock showed twice (when it went back) is meant.
enum class Occurrence { First, Second };

/// The civil time that many seconds later (earlier when negative). A date beyond its
/// month's end (30 February) is carried into the next month first.
CivilTime addSeconds(const CivilTime& t, long long seconds);

/// Seconds since 1970-01-01 00:00:00 of the civil time read as universal time; fields
/// beyond their range carry (30 February is 2 March).
long long unixSecondsOf(const CivilTime& t);

/// The civil time that many seconds after 1970-01-01 00:00:00 (the inverse of
/// unixSecondsOf for dates of the Gregorian calendar).
CivilTime civilTimeOf(long long unixSeconds);

/// Whole days from the first date to the second, the times of day ignored.
long daysBetween(const CivilTime& from, const CivilTime& to);

} // namespace modEphemeris
