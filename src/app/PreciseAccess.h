#pragma once

#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "ephemeris/modEphemeris.h"

#include <optional>

// The precise Moon for the windows, where the build has it: app/CMakeLists.txt chooses
// PreciseAccess.cpp or WithoutPrecise.cpp.

/// The precise Moon beside a moment's four readings; none in a build without it.
std::optional<modEphemeris::PreciseBeside>
preciseBesideReadings(const modEphemeris::BirthMoment& moment,
                      const modEphemeris::MoonReadings& readings);

/// The precise Moon beside a moment's details; none in a build without it.
std::optional<modEphemeris::PreciseBeside>
preciseBesideDetails(const modEphemeris::BirthMoment& moment,
                     const modEphemeris::MoonDetails& details);
