#include "cli/PreciseAccess.h"

namespace cli {

#ifdef SELENOSCOPE_PRECISE

bool HasPrecise()
{
    return true;
}

std::optional<modEphemeris::PreciseBeside>
PreciseForReadings(const modEphemeris::BirthMoment& moment,
                   const modEphemeris::MoonReadings& readings)
{
    return modEphemeris::PreciseBesideReadings(moment, readings);
}

std::optional<modEphemeris::PreciseBeside>
PreciseForDetails(const modEphemeris::BirthMoment& moment, const modEphemeris::MoonDetails& details)
{
    return modEphemeris::PreciseBesideDetails(moment, details);
}

#else

bool HasPrecise()
{
    return false;
}

std::optional<modEphemeris::PreciseBeside>
PreciseForReadings(const modEphemeris::BirthMoment& /*moment*/,
                   const modEphemeris::MoonReadings& /*readings*/)
{
    return std::nullopt;
}

std::optional<modEphemeris::PreciseBeside>
PreciseForDetails(const modEphemeris::BirthMoment& /*moment*/,
                  const modEphemeris::MoonDetails& /*details*/)
{
    return std::nullopt;
}

#endif

} // namespace cli
