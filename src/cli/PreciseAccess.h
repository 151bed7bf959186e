// The precise Moon where the build has it, and nothing where it does not: the one place
// that knows which.
#pragma once

#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "ephemeris/modEphemeris.h"

#include <optional>

namespace cli {

/// Whether this build has the precise Moon.
bool HasPrecise();

/// The precise Moon beside a birth's four readings; none in a build without it.
std::optional<modEphemeris::PreciseBeside>
PreciseForReadings(const modEphemeris::BirthMoment& moment,
                   const modEphemeris::MoonReadings& readings);

/// The precise Moon beside a birth's details; none in a build without it.
std::optional<modEphemeris::PreciseBeside>
PreciseForDetails(const modEphemeris::BirthMoment& moment,
                  const modEphemeris::MoonDetails& details);

} // namespace cli
