// The checks before a reading and the reading of the typed texts into the birth
// data, without a window: the entry window, the command-line tool and the web page
// share them. Plain C++20, no Qt. Texts are UTF-8.
#pragma once

#include "ephemeris/CivilTime.h"
#include "ephemeris/modEphemeris.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace birth {

/// The birth data as typed: the texts of the entry window's boxes and lists and
/// its three choices. The seconds list and the place boxes take no part here.
struct BirthDataFields
{
    std::string name;
    std::string month; // a month name as the list shows it: "January" to "December"
    std::string day;   // "1" to "31"
    std::string year;  // kYears in the window
    std::string hour;  // "0" to "23"
    std::string minute;
    std::string zoneHour; // may carry a minus sign, which the reading ignores
    std::string zoneMinute;
    std::string longitudeDegrees;
    std::string longitudeMinutes;
    bool east = true;
    std::string latitudeDegrees;
    std::string latitudeMinutes;
    bool south = false;
    bool daylightSaving = false;
};

/// The field a refusal names; the window moves the focus there when the refusal says so.
enum class BirthField {
    Name,
    Month,
    Day,
    Year,
    Hour,
    Minute,
    ZoneHour,
    ZoneMinute,
    LongitudeDegrees,
    LongitudeMinutes,
    LatitudeDegrees,
    LatitudeMinutes,
};

/// Why a birth cannot be read, in the program's own words.
struct Refusal
{
    enum class Icon { Critical, Information };

    BirthField field;
    std::string message;
    Icon icon;
    bool takesFocus; // a date refusal leaves the focus where it was

    bool operator==(const Refusal&) const = default;
};

/// Whether an empty name is refused (the window) or allowed (the command-line tool).
enum class NameRule { Required, Optional };

namespace FieldText {

/// The text without leading and trailing spaces (other white space stays).
std::string_view TrimSpaces(std::string_view text);

/// The whole text, spaces around it ignored, read as a decimal number: an optional
/// minus sign, digits, and an optional fraction after a point ("08" is 8, "5.5" is
/// 5.5). Anything else ("", "-", "1-2", "12abc", "1e3", "+5") is no number.
std::optional<double> NumericValue(std::string_view text);

} // namespace FieldText

/// The month's number, 1 to 12, for its name as the month list shows it; nothing otherwise.
std::optional<int> MonthNumber(std::string_view monthName);

/// The date check of the checks in front of every reading: a day its month does not have
/// is refused (the focus stays where it is); month 1 to 12.
std::optional<Refusal> ValidateDate(int year, int month, int day);

/// The checks in front of every reading, in their fixed order: the first refusal, or
/// nothing when the birth data may be read.
std::optional<Refusal> ValidateBirthData(const BirthDataFields& fields,
                                         NameRule nameRule = NameRule::Required);

/// The checks, then the texts turned into the birth data. A month name that matches no
/// month keeps the month of `previous`. A text that passed the checks but cannot be
/// used (a number beyond the record's range) is refused naming its field.
std::variant<modEphemeris::BirthData, Refusal>
ReadBirthData(const BirthDataFields& fields, const modEphemeris::BirthData& previous = {},
              NameRule nameRule = NameRule::Required);

/// The local date and time the date and time lists say, seconds 0: whole numbers as the
/// lists hold them, January for a month name that matches none.
modEphemeris::CivilTime LocalTimeOf(const BirthDataFields& fields);

/// The texts a user types for the birth data: the inverse of ReadBirthData.
BirthDataFields FieldsFor(const modEphemeris::BirthData& birth);

} // namespace birth
