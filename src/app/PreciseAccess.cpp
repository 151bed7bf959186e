// A build with the precise Moon: the windows show it beside the readings.
#include "app/PreciseAccess.h"

std::optional<modEphemeris::PreciseBeside>
preciseBesideReadings(const modEphemeris::BirthMoment& moment,
                      const modEphemeris::MoonReadings& readings)
{
    return modEphemeris::PreciseBesideReadings(moment, readings);
}

std::optional<modEphemeris::PreciseBeside>
preciseBesideDetails(const modEphemeris::BirthMoment& moment,
                     const modEphemeris::MoonDetails& details)
{
    return modEphemeris::PreciseBesideDetails(moment, details);
}
