// What a birth may hold: the years, months, days, hours, minutes and seconds the entry
// window's lists offer and every face accepts, and the month names the lists show.
// Plain C++20, no Qt.
#pragma once

#include <array>
#include <string_view>

namespace birth {

/// Whole numbers from first to last, both included.
struct Range
{
    int first;
    int last;

    [[nodiscard]] constexpr bool contains(int value) const
    {
        return value >= first && value <= last;
    }
};

inline constexpr Range kYears{1900, 2050};
inline constexpr Range kMonths{1, 12};
inline constexpr Range kDays{1, 31};
inline constexpr Range kHours{0, 23};
inline constexpr Range kMinutes{0, 59};
inline constexpr Range kSeconds{0, 59};

/// The month list's texts, January first.
inline constexpr std::array<std::string_view, 12> kMonthNames{
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

/// The name of month 1 to 12.
constexpr std::string_view monthName(int month)
{
    return kMonthNames[static_cast<std::size_t>(month - 1)];
}

/// Whether the Gregorian calendar gives the year a 29 February.
constexpr bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

/// The days of month 1 to 12 of the year.
constexpr int daysInMonth(int year, int month)
{
    constexpr std::array<int, 12> kDaysOfMonth{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return kDaysOfMonth[static_cast<std::size_t>(month - 1)] +
           (month == 2 && isLeapYear(year) ? 1 : 0);
}

} // namespace birth
