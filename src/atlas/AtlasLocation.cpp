#include "atlas/AtlasLocation.h"

#include <system_error>

namespace atlas {
namespace {

bool holdsAFile(const std::filesystem::path& file)
{
    std::error_code error; // a path that cannot be examined holds no index either
    return std::filesystem::is_regular_file(file, error);
}

std::filesystem::path runningProgram()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable;
}

} // namespace

std::vector<IndexPlace> indexPlacesFor(const std::filesystem::path& executable)
{
    // The install layout, relative to the folder of the program's binary.
    const std::filesystem::path installed =
        executable.parent_path() / SELENOSCOPE_ATLAS_FROM_BINDIR / "places.atlas";
    return {{installed.lexically_normal(), "installed with the program"},
            {SELENOSCOPE_ATLAS_BUILD_INDEX, "made by the build"}};
}

std::filesystem::path indexPathFor(const std::filesystem::path& executable)
{
    const std::vector<IndexPlace> places = indexPlacesFor(executable);
    for (const IndexPlace& place : places)
        if (holdsAFile(place.file))
            return place.file;
    return places.front().file;
}

std::filesystem::path defaultIndexPath()
{
    return indexPathFor(runningProgram());
}

IndexLoad loadFirstIndex(const std::vector<IndexPlace>& places)
{
    std::string lookedIn;
    for (const IndexPlace& place : places) {
        if (holdsAFile(place.file))
            return PlaceIndex::load(place.file);
        lookedIn +=
            (lookedIn.empty() ? "" : ", nor at ") + place.file.string() + " (" + place.origin + ")";
    }
    return {nullptr, "The place index cannot be found: there is no index file at " + lookedIn +
                         ". Reinstall the package, or build the atlas_index target."};
}

IndexLoad loadDefaultIndex()
{
    return loadFirstIndex(indexPlacesFor(runningProgram()));
}

} // namespace atlas
