// The Moon from a precise ephemeris, beside the readings' own: the details compare
// a reading with it. Plain C++20, in the library ephemeris_precise, which links
// libnova (the lunar theory ELP 2000-82B) and liberfa (the IAU's standard
// astronomy routines); a build without them (SELENOSCOPE_PRECISE off) has no
// precise Moon.
#pragma once

#include "modEphemeris.h"

#include <optional>
#include <string>

namespace modEphemeris {

/// The precise Moon's four longitudes, degrees, 0 to 360: apparent, of the true equinox
/// of date; the sidereal ones take off the readings' own ayanamsa (Ayanamsa), so that
/// both Moons stand in the same zodiac.
struct PreciseLongitudes
{
    ZodiacLongitudes sidereal;
    ZodiacLongitudes tropical;
};

/// The precise Moon at one instant, or why there is none.
struct PreciseMoon
{
    std::optional<PreciseLongitudes> longitudes; // empty when unavailable
    std::string unavailable;                     // one line saying why, when empty
};

/// libnova leaves out the lunar series' terms smaller than this (in its own measure):
/// over 2,000 instants from 1900 to 2050 that moves the Moon by at most 0.02" against the
/// whole series, which takes four to five times as long (1.8 ms an instant against 0.4 ms
/// on the build machine; docs/accuracy.md, scripts/bench).
inline constexpr double kLunarSeriesPrecision = 1e-9;

/// The precise Moon at ut hours after 0h universal time of Julian day number jdn (not
/// folded: below 0 or 24 and more moves into the next day), seen from the centre of the
/// Earth and from the place at sea level (longitude and latitude in degrees, West and
/// North positive). Unavailable outside the years ΔT covers (DeltaT), for a latitude
/// beyond a pole, for numbers that are not finite, and when the series fails. Safe from
/// several threads at once: libnova's series, which is not, runs one call at a time.
PreciseMoon PreciseMoonAt(int jdn, double ut, double longitude, double latitude);

/// The precise Moon at a birth's moment and place.
PreciseMoon PreciseMoonAt(const BirthMoment& moment);

} // namespace modEphemeris
