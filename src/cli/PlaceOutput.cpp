#include "cli/PlaceOutput.h"

#include "atlas/AtlasTexts.h"
#include "atlas/PlaceJson.h"
#include "atlas/PlaceSearch.h"
#include "cli/VisibleText.h"

namespace cli {
namespace {

bool ClockAsked(const atlas::PlaceChoice& choice)
{
    return choice.clock || !choice.clockError.empty();
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

std::string PlaceLine(const atlas::PlaceChoice& choice)
{
    const atlas::Place place = Visible(choice);
    std::string line = place.name + '\t' + place.region + '\t' + place.country + '\t' +
                       atlas::latitudeText(choice.fields) + '\t' +
                       atlas::longitudeText(choice.fields) + '\t' + place.zoneId;
    if (!ClockAsked(choice))
        return line;
    if (!choice.clock)
        return line + '\t' +
               VisibleText(atlas::clockErrorLine(choice.place.name, choice.clockError));
    const atlas::ClockOffset& offset = choice.clock->offset;
    // An ASCII minus, so that grep and cut find "UTC-05:00" as it is typed.
    line += '\t' + atlas::utcOffsetText(offset.totalSeconds, "-") + ' ' +
            VisibleText(offset.abbreviation) + '\t';
    const atlas::ZoneFields* zone = atlas::saidZone(choice);
    if (zone == nullptr)
        return line + "the zone fields cannot say this clock";
    return line + "zone " + atlas::zoneText(*zone) + (zone->daylightSaving ? " with DST" : "");
}

std::string PlaceReport(const atlas::PlaceChoice& choice)
{
    std::string report = "Place: " + PlaceName(Visible(choice)) + " (" +
                         atlas::latitudeText(choice.fields) + ' ' +
                         atlas::longitudeText(choice.fields) + ")\n";
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
