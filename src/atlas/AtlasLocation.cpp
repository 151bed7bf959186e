#include "atlas/AtlasLocation.h"

#include <system_error>

namespace atlas {

std::filesystem::path indexPathFor(const std::filesystem::path& executable)
{
    // The install layout, relative to the folder of the program's binary.
    const std::filesystem::path installed =
        executable.parent_path() / SELENOSCOPE_ATLAS_FROM_BINDIR / "places.atlas";
    std::error_code error;
    if (std::filesystem::is_regular_file(installed, error))
        return installed.lexically_normal();
    std::filesystem::path built = SELENOSCOPE_ATLAS_BUILD_INDEX;
    if (std::filesystem::is_regular_file(built, error))
        return built;
    return installed.lexically_normal();
}

std::filesystem::path defaultIndexPath()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return indexPathFor(error ? std::filesystem::path() : executable);
}

} // namespace atlas
