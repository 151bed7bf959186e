// A build without the precise Moon: the windows show the readings' own alone.
#include "app/PreciseAccess.h"

std::optional<modEphemeris::PreciseBeside>
preciseBesideReadings(const modEphemeris::BirthMoment& /*moment*/,
                      const modEphemeris::MoonReadings& /*readings*/)
{
    return std::nullopt;
}

std::optional<modEphemeris::PreciseBeside>
preciseBesideDetails(const modEphemeris::BirthMoment& /*moment*/,
                     const modEphemeris::MoonDetails& /*details*/)
{
    return std::nullopt;
}
