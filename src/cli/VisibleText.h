// Text from a data file, written where a terminal shows it or a script splits it: its
// control characters made visible, so that a name can neither move the cursor, recolour
// the screen nor add a tab or a line to tab-separated output. Plain C++20.
#pragma once

#include <string>
#include <string_view>

namespace cli {

/// The text with \t, \n, \r and \\ for a tab, a line feed, a carriage return and a
/// backslash, \u0080 to \u009F for the C1 controls, and \xHH for every other control
/// byte and every byte that is not part of well-formed UTF-8.
std::string VisibleText(std::string_view text);

} // namespace cli
