#include "report/TimeTexts.h"

#include <array>
#include <cstdio>

namespace report {

std::string MinuteText(const modEphemeris::CivilTime& m)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d", m.year, m.month, m.day,
                  m.hour, m.minute);
    return text.data();
}

std::string SecondText(const modEphemeris::CivilTime& s)
{
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day,
                  s.hour, s.minute, s.second);
    return text.data();
}

} // namespace report
