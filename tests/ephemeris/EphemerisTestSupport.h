// Shared pieces of the Moon computation tests.
#pragma once

#include "birth/ExampleBirths.h"
#include "ephemeris/ReferenceReading.h"
#include "support/TestRows.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <regex>
#include <string>

namespace ephemeris_test {

using test_support::PrintTo;
using test_support::RowName;

/// The worked example: 1 January 2000, 12:00 local time, zone 5 h 30 min,
/// 77° 13' East, 28° 37' North, no daylight saving.
inline modEphemeris::BirthData WorkedExample()
{
    return birth::WorkedExample();
}

/// Arc-seconds of a well formed reading text, or -1.
inline double ParseArcseconds(const std::string& text)
{
    static const std::regex kForm(R"re(^([12]?[0-9])\xC2\xB0 ([1-5]?[0-9])' ([1-5]?[0-9])" )re"
                                  R"re((Ari|Tau|Gem|Can|Leo|Vir|Lib|Sco|Sag|Cap|Aqu|Pis)$)re");
    std::smatch m;
    if (!std::regex_match(text, m, kForm)) {
        return -1;
    }
    int sign = 0;
    while (modEphemeris::kSignCodes[sign] != m[4].str()) {
        ++sign;
    }
    return ((sign * 30 + std::stoi(m[1].str())) * 60 + std::stoi(m[2].str())) * 60.0 +
           std::stoi(m[3].str());
}

} // namespace ephemeris_test
