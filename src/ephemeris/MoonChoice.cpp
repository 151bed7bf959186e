#include "MoonChoice.h"

#include "PreciseReading.h"

namespace modEphemeris {

bool PreciseMoonBuilt()
{
#ifdef SELENOSCOPE_PRECISE
    return true;
#else
    return false;
#endif
}

PreciseMoon PreciseMoonIfBuilt([[maybe_unused]] const BirthMoment& moment)
{
#ifdef SELENOSCOPE_PRECISE
    return PreciseMoonAt(moment);
#else
    return {std::nullopt, std::string(kPreciseMoonNotBuilt)};
#endif
}

DashaStart DashaStartFor(const BirthMoment& moment, const PreciseMoon& precise)
{
    // The instant and the Moon's motion are this program's either way: the motion only
    // turns the birth time's uncertainty into arc, where a thousandth does not show.
    DashaStart start{DashaRequestFor(moment), precise.unavailable};
    if (precise.longitudes) {
        start.request.longitude = precise.longitudes->sidereal.geocentric;
        start.request.source = MoonSource::precise;
        start.request.moonErrorArcseconds = kPreciseEdgeBudgetArcseconds;
    }
    return start;
}

DashaStart DashaStartFor(const BirthMoment& moment)
{
    return DashaStartFor(moment, PreciseMoonIfBuilt(moment));
}

} // namespace modEphemeris
