#include "atlas/PlaceJson.h"

#include "atlas/AtlasTexts.h"

#include <memory>
#include <utility>

namespace atlas {
namespace {

bool clockAsked(const PlaceChoice& choice)
{
    return choice.clock || !choice.clockError.empty();
}

std::string_view kindText(LocalTimeKind kind)
{
    switch (kind) {
    case LocalTimeKind::Skipped:
        return "skipped";
    case LocalTimeKind::Repeated:
        return "repeated";
    case LocalTimeKind::Unique:
        break;
    }
    return "unique";
}

/// The offset not used at a skipped or repeated local time.
const ClockOffset& otherOffset(const PlaceClock& clock)
{
    const bool usedAfter =
        clock.kind == LocalTimeKind::Repeated && clock.occurrence == Occurrence::Second;
    return usedAfter ? clock.before : clock.after;
}

void writeClock(report::JsonWriter& json, const PlaceClock& clock)
{
    const ClockOffset& offset = clock.offset;
    json.beginObject();
    json.member("utc_offset_seconds", offset.totalSeconds)
        .member("abbreviation", offset.abbreviation)
        .member("standard_offset_seconds", offset.standardSeconds)
        .member("daylight_saving_seconds", offset.savingSeconds)
        .member("local_time", kindText(clock.kind));
    if (clock.kind != LocalTimeKind::Unique)
        json.member("other_utc_offset_seconds", otherOffset(clock).totalSeconds);
    if (clock.kind == LocalTimeKind::Repeated)
        json.member("occurrence", clock.occurrence == Occurrence::Second ? "second" : "first");
    json.endObject();
}

/// The text, or null when it is empty.
void textOrNull(report::JsonWriter& json, std::string_view name, const std::string& text)
{
    json.key(name);
    if (text.empty())
        json.null();
    else
        json.value(text);
}

} // namespace

std::string coordinateText(const DegreesMinutes& angle, char hemisphere)
{
    return std::to_string(angle.degrees) + (angle.minutes < 10 ? ":0" : ":") +
           std::to_string(angle.minutes) + hemisphere;
}

std::string longitudeText(const EntryFields& fields)
{
    return coordinateText(fields.longitude, fields.east ? 'E' : 'W');
}

std::string latitudeText(const EntryFields& fields)
{
    return coordinateText(fields.latitude, fields.south ? 'S' : 'N');
}

std::string zoneText(const ZoneFields& zone)
{
    return zone.hour + (zone.minute.size() < 2 ? ":0" : ":") + zone.minute;
}

const ZoneFields* saidZone(const PlaceChoice& choice)
{
    const auto& zone = choice.fields.zone;
    return zone && zone->said ? &*zone : nullptr;
}

void writePlaceJson(report::JsonWriter& json, const PlaceChoice& choice)
{
    const Place& place = choice.place;
    json.beginObject();
    json.member("name", place.name);
    textOrNull(json, "matched_name", choice.matchedName);
    textOrNull(json, "region", place.region);
    json.member("country", place.country)
        .member("country_code", place.countryCode)
        .member("latitude", place.latitude())
        .member("longitude", place.longitude())
        .member("population", place.population)
        .member("zone", place.zoneId);
    json.key("fields").beginObject();
    json.member("longitude", longitudeText(choice.fields))
        .member("latitude", latitudeText(choice.fields));
    json.endObject();
    if (clockAsked(choice)) {
        json.key("clock");
        if (choice.clock)
            writeClock(json, *choice.clock);
        else
            json.null().member("clock_error", choice.clockError);
        json.key("zone_fields");
        if (const ZoneFields* zone = saidZone(choice)) {
            json.beginObject();
            json.member("zone", zoneText(*zone)).member("dst", zone->daylightSaving);
            json.endObject();
        } else {
            json.null();
        }
    }
    json.endObject();
}

std::variant<report::LocatedPlace, std::string> locateFirst(std::vector<PlaceChoice> found,
                                                            birth::BirthDataFields& fields)
{
    if (found.empty())
        return std::string("No place matches");
    PlaceChoice& first = found.front();
    if (!first.clock)
        return clockErrorLine(first.place.name, first.clockError);
    writePlace(first.fields, fields);
    const int offset = first.clock->offset.totalSeconds;
    return report::LocatedPlace{offset, std::make_shared<const PlaceChoice>(std::move(first))};
}

PlaceChoice placeAsUsed(const report::ResolvedBirth& resolved)
{
    PlaceChoice choice = *resolved.place;
    const modEphemeris::BirthData& birth = resolved.moment.birth;
    choice.fields.longitude = {birth.LongitudeDegrees, birth.LongitudeMinutes};
    choice.fields.east = birth.LongitudeIsEast;
    choice.fields.latitude = {birth.LatitudeDegrees, birth.LatitudeMinutes};
    choice.fields.south = birth.LatitudeIsSouth;
    return choice;
}

void writePlaceMember(report::JsonWriter& json, const report::ResolvedBirth& resolved)
{
    if (!resolved.place)
        return;
    json.key("place");
    writePlaceJson(json, placeAsUsed(resolved));
}

} // namespace atlas
