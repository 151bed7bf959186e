// The readings and the details as JSON, keys in the order they are documented.
#pragma once

#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"

#include <nlohmann/json.hpp>
#include <string>

namespace cli {

using Json = nlohmann::ordered_json;

/// {"sidereal":{"geocentric":...,"topocentric":...},"tropical":{...}}
Json ReadingsJson(const modEphemeris::MoonReadings& readings);

/// {"instant":{...},"readings":[...]}: the four readings in the display's order.
Json DetailsJson(const modEphemeris::MoonDetails& details);

/// The value as text, indented by two spaces, with a line end; bytes that are not UTF-8
/// become U+FFFD rather than failing.
std::string JsonText(const Json& value);

} // namespace cli
