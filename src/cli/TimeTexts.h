// Local and universal times as the tool writes them: "2000-01-01 12:00".
#pragma once

#include "ephemeris/MoonDetails.h"

#include <string>

namespace cli {

/// "YYYY-MM-DD HH:MM".
std::string MinuteText(const modEphemeris::LocalMinute& minute);

/// "YYYY-MM-DD HH:MM:SS".
std::string SecondText(const modEphemeris::UniversalSecond& second);

} // namespace cli
