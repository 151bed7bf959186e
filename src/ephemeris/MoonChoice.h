// Which Moon a computation starts from: the precise Moon where this build has it and it is
// available at the birth, this program's own otherwise. Plain C++20, in the library
// ephemeris_choice: the one place that knows whether the build has the precise Moon, so
// that the window and the command line need not.
#pragma once

#include "PreciseMoon.h"
#include "Vimshottari.h"

#include <string>
#include <string_view>

namespace modEphemeris {

/// Whether this build has the precise Moon (configured with SELENOSCOPE_PRECISE).
bool PreciseMoonBuilt();

/// Why a build without the precise Moon has none.
inline constexpr std::string_view kPreciseMoonNotBuilt =
    "this build of the program has no precise Moon";

/// The precise Moon at a birth's moment; unavailable, saying so, in a build without it.
PreciseMoon PreciseMoonIfBuilt(const BirthMoment& moment);

/// A request for a birth's Vimshottari periods and the Moon it starts from.
struct DashaStart
{
    DashaRequest request;
    /// Why this program's own Moon is used: the precise Moon's words; empty when it is used.
    std::string preciseUnavailable;
};

/// The request for the periods at the birth's moment: from the precise Moon's sidereal
/// geocentric longitude and its budget (kPreciseEdgeBudgetArcseconds) when it has one,
/// else from this program's own Moon (DashaRequestFor).
DashaStart DashaStartFor(const BirthMoment& moment, const PreciseMoon& precise);

/// DashaStartFor with the precise Moon where the build has it.
DashaStart DashaStartFor(const BirthMoment& moment);

} // namespace modEphemeris
