// selenoscope-cli place: the atlas's matches for a query, in the finder's order.
#include "atlas/PlaceJson.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceFinder.h"
#include "cli/PlaceOutput.h"
#include "report/PlaceQuery.h"

namespace cli {

int RunPlace(const PlaceOptions& options)
{
    // CLI11 has seen that the date and the time come together.
    const auto read = report::ReadLocalTime(options.date, options.time);
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        Complain(*refusal);
        return kRefused;
    }
    const std::optional<modEphemeris::CivilTime>& local =
        std::get<std::optional<modEphemeris::CivilTime>>(read);
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
