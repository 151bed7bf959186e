// What the precise Moon says about a reading: where it stands, how near its sign's and
// nakshatra's edges, and in words whether it agrees with the reading's sign and
// nakshatra. Plain C++20, in the library ephemeris_precise.
#pragma once

#include "MoonDetails.h"
#include "PreciseMoon.h"

#include <optional>
#include <string>
#include <string_view>

namespace modEphemeris {

/// How far the precise Moon may lie from its true place, seconds of arc: against a
/// reference ephemeris it differs by at most 1.0" (geocentric) and 1.1" (topocentric) over
/// 20,000 instants from 1900 to 2050 (docs/accuracy.md). The rest is for ΔT, which moves
/// the Moon 0.55" a second: the record before 1920 is uncertain by about a second, and
/// after 2026 ΔT is a forecast that may be several seconds out by 2050. A precise Moon
/// closer than this to an edge may lie beyond it.
inline constexpr double kPreciseEdgeBudgetArcseconds = 5;

/// The precise Moon beside one reading.
struct PreciseReading
{
    double longitude; // degrees, 0 to 360, in the reading's zodiac
    std::string text; // as FormatZodiacLongitude writes it
    int sign;         // 0 (Aries) to 11 (Pisces), as the text shows it
    std::string_view signCode;
    EdgeNearness signEdge;                   // onEdge: within kPreciseEdgeBudgetArcseconds
    std::string signVerdict;                 // SignVerdict
    bool signDiffers;                        // its sign is not the one the reading's text shows
    std::optional<NakshatraPlace> nakshatra; // sidereal readings only; onEdge as signEdge's,
                                             // its first and last minutes left empty
    std::string nakshatraVerdict;            // NakshatraVerdict; empty for tropical readings
    bool nakshatraDiffers;                   // its nakshatra is not the reading's
};

/// Whether the precise Moon (degrees, 0 to 360) stands in the sign of the reading's
/// longitude (degrees, 0 to 360): "A precise ephemeris agrees: Lib", "A precise ephemeris
/// places the Moon in Sco, 0° 0' 21" past the edge", or, within kPreciseEdgeBudgetArcseconds
/// of an edge, "On the edge: a precise ephemeris places the Moon in Lib, 0° 0' 2" from its
/// edge with Sco".
std::string SignVerdict(double reading, double precise);

/// SignVerdict for the nakshatras of two sidereal longitudes (degrees, 0 to 360).
std::string NakshatraVerdict(double reading, double precise);

/// The precise Moon beside one row of a reading's details, in that row's zodiac and view.
PreciseReading PreciseReadingOf(const MoonDetailRow& row, const PreciseLongitudes& precise);

} // namespace modEphemeris
