// Where the running program finds the atlas's index file. Plain C++20, no Qt.
#pragma once

#include "atlas/PlaceIndex.h"

#include <filesystem>
#include <string>
#include <vector>

namespace atlas {

/// A place the index is looked for, and what puts a file there.
struct IndexPlace
{
    std::filesystem::path file;
    std::string origin; // "installed with the program", "made by the build"
};

/// Where a program at this path looks for the index, in order: share/selenoscope/ of
/// its install prefix, then the build tree it was built in.
std::vector<IndexPlace> indexPlacesFor(const std::filesystem::path& executable);

/// The index file for the running program: the first of its places that holds a file.
/// The installed place is returned even when no file is there.
std::filesystem::path defaultIndexPath();

/// The same search from a given executable's path.
std::filesystem::path indexPathFor(const std::filesystem::path& executable);

/// Loads the first of the places that holds a file. When none does, the message names
/// every place looked in and says what to do.
IndexLoad loadFirstIndex(const std::vector<IndexPlace>& places);

/// Loads the running program's index (loadFirstIndex over its places).
IndexLoad loadDefaultIndex();

} // namespace atlas
