// What the entry window's fields get from a place found in the atlas and its
// clock: chosen so that the reading's own rule (the zone's direction taken
// from the longitude's hemisphere, the DST box adding one hour) gives the true
// universal time wherever the fields can say it. Plain C++20, no Qt.
#pragma once

#include "atlas/PlaceClock.h"
#include "atlas/PlaceIndex.h"
#include "birth/BirthDataChecks.h"

#include <cstdint>
#include <optional>
#include <string>

namespace atlas {

/// An angle in whole degrees and minutes, without sign.
struct DegreesMinutes
{
    int degrees = 0;
    int minutes = 0; // 0 to 59
};

/// The magnitude of an angle in microdegrees, rounded to the nearest arc-minute
/// and held below maxDegrees (179°59' for 180°00', 89°59' for 90°00').
DegreesMinutes roundToArcMinute(std::int32_t microdegrees, int maxDegrees);

/// The zone fields' texts.
struct ZoneFields
{
    std::string hour;   // "5", "0", "-13"
    std::string minute; // "0", "30"
    bool daylightSaving = false;
    // false: no field values give this clock at this hemisphere (a place west of
    // Greenwich whose clocks ran ahead of it, or east of it and behind). The
    // texts are then those the time zone picker writes, and the reading must
    // ask which universal time to use.
    bool said = true;
};

/// The zone fields for a clock offset at a place east (or not) of Greenwich.
ZoneFields zoneFields(const ClockOffset& offset, bool east);

/// Every field the finder fills.
struct EntryFields
{
    std::string city;    // the place's name
    std::string state;   // its region's name, empty where none
    std::string country; // its country's name
    DegreesMinutes longitude;
    bool east = false; // 0°00' counts as West, as the reading counts it
    DegreesMinutes latitude;
    bool south = false;
    std::optional<ZoneFields> zone; // none when the clock could not be read
};

/// The fields for a place and, where it could be read, its clock at the birth.
EntryFields entryFields(const Place& place, const PlaceClock* clock);

/// Writes the place's coordinates and, where its clock was read, the zone fields into a
/// birth's typed fields; the name, date and time stay as they are.
void writePlace(const EntryFields& place, birth::BirthDataFields& fields);

/// Writes the zone fields alone.
void writeZone(const ZoneFields& zone, birth::BirthDataFields& fields);

} // namespace atlas
