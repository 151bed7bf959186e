// selenoscope-cli reading: the four texts of one birth.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/PlaceAccess.h"

namespace cli {

int RunReading(const BirthOptions& options)
{
    const std::optional<ResolvedBirth> resolved = ResolveOrComplain(options);
    if (!resolved)
        return kRefused;
    const modEphemeris::MoonReadings readings = modEphemeris::ComputeMoonReadings(resolved->moment);
    if (options.json) {
        Json json = ReadingsJson(readings);
        AddPlace(json, *resolved);
        WriteOut(JsonText(json));
        return kSucceeded;
    }
    NotePlace(*resolved);
    WriteOut("sidereal geocentric " + readings.sidereal.GeocentricText + "\n" +
             "sidereal topocentric " + readings.sidereal.TopocentricText + "\n" +
             "tropical geocentric " + readings.tropical.GeocentricText + "\n" +
             "tropical topocentric " + readings.tropical.TopocentricText + "\n");
    return kSucceeded;
}

} // namespace cli
