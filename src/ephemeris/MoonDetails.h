// The details of one reading: for each of the four readings its longitude, sign and
// nakshatra, how near they lie to an edge, and the local minutes between which the
// reading keeps its sign and nakshatra; and the instant itself, in words and numbers.
// Plain C++20, no Qt: the details window and the command line share it.
#pragma once

#include "CivilTime.h"
#include "modEphemeris.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace modEphemeris {

/// How far a longitude may lie from the Moon's true place: against a precise reference
/// ephemeris this method's longitude differs by up to 148 seconds of arc over 20,000
/// instants (docs/accuracy.md). A Moon closer than this to an edge may lie beyond it.
inline constexpr double kEdgeBudgetArcseconds = 180; // 3 minutes of arc

/// How far the search for a sign's or nakshatra's first and last minute reaches, either way.
inline constexpr int kEdgeSearchDays = 4;

/// How near a longitude lies to the nearer edge of its sign or nakshatra.
struct EdgeNearness
{
    double arcseconds;       // distance to the nearer edge, seconds of arc
    bool onEdge;             // within kEdgeBudgetArcseconds: the Moon may lie beyond it
    std::string_view across; // the sign code or nakshatra name beyond the nearer edge
};

/// The nakshatra of a sidereal longitude.
struct NakshatraPlace
{
    int index;             // 0 (Ashwini) to 26 (Revati)
    std::string_view name; // from kNakshatraNames
    int pada;              // quarter of the nakshatra, 1 to 4
    EdgeNearness edge;
    // The first and last minute in this nakshatra (seconds 0); empty when not found
    // within kEdgeSearchDays.
    std::optional<CivilTime> nakshatra_since;
    std::optional<CivilTime> nakshatra_until;
};

/// One of the four readings.
struct MoonDetailRow
{
    bool tropical;    // else sidereal
    bool topocentric; // else geocentric
    std::string text; // as the reading shows it
    double longitude; // the longitude behind the text, degrees, 0 to 360
    int sign;         // 0 (Aries) to 11 (Pisces), as the text shows it
    std::string_view signCode;
    EdgeNearness signEdge;
    // The first and last minute with the text in this sign (seconds 0); empty when not
    // found within kEdgeSearchDays.
    std::optional<CivilTime> sign_since;
    std::optional<CivilTime> sign_until;
    std::optional<NakshatraPlace> nakshatra; // sidereal readings only
};

/// The instant of birth.
struct BirthInstant
{
    CivilTime local;     // the entered date (as the calendar reads it) and clock time, seconds 0
    std::string rule;    // how local time became universal time, in words
    double ut;           // universal time, hours from 0h of the entered date, not folded
    CivilTime universal; // the universal date and time, to the second
    double julianDay;    // Julian day of the instant, with its fraction
};

/// The details of one birth's reading.
struct MoonDetails
{
    BirthInstant instant;
    /// Sidereal geocentric, sidereal topocentric, tropical geocentric, tropical topocentric.
    std::array<MoonDetailRow, 4> rows;
};

/// How near a longitude (degrees, 0 to 360) lies to the nearer edge of the sign its text shows.
EdgeNearness SignEdgeOf(double longitude);

/// The nakshatra, pada and nearer edge of a sidereal longitude (degrees, 0 to 360) as its
/// text shows it; the first and last minutes are left empty.
NakshatraPlace NakshatraOf(double longitude);

/// The details of a birth's reading at its moment. The first and last minutes of a sign or
/// nakshatra keep the moment's rule for universal time, the date rolling over as the
/// calendar does.
MoonDetails ComputeMoonDetails(const BirthMoment& moment);

} // namespace modEphemeris
