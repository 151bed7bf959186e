// The precise Moon as the tool writes it: beside the readings (reading --precise), beside
// the details (details) and in JSON. A precise Moon that is unavailable is said in one line,
// or as null with the reason beside it.
#pragma once

#include "cli/JsonOutput.h"
#include "ephemeris/PreciseBeside.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

/// Why a build without the precise Moon has none, where a reason is written.
inline constexpr std::string_view kPreciseNotBuilt =
    "The precise Moon is unavailable: this build has none";

/// The line that says why there is no precise Moon.
std::string PreciseUnavailableLine(const std::optional<modEphemeris::PreciseBeside>& precise);

/// "precise sidereal geocentric 16° 42' 43\" Lib" and the three others, a line each.
std::string PreciseReadingLines(const modEphemeris::PreciseBeside& precise);

/// Adds "precise" to the readings' JSON: {"sidereal":{...},"tropical":{...}} as the readings
/// are written, or null with "precise_unavailable" saying why.
void AddPreciseToReadings(Json& readings,
                          const std::optional<modEphemeris::PreciseBeside>& precise);

/// Adds "precise" to each of the details' four readings: its longitude, text, sign and edge
/// and verdict (and for the sidereal ones its nakshatra and pada), or null; where null, the
/// details get "precise_unavailable" saying why.
void AddPreciseToDetails(Json& details, const std::optional<modEphemeris::PreciseBeside>& precise);

} // namespace cli
