// selenoscope-cli place: the atlas's matches for a query, in the finder's order.
#include "birth/BirthDataChecks.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceFinder.h"
#include "cli/PlaceOutput.h"
#include "atlas/PlaceJson.h"

namespace cli {

int RunPlace(const PlaceOptions& options)
{
    std::optional<modEphemeris::CivilTime> local;
    if (!options.date.empty() || !options.time.empty()) {
        const auto dateTime = report::ReadDateTime(options.date, options.time);
        if (const auto* refusal = std::get_if<std::string>(&dateTime)) {
            Complain(*refusal);
            return kRefused;
        }
        local = std::get<modEphemeris::CivilTime>(dateTime);
        // A reading checks the date after the zone and the place, as the window does; the
        // clock of a date its month lacks would be the next month's.
        if (const auto refusal = birth::ValidateDate(local->year, local->month, local->day)) {
            Complain(refusal->message);
            return kRefused;
        }
    }
    const PlaceFinder finder(options.atlas);
    const auto found = finder.Search(options.query, options.limit, local,
                                     options.secondOccurrence ? atlas::Occurrence::Second
                                                              : atlas::Occurrence::First);
    if (const auto* error = std::get_if<std::string>(&found)) {
        Complain(*error);
        return kRefused;
    }
    const auto& choices = std::get<std::vector<atlas::PlaceChoice>>(found);
    if (options.json) {
        report::JsonWriter json = ToolJson();
        json.beginArray();
        for (const atlas::PlaceChoice& choice : choices)
            atlas::writePlaceJson(json, choice);
        json.endArray();
        WriteJson(json);
    } else {
        for (const atlas::PlaceChoice& choice : choices)
            WriteOut(PlaceLine(choice) + "\n");
    }
    if (choices.empty()) {
        Complain("No place matches");
        return kRefused;
    }
    return kSucceeded;
}

} // namespace cli
