// The Moon reading: where the Moon stood at the moment of birth, seen from the
// centre of the Earth and from the birth place, in the sidereal or the tropical
// zodiac. Plain C++20, no Qt.
//
// Angles are degrees unless stated; right ascension and sidereal times are hours;
// signed geographic coordinates are West-positive and North-positive.
#pragma once

#include "EphemerisTables.h"

#include <cstdint>
#include <string>

namespace modEphemeris {

/// One person's birth data, as typed in the entry window (unsigned zone and place).
struct BirthData
{
    std::string PersonName;            // not used by the computation
    std::int16_t BirthMonth = 0;       // 1 to 12
    std::int16_t BirthDay = 0;         // day of the month
    std::int16_t BirthYear = 0;        // proleptic calendar year
    std::int16_t BirthHour = 0;        // local clock hour, 0 to 23
    std::int16_t BirthMinute = 0;      // local clock minute, 0 to 59
    std::int16_t ZoneHours = 0;        // zone distance from Greenwich, hours, without sign
    std::int16_t ZoneMinutes = 0;      // zone distance from Greenwich, minutes, without sign
    std::int16_t LongitudeDegrees = 0; // without sign
    std::int16_t LongitudeMinutes = 0; // without sign
    bool LongitudeIsEast = false;
    std::int16_t LatitudeDegrees = 0; // without sign
    std::int16_t LatitudeMinutes = 0; // without sign
    bool LatitudeIsSouth = false;
    bool DaylightSaving = false; // clock one hour ahead
};

/// The two texts of one zodiac, such as `16° 42' 10" Lib` (UTF-8).
struct MoonReading
{
    std::string GeocentricText;  // seen from the centre of the Earth ("Non-Parallax")
    std::string TopocentricText; // seen from the birth place ("Parallax")
};

/// The Moon's geocentric ecliptic position.
struct LunarPositionResult
{
    double lambda;   // longitude, degrees, 0 to 360
    double beta;     // latitude, degrees
    double parallax; // equatorial horizontal parallax, degrees
};

/// A position in right ascension and declination.
struct EquatorialPosition
{
    double alpha; // right ascension, hours
    double delta; // declination, degrees
};

/// A position in ecliptic longitude and latitude.
struct EclipticPosition
{
    double lambda; // longitude, degrees, 0 to 360
    double beta;   // latitude, degrees
};

/// Every intermediate quantity of one reading, in the order it is computed.
struct ReadingDetails
{
    double longitude; // signed geographic longitude, degrees, West positive
    double latitude;  // signed geographic latitude, degrees, North positive
    double ut;        // universal time, hours, not folded (may be below 0 or 24 and more)
    int jdn;          // Julian day number of the entered date
    double T0;        // Julian centuries from J2000.0 to 0h universal time of the date
    double T;         // Julian centuries from J2000.0 to the instant of birth
    double gst;       // Greenwich sidereal time, hours, 0 to 24
    double ayan;      // ayanamsa added to the longitudes, degrees (0 for the tropical zodiac)
    double eps;       // mean obliquity, degrees
    LunarPositionResult moon;
    double lambdaTopo;  // topocentric ecliptic longitude, degrees, 0 to 360
    double geocentric;  // longitude shown as the geocentric text, degrees, 0 to 360
    double topocentric; // longitude shown as the topocentric text, degrees, 0 to 360
};

/// The longitudes behind one zodiac's two texts, degrees, 0 to 360.
struct ZodiacLongitudes
{
    double geocentric;
    double topocentric;
};

/// The four readings of one birth: the texts and the longitudes they show.
struct MoonReadings
{
    MoonReading sidereal;
    MoonReading tropical;
    ZodiacLongitudes siderealLongitudes;
    ZodiacLongitudes tropicalLongitudes;
};

/// A zodiacal longitude cut to whole seconds of arc, as its text shows it.
struct ZodiacPosition
{
    int sign;    // 0 (Aries) to 11 (Pisces)
    int degrees; // within the sign, 0 to 29
    int minutes; // 0 to 59
    int seconds; // 0 to 59
};

/// The two texts of the Moon's longitude at birth; tropical when TropicalZodiac, else sidereal.
MoonReading ComputeMoonReading(const BirthData& birth, bool TropicalZodiac);

/// All four texts of one birth from one computation of the Moon; bit for bit the texts and
/// longitudes of ComputeMoonReading(birth, false) and ComputeMoonReading(birth, true).
MoonReadings ComputeMoonReadings(const BirthData& birth);

/// All four texts for the entered date and place at universal time ut: hours from 0h UT of
/// the entered date, not folded (may be below 0 or 24 and more).
MoonReadings ComputeMoonReadingsAt(const BirthData& birth, double ut);

/// The quantities behind ComputeMoonReading's texts, for the same arguments.
ReadingDetails ComputeReadingDetails(const BirthData& birth, bool TropicalZodiac);

/// ComputeReadingDetails at universal time ut (hours from 0h UT of the entered date, not folded).
ReadingDetails ComputeReadingDetailsAt(const BirthData& birth, bool TropicalZodiac, double ut);

/// Universal time of the birth, hours; the zone's direction follows the longitude's hemisphere.
double UniversalTime(const BirthData& birth);

/// Universal time of the birth, hours from 0h of the entered date, not folded, when the local
/// clock's true offset from universal time is known (seconds, East of Greenwich positive).
double UniversalTimeForOffset(const BirthData& birth, int utcOffsetSeconds);

/// Signed longitude of the birth place, degrees, West positive.
double SignedLongitude(const BirthData& birth);

/// Signed latitude of the birth place, degrees, North positive.
double SignedLatitude(const BirthData& birth);

/// A zodiacal longitude (degrees, 0 to 360) as degrees, minutes and seconds within its sign.
std::string FormatZodiacLongitude(double longitude);

/// The sign, degrees, minutes and seconds that FormatZodiacLongitude writes (degrees, 0 to 360).
ZodiacPosition ZodiacPositionOf(double longitude);

/// Julian day number of a calendar date (Julian up to 1582 October 15 as counted, then Gregorian).
int JulianDayNumber(int month, int day, int year);

/// A calendar date.
struct CalendarDate
{
    int year;
    int month; // 1 to 12
    int day;   // 1 to 31
};

/// The date whose JulianDayNumber is jdn: Julian up to 1582 October 15 (2299171), then
/// Gregorian from 1582 October 26, so that JulianDayNumber of the result is jdn again.
CalendarDate DateOfDayNumber(int jdn);

/// Greenwich sidereal time, hours, 0 to 24; T0 in Julian centuries at 0h UT, ut in hours.
double GreenwichSiderealTime(double T0, double ut);

/// Local sidereal time, hours, 0 to 24; gst in hours, longitude in degrees, West positive.
double LocalSiderealTime(double gst, double longitude);

/// Mean obliquity of the ecliptic, degrees; T in Julian centuries from J2000.0.
double MeanObliquity(double T);

/// Ayanamsa, degrees, negative (added to a tropical longitude); T in Julian centuries.
double Ayanamsa(double T);

/// The Moon's geocentric longitude, latitude and parallax, degrees; T in Julian centuries.
LunarPositionResult LunarPosition(double T);

/// The angle of the point (x, y), radians, -pi to pi.
double QuadrantArcTangent(double y, double x);

/// Arc sine of s (-1 to 1), radians, -pi/2 to pi/2.
double ArcSine(double s);

/// Ecliptic (degrees) to equatorial: alpha in hours 0 to 24, delta in degrees.
EquatorialPosition EclipticToEquatorial(double lambda, double beta, double eps);

/// Equatorial (alpha in hours, delta in degrees) to ecliptic: degrees, lambda 0 to 360.
EclipticPosition EquatorialToEcliptic(double alpha, double delta, double eps);

/// Topocentric alpha (hours) and delta (degrees) of a body at hour angle H with the given
/// parallax, for an observer at sea level at the latitude; degrees, North positive.
EquatorialPosition TopocentricEquatorial(double alpha, double delta, double parallax, double H,
                                         double latitude);

/// The Moon's topocentric ecliptic longitude, degrees, 0 to 360; gst in hours, longitude
/// West positive and latitude North positive in degrees.
double TopocentricLongitude(double lambda, double beta, double parallax, double eps, double gst,
                            double longitude, double latitude);

/// x with period added while below 0, then taken off while above period (exactly period stays).
double FoldIntoRange(double x, double period);

} // namespace modEphemeris
