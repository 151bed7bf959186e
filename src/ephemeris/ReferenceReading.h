// The Moon reading computed step by step, as readable as the method itself: one
// zodiac per call, every intermediate quantity at hand. The program's readings
// (modEphemeris.h) give bit for bit the same texts in one pass; the tests and the
// benchmarks hold them against this. Plain C++20, no Qt.
#pragma once

#include "Primitives.h"
#include "modEphemeris.h"

namespace modEphemeris {

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

/// The two texts of the Moon's longitude at birth; tropical when TropicalZodiac, else sidereal.
MoonReading ComputeMoonReading(const BirthData& birth, bool TropicalZodiac);

/// The quantities behind ComputeMoonReading's texts, for the same arguments.
ReadingDetails ComputeReadingDetails(const BirthData& birth, bool TropicalZodiac);

/// ComputeReadingDetails at universal time ut (hours from 0h UT of the entered date, not folded).
ReadingDetails ComputeReadingDetailsAt(const BirthData& birth, bool TropicalZodiac, double ut);

/// The Moon's geocentric longitude, latitude and parallax, degrees; T in Julian centuries.
LunarPositionResult LunarPosition(double T);

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

} // namespace modEphemeris
