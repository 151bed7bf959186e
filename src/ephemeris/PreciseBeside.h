// The precise Moon beside all four readings of a birth, as the faces show it: under each
// reading in the details, and in the reading window where a sign differs. Plain C++20, in
// the library ephemeris_precise; a face built without it has no precise Moon to show.
#pragma once

#include "MoonDetails.h"
#include "PreciseReading.h"
#include "modEphemeris.h"

#include <array>
#include <optional>
#include <string>

namespace modEphemeris {

/// The precise Moon beside a birth's four readings, or why there is none.
struct PreciseBeside
{
    /// Sidereal geocentric, sidereal topocentric, tropical geocentric, tropical topocentric,
    /// as MoonDetails::rows; empty when unavailable.
    std::optional<std::array<PreciseReading, 4>> readings;
    /// When readings is empty, one line: "The precise Moon is unavailable: " and why.
    std::string unavailable;
};

/// The precise Moon at the moment beside the rows of its details. Never throws: any
/// failure makes it unavailable, and the details stay as they are.
PreciseBeside PreciseBesideDetails(const BirthMoment& moment, const MoonDetails& details);

/// The same beside the four readings of the moment (ComputeMoonReadings).
PreciseBeside PreciseBesideReadings(const BirthMoment& moment, const MoonReadings& readings);

} // namespace modEphemeris
