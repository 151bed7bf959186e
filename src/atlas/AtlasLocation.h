// Where the running program finds the atlas's index file. Plain C++20, no Qt.
#pragma once

#include <filesystem>

namespace atlas {

/// The index file for the running program: the one installed beside it
/// (share/selenoscope/ of its install prefix) if there is one, else the one in
/// the build tree it was built in. The path is returned even when no file is
/// there, so that loading can name it in its message.
std::filesystem::path defaultIndexPath();

/// The same search from a given executable's path.
std::filesystem::path indexPathFor(const std::filesystem::path& executable);

} // namespace atlas
