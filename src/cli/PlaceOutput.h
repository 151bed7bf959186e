// How the tool shows a place the atlas found: as JSON, as a line of text, and as the
// note that a reading by --place prints on standard error.
#pragma once

#include "cli/PlaceFinder.h"
#include "report/JsonWriter.h"

#include <string>

namespace cli {

/// One line: name, region, country, latitude, longitude and zone id, then, when a date
/// and time were given, the clock and the zone fields; separated by tabs.
std::string PlaceLine(const atlas::PlaceChoice& choice);

/// "Place: Madrid, ..." with the clock used and its notes, one per line.
std::string PlaceReport(const atlas::PlaceChoice& choice);

} // namespace cli
