// The pieces both ways of computing the Moon are built from: the stored constants,
// the time scales, the sidereal time, the obliquity and the ayanamsa, the arguments
// of the lunar series, the observer on the ellipsoid, the angle helpers and the text
// of a zodiacal longitude. The readable reference (ReferenceReading.h) and the one-pass
// readings (MoonAtInstant.h) both call down into these, never into each other.
//
// Angles are degrees unless stated; right ascension and sidereal times are hours;
// signed geographic coordinates are West-positive and North-positive.
#pragma once

#include "EphemerisTables.h"
#include "modEphemeris.h"

#include <cstdint>

namespace modEphemeris {

// Stored values rather than M_PI: the quoted readings were made with these digits.
inline constexpr double kDegToRad = 0.0174532925199433;
inline constexpr double kRadToDeg = 57.2957795130823;
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kHalfPi = 1.5707963267949;

// Ratio of the Earth's polar to equatorial radius.
inline constexpr double kPolarRatio = 0.996647;

/// Whole part of a / b rounded down, for b > 0.
constexpr int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

/// FloorDiv for 64-bit counts (seconds, minutes).
constexpr std::int64_t FloorDiv64(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

/// The Moon's geocentric ecliptic position.
struct LunarPositionResult
{
    double lambda;   // longitude, degrees, 0 to 360
    double beta;     // latitude, degrees
    double parallax; // equatorial horizontal parallax, degrees
};

/// A zodiacal longitude cut to whole seconds of arc, as its text shows it.
struct ZodiacPosition
{
    int sign;    // 0 (Aries) to 11 (Pisces)
    int degrees; // within the sign, 0 to 29
    int minutes; // 0 to 59
    int seconds; // 0 to 59
};

/// A calendar date.
struct CalendarDate
{
    int year;
    int month; // 1 to 12
    int day;   // 1 to 31
};

/// The time arguments of one instant, formed as the reading forms them.
struct TimeArguments
{
    double ut; // universal time, hours from 0h of the date, not folded
    int jdn;   // Julian day number of the date
    double T0; // Julian centuries from J2000.0 to 0h universal time of the date
    double T;  // Julian centuries from J2000.0 to the instant
};

/// The arguments of the lunar series at one instant.
struct LunarArguments
{
    double Lp;          // the Moon's mean longitude, degrees
    double D, M, Mp, F; // radians, not folded
    double E;           // eccentricity factor

    /// The argument d*D + m*M + mp*Mp + f*F of a term, radians.
    [[nodiscard]] double Of(const LunarTerm& term) const
    {
        return term.d * D + term.m * M + term.mp * Mp + term.f * F;
    }
    /// E where the term carries it, else 1.
    [[nodiscard]] double Factor(const LunarTerm& term) const { return term.timesE ? E : 1.0; }
};

/// An observer at sea level on the ellipsoid: the distance from the Earth's centre
/// (equatorial radii) times the sine and the cosine of the geocentric latitude.
struct EllipsoidPoint
{
    double rhoSin;
    double rhoCos;
};

/// Universal time of the birth by the zone fields, hours from 0h of the entered date;
/// the zone's direction follows the longitude's hemisphere.
double UniversalTime(const BirthData& birth);

/// Universal time of the birth, hours from 0h of the entered date, not folded, when the local
/// clock's true offset from universal time is known (seconds, East of Greenwich positive).
double UniversalTimeForOffset(const BirthData& birth, int utcOffsetSeconds);

/// Julian day number of a calendar date (Julian up to 1582 October 15 as counted, then Gregorian).
int JulianDayNumber(int month, int day, int year);

/// The date whose JulianDayNumber is jdn: Julian up to 1582 October 15 (2299171), then
/// Gregorian from 1582 October 26, so that JulianDayNumber of the result is jdn again.
CalendarDate DateOfDayNumber(int jdn);

/// The time arguments of ut hours after 0h universal time of day number jdn.
TimeArguments TimeArgumentsOf(int jdn, double ut);

/// Greenwich sidereal time, hours, 0 to 24; T0 in Julian centuries at 0h UT, ut in hours.
double GreenwichSiderealTime(double T0, double ut);

/// Local sidereal time, hours, 0 to 24; gst in hours, longitude in degrees, West positive.
double LocalSiderealTime(double gst, double longitude);

/// Mean obliquity of the ecliptic, degrees; T in Julian centuries from J2000.0.
double MeanObliquity(double T);

/// Ayanamsa, degrees, negative (added to a tropical longitude); T in Julian centuries.
double Ayanamsa(double T);

/// The arguments of the lunar series; T in Julian centuries from J2000.0.
LunarArguments LunarArgumentsOf(double T);

/// A longitude of the Moon (degrees, 0 to 360) in the zodiac of ayan (degrees, 0 for the
/// tropical zodiac): lambda + ayan, with 360 added once when that is below 0.
double InZodiac(double lambda, double ayan);

/// The observer at a geographic latitude (degrees, North positive).
EllipsoidPoint ObserverOnEllipsoid(double latitude);

/// The angle of the point (x, y), radians, -pi to pi.
double QuadrantArcTangent(double y, double x);

/// Arc sine of s (-1 to 1), radians, -pi/2 to pi/2.
double ArcSine(double s);

/// x with period added while below 0, then taken off while above period (exactly period stays).
double FoldIntoRange(double x, double period);

/// The sign, degrees, minutes and seconds that FormatZodiacLongitude writes (degrees, 0 to 360).
ZodiacPosition ZodiacPositionOf(double longitude);

} // namespace modEphemeris
