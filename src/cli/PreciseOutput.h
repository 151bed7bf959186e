// The precise Moon as the tool writes it in text: beside the readings (reading --precise).
// Where it is unavailable, report::PreciseUnavailableLine says why (report/ReadingJson.h also
// writes it in JSON).
#pragma once

#include "ephemeris/PreciseBeside.h"

#include <string>

namespace cli {

/// "precise sidereal geocentric 16° 42' 43\" Lib" and the three others, a line each.
std::string PreciseReadingLines(const modEphemeris::PreciseBeside& precise);

} // namespace cli
