// Local and universal times as the tool writes them: "2000-01-01 12:00".
#pragma once

#include "ephemeris/CivilTime.h"

#include <string>

namespace report {

/// "YYYY-MM-DD HH:MM".
std::string MinuteText(const modEphemeris::CivilTime& time);

/// "YYYY-MM-DD HH:MM:SS".
std::string SecondText(const modEphemeris::CivilTime& time);

} // namespace report
