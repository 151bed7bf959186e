// selenoscope-cli reading: the four texts of one birth, and with --precise the precise
// Moon's four after them.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/PlaceAccess.h"
#include "cli/PreciseAccess.h"
#include "cli/PreciseOutput.h"

namespace cli {

int RunReading(const BirthOptions& options)
{
    const std::optional<ResolvedBirth> resolved = ResolveOrComplain(options);
    if (!resolved)
        return kRefused;
    const modEphemeris::MoonReadings readings = modEphemeris::ComputeMoonReadings(resolved->moment);
    std::optional<modEphemeris::PreciseBeside> precise;
    if (options.precise)
        precise = PreciseForReadings(resolved->moment, readings);
    // Asked for and not there: the readings stand, the line says why, and the run fails.
    const bool preciseMissing = options.precise && !(precise && precise->readings);
    if (options.json) {
        Json json = ReadingsJson(readings);
        if (options.precise)
            AddPreciseToReadings(json, precise);
        AddPlace(json, *resolved);
        WriteOut(JsonText(json));
    } else {
        NotePlace(*resolved);
        WriteOut("sidereal geocentric " + readings.sidereal.GeocentricText + "\n" +
                 "sidereal topocentric " + readings.sidereal.TopocentricText + "\n" +
                 "tropical geocentric " + readings.tropical.GeocentricText + "\n" +
                 "tropical topocentric " + readings.tropical.TopocentricText + "\n");
        if (precise)
            WriteOut(PreciseReadingLines(*precise));
    }
    if (preciseMissing) {
        Complain(PreciseUnavailableLine(precise));
        return kRefused;
    }
    return kSucceeded;
}

} // namespace cli
