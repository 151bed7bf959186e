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

std::unique_ptr<const PlaceLocator> OpenAtlas(const std::string& indexFile)
{
    return std::make_unique<const PlaceFinder>(indexFile);
}

std::string PlaceNote(const ResolvedBirth& resolved)
{
    return resolved.place ? PlaceReport(*resolved.place) : std::string();
}

void AddPlace(Json& json, const ResolvedBirth& resolved)
{
    if (resolved.place)
        json["place"] = PlaceJson(*resolved.place);
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

std::unique_ptr<const PlaceLocator> OpenAtlas(const std::string& /*indexFile*/)
{
    return nullptr;
}

std::string PlaceNote(const ResolvedBirth& /*resolved*/)
{
    return {};
}

void AddPlace(Json& /*json*/, const ResolvedBirth& /*resolved*/) {}

#endif

} // namespace cli
