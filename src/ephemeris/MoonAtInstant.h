// The Moon at one instant, computed once for all four readings.
//
// Each function here gives bit for bit the value of its counterpart in
// ReferenceReading.h (the readable form of the computation), but shares what the
// counterparts compute again and again: the sine and cosine of one argument come
// from one call, the lunar series is unrolled at compile time without its zero
// products, and the observer's place on the ellipsoid is worked out once.
#pragma once

#include "Primitives.h"
#include "modEphemeris.h"

namespace modEphemeris {

/// The birth place as the topocentric correction needs it.
struct ObserverPlace
{
    double longitude; // degrees, West positive
    double latitude;  // degrees, North positive
    double rhoSin;    // the observer's distance from the Earth's centre (equatorial radii)
    double rhoCos;    // times the sine and the cosine of the geocentric latitude, at sea level
};

/// Which of the four readings.
struct ReadingKind
{
    bool tropical;    // else sidereal
    bool topocentric; // else geocentric
};

/// The birth place of the entered coordinates.
ObserverPlace PlaceOf(const BirthData& birth);

/// LunarPosition(T).lambda, without the latitude and the parallax; degrees, 0 to 360.
double MoonLongitude(double T);

/// LunarPosition(T), each shared argument's sine and cosine from one call.
LunarPositionResult MoonPosition(double T);

/// TopocentricLongitude of the Moon for the place; degrees, 0 to 360; gst in hours.
double MoonTopocentricLongitude(const LunarPositionResult& moon, double eps, double gst,
                                const ObserverPlace& place);

/// The four longitudes of one instant.
struct MoonLongitudes
{
    ZodiacLongitudes sidereal;
    ZodiacLongitudes tropical;
};

/// The four longitudes of one instant at the place, degrees, 0 to 360.
MoonLongitudes MoonLongitudesAt(const ObserverPlace& place, const TimeArguments& time);

/// One of the four longitudes, computing only what it needs; degrees, 0 to 360.
double MoonLongitudeAt(const ObserverPlace& place, const TimeArguments& time, ReadingKind kind);

/// All four texts for the entered date and place at universal time ut: hours from 0h UT of
/// the entered date, not folded (may be below 0 or 24 and more).
MoonReadings ComputeMoonReadingsAt(const BirthData& birth, double ut);

} // namespace modEphemeris
