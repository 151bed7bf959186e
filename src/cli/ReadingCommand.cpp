// selenoscope-cli reading: the four texts of one birth, and with --precise the precise
// Moon's four after them.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceAccess.h"
#include "cli/PreciseAccess.h"
#include "cli/PreciseOutput.h"
#include "report/ReadingJson.h"

namespace cli {

int RunReading(const BirthOptions& options)
{
    const std::optional<report::ResolvedBirth> resolved = ResolveOrComplain(options);
    if (!resolved)
        return kRefused;
    const modEphemeris::MoonReadings readings = modEphemeris::ComputeMoonReadings(resolved->moment);
    std::optional<modEphemeris::PreciseBeside> precise;
    if (options.precise)
        precise = PreciseForReadings(resolved->moment, readings);
    // Asked for and not there: the readings stand, the line says why, and the run fails.
    const bool preciseMissing = options.precise && !(precise && precise->readings);
    if (options.json) {
        report::JsonWriter json = ToolJson();
        json.beginObject();
        report::WriteReadings(json, readings);
        if (options.precise)
            report::WritePreciseReadings(json, precise);
        WritePlaceMember(json, *resolved);
        json.endObject();
        WriteJson(json);
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
        Complain(report::PreciseUnavailableLine(precise));
        return kRefused;
    }
    return kSucceeded;
}

} // namespace cli
