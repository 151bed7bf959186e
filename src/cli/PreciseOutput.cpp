#include "cli/PreciseOutput.h"

#include <array>
#include <cstddef>

namespace cli {
namespace {

/// How the four readings are named, in the display's order.
constexpr std::array<std::string_view, 4> kReadingNames{
    "sidereal geocentric", "sidereal topocentric", "tropical geocentric", "tropical topocentric"};

} // namespace

std::string PreciseReadingLines(const modEphemeris::PreciseBeside& precise)
{
    std::string text;
    if (!precise.readings)
        return text;
    for (std::size_t i = 0; i < kReadingNames.size(); ++i)
        text.append("precise ")
            .append(kReadingNames[i])
            .append(" ")
            .append((*precise.readings)[i].text)
            .append("\n");
    return text;
}

} // namespace cli
