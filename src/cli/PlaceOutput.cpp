#include "cli/PlaceOutput.h"

#include "atlas/AtlasTexts.h"
#include "atlas/PlaceSearch.h"
#include "cli/VisibleText.h"

namespace cli {
namespace {

bool ClockAsked(const atlas::PlaceChoice& choice)
{
    return choice.clock || !choice.clockError.empty();
}

std::string_view KindText(atlas::LocalTimeKind kind)
{
    switch (kind) {
    case atlas::LocalTimeKind::Skipped:
        return "skipped";
    case atlas::LocalTimeKind::Repeated:
        return "repeated";
    case atlas::LocalTimeKind::Unique:
        break;
    }
    return "unique";
}

/// The offset not used at a skipped or repeated local time.
const atlas::ClockOffset& OtherOffset(const atlas::PlaceClock& clock)
{
    const bool usedAfter = clock.kind == atlas::LocalTimeKind::Repeated &&
                           clock.occurrence == atlas::Occurrence::Second;
    return usedAfter ? clock.before : clock.after;
}

void WriteClock(report::JsonWriter& json, const atlas::PlaceClock& clock)
{
    const atlas::ClockOffset& offset = clock.offset;
    json.beginObject();
    json.member("utc_offset_seconds", offset.totalSeconds)
        .member("abbreviation", offset.abbreviation)
        .member("standard_offset_seconds", offset.standardSeconds)
        .member("daylight_saving_seconds", offset.savingSeconds)
        .member("local_time", KindText(clock.kind));
    if (clock.kind != atlas::LocalTimeKind::Unique)
        json.member("other_utc_offset_seconds", OtherOffset(clock).totalSeconds);
    if (clock.kind == atlas::LocalTimeKind::Repeated)
        json.member("occurrence",
                    clock.occurrence == atlas::Occurrence::Second ? "second" : "first");
    json.endObject();
}

/// The text, or null when it is empty.
void TextOrNull(report::JsonWriter& json, std::string_view name, const std::string& text)
{
    json.key(name);
    if (text.empty())
        json.null();
    else
        json.value(text);
}

/// "1:00": the zone hour as the finder writes it, the minutes in two digits.
std::string ZoneText(const atlas::ZoneFields& zone)
{
    return zone.hour + (zone.minute.size() < 2 ? ":0" : ":") + zone.minute;
}

/// The zone fields, or nothing where they cannot say this clock at this hemisphere.
const atlas::ZoneFields* SaidZone(const atlas::PlaceChoice& choice)
{
    const auto& zone = choice.fields.zone;
    return zone && zone->said ? &*zone : nullptr;
}

/// The place as the finder lists it, with the texts it shows from the index made visible
/// (see VisibleText).
atlas::Place Visible(const atlas::PlaceChoice& choice)
{
    atlas::Place place = choice.place;
    place.name = atlas::listedName(place.name, choice.matchedName);
    for (std::string* text : {&place.name, &place.region, &place.country, &place.zoneId})
        *text = VisibleText(*text);
    return place;
}

std::string PlaceName(const atlas::Place& place)
{
    std::string name = place.name;
    for (const std::string* part : {&place.region, &place.country})
        if (!part->empty())
            name += ", " + *part;
    return name;
}

} // namespace

void WritePlace(report::JsonWriter& json, const atlas::PlaceChoice& choice)
{
    const atlas::Place& place = choice.place;
    json.beginObject();
    json.member("name", place.name);
    TextOrNull(json, "matched_name", choice.matchedName);
    TextOrNull(json, "region", place.region);
    json.member("country", place.country)
        .member("country_code", place.countryCode)
        .member("latitude", place.latitude())
        .member("longitude", place.longitude())
        .member("population", place.population)
        .member("zone", place.zoneId);
    json.key("fields").beginObject();
    json.member("longitude", LongitudeText(choice.fields))
        .member("latitude", LatitudeText(choice.fields));
    json.endObject();
    if (ClockAsked(choice)) {
        json.key("clock");
        if (choice.clock)
            WriteClock(json, *choice.clock);
        else
            json.null().member("clock_error", choice.clockError);
        json.key("zone_fields");
        if (const atlas::ZoneFields* zone = SaidZone(choice)) {
            json.beginObject();
            json.member("zone", ZoneText(*zone)).member("dst", zone->daylightSaving);
            json.endObject();
        } else {
            json.null();
        }
    }
    json.endObject();
}

std::string PlaceLine(const atlas::PlaceChoice& choice)
{
    const atlas::Place place = Visible(choice);
    std::string line = place.name + '\t' + place.region + '\t' + place.country + '\t' +
                       LatitudeText(choice.fields) + '\t' + LongitudeText(choice.fields) + '\t' +
                       place.zoneId;
    if (!ClockAsked(choice))
        return line;
    if (!choice.clock)
        return line + '\t' +
               VisibleText(atlas::clockErrorLine(choice.place.name, choice.clockError));
    const atlas::ClockOffset& offset = choice.clock->offset;
    // An ASCII minus, so that grep and cut find "UTC-05:00" as it is typed.
    line += '\t' + atlas::utcOffsetText(offset.totalSeconds, "-") + ' ' +
            VisibleText(offset.abbreviation) + '\t';
    const atlas::ZoneFields* zone = SaidZone(choice);
    if (zone == nullptr)
        return line + "the zone fields cannot say this clock";
    return line + "zone " + ZoneText(*zone) + (zone->daylightSaving ? " with DST" : "");
}

std::string PlaceReport(const atlas::PlaceChoice& choice)
{
    std::string report = "Place: " + PlaceName(Visible(choice)) + " (" +
                         LatitudeText(choice.fields) + ' ' + LongitudeText(choice.fields) + ")\n";
    if (!choice.clock)
        return report;
    report += "Clock: " + VisibleText(atlas::clockLine(*choice.clock)) + '\n';
    // The reading uses the clock's true offset: the zone fields' own limits do not apply.
    for (const std::string& note : atlas::clockNotes(VisibleText(choice.place.name), *choice.clock,
                                                     atlas::ZoneFields{}, choice.fields.east))
        report += note + '\n';
    if (choice.clock->kind == atlas::LocalTimeKind::Repeated)
        report += choice.clock->occurrence == atlas::Occurrence::Second
                      ? "The second is used (--occurrence first for the first).\n"
                      : "The first is used (--occurrence second for the second).\n";
    return report;
}

} // namespace cli
