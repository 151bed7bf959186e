#include "cli/PlaceAccess.h"

#include "cli/Commands.h"

#ifdef SELENOSCOPE_ATLAS
#include "atlas/PlaceSearch.h"
#include "cli/PlaceFinder.h"
#include "cli/PlaceOutput.h"
#endif

namespace cli {

#ifdef SELENOSCOPE_ATLAS

bool HasAtlas()
{
    return true;
}

std::size_t MostPlaces()
{
    return atlas::kMaxRows;
}

std::unique_ptr<const report::PlaceLocator> OpenAtlas(const std::string& indexFile)
{
    return std::make_unique<const PlaceFinder>(indexFile);
}

namespace {

/// The place a reading by --place used, with the coordinates it used: those typed with the
/// place win over the place's own.
atlas::PlaceChoice AsUsed(const report::ResolvedBirth& resolved)
{
    atlas::PlaceChoice choice = *resolved.place;
    const modEphemeris::BirthData& birth = resolved.moment.birth;
    choice.fields.longitude = {birth.LongitudeDegrees, birth.LongitudeMinutes};
    choice.fields.east = birth.LongitudeIsEast;
    choice.fields.latitude = {birth.LatitudeDegrees, birth.LatitudeMinutes};
    choice.fields.south = birth.LatitudeIsSouth;
    return choice;
}

} // namespace

std::string PlaceNote(const report::ResolvedBirth& resolved)
{
    return resolved.place ? PlaceReport(AsUsed(resolved)) : std::string();
}

void WritePlaceMember(report::JsonWriter& json, const report::ResolvedBirth& resolved)
{
    if (!resolved.place)
        return;
    json.key("place");
    WritePlace(json, AsUsed(resolved));
}

#else

bool HasAtlas()
{
    return false;
}

std::size_t MostPlaces()
{
    return 0;
}

int RunPlace(const PlaceOptions& /*options*/)
{
    return kUsageError; // never offered: the command line has no `place` without the atlas
}

std::unique_ptr<const report::PlaceLocator> OpenAtlas(const std::string& /*indexFile*/)
{
    return nullptr;
}

std::string PlaceNote(const report::ResolvedBirth& /*resolved*/)
{
    return {};
}

void WritePlaceMember(report::JsonWriter& /*json*/, const report::ResolvedBirth& /*resolved*/) {}

#endif

} // namespace cli
