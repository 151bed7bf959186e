// ΔT, the difference TT − UT between dynamical time and universal time, which the
// precise Moon needs to evaluate its series at the dynamical time of an instant.
// Plain C++20.
#pragma once

#include <optional>

namespace modEphemeris {

/// The first and the last day ΔT covers, Julian days in universal time: the window's
/// years 1900 to 2050, and two days either side, where a zone can move a birth.
inline constexpr double kDeltaTFirstDay = 2415020.5 - 2; // 1900 January 1, 0h, less two days
inline constexpr double kDeltaTLastDay = 2470172.5 + 2;  // 2051 January 1, 0h, and two days

/// The year whose first day ends ΔT's published record: after it ΔT is a forecast.
inline constexpr int kDeltaTRecordLastYear = 2026;

/// ΔT (TT − UT) in seconds at a Julian day in universal time; nothing outside
/// kDeltaTFirstDay to kDeltaTLastDay.
std::optional<double> DeltaT(double julianDayUt);

} // namespace modEphemeris
