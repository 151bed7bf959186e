// A place the atlas found, as every face writes it: selenoscope-cli place --json and the
// web page's places() give the same rows, and the tool's other lines the same texts.
#pragma once

#include "atlas/PlaceChoice.h"
#include "report/BirthInput.h"
#include "report/JsonWriter.h"

#include <string>
#include <variant>
#include <vector>

namespace atlas {

/// "3:42W", "40:25N": a coordinate of the fields as --longitude and --latitude take it.
std::string coordinateText(const DegreesMinutes& angle, char hemisphere);

/// The place's longitude and latitude as the fields hold them.
std::string longitudeText(const EntryFields& fields);
std::string latitudeText(const EntryFields& fields);

/// The zone fields, or nothing where they cannot say this clock at this hemisphere.
const ZoneFields* saidZone(const PlaceChoice& choice);

/// "1:00": the zone hour as the finder writes it, the minutes in two digits.
std::string zoneText(const ZoneFields& zone);

/// The place, its entry fields and, when a date and time were given, its clock and the
/// zone fields the finder would fill (null where they cannot say the clock).
void writePlaceJson(report::JsonWriter& json, const PlaceChoice& choice);

/// The first place a search found, as a birth by a place uses it: its coordinates and zone
/// written into the fields; or why it cannot be used.
std::variant<report::LocatedPlace, std::string> locateFirst(std::vector<PlaceChoice> found,
                                                            birth::BirthDataFields& fields);

/// The place a reading by a place used, with the coordinates it used: those typed with the
/// place win over the place's own.
PlaceChoice placeAsUsed(const report::ResolvedBirth& resolved);

/// The "place" member of a reading by a place; nothing for another birth.
void writePlaceMember(report::JsonWriter& json, const report::ResolvedBirth& resolved);

} // namespace atlas
