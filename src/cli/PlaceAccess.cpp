#include "cli/PlaceAccess.h"

#include "cli/Commands.h"

#ifdef SELENOSCOPE_ATLAS
#include "atlas/PlaceJson.h"
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

std::string PlaceNote(const report::ResolvedBirth& resolved)
{
    return resolved.place ? PlaceReport(atlas::placeAsUsed(resolved)) : std::string();
}

void WritePlaceMember(report::JsonWriter& json, const report::ResolvedBirth& resolved)
{
    atlas::writePlaceMember(json, resolved);
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
