#include "birth/BirthDataChecks.h"

#include "birth/BirthRanges.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale> // newlocale: a "C" locale for strtod_l
#include <cmath>
#include <cstdint>
#include <cstdlib> // strtod_l
#include <limits>

namespace birth {
namespace {

using modEphemeris::BirthData;

constexpr int kFebruary = 2;
constexpr std::array kThirtyDayMonths{4, 6, 9, 11}; // April, June, September, November

/// A check of one number box: the whole text must be a number within the range.
struct NumberCheck
{
    std::string BirthDataFields::*text;
    BirthField field;
    double lowest;
    double highest;
    std::string_view message;
};

// A negative zone hour is never refused: its sign does not reach the reading.
constexpr double kAnyNegative = -std::numeric_limits<double>::infinity();

const std::array<NumberCheck, 6> kNumberChecks{{
    {&BirthDataFields::zoneHour, BirthField::ZoneHour, kAnyNegative, 12,
     "Please Enter Value Between 0 And 12 in the Zone Hour"},
    {&BirthDataFields::zoneMinute, BirthField::ZoneMinute, 0, 59,
     "Please Enter Value Between 0 And 59 in the Zone Minute"},
    {&BirthDataFields::longitudeDegrees, BirthField::LongitudeDegrees, 0, 179,
     "Please Enter Value Between 0 And 179 in the Degree of Longitude"},
    {&BirthDataFields::longitudeMinutes, BirthField::LongitudeMinutes, 0, 59,
     "Please Enter Value Between 0 And 59 in the  Minute of Longitude"},
    {&BirthDataFields::latitudeDegrees, BirthField::LatitudeDegrees, 0, 89,
     "Please Enter Value Between 0 And 89 in the Degree of Latitude"},
    {&BirthDataFields::latitudeMinutes, BirthField::LatitudeMinutes, 0, 59,
     "Please Enter Value Between 0 And 59 in the  Minute of Latitude"},
}};

/// How one text becomes a number of the birth data record.
struct NumberField
{
    std::string BirthDataFields::*text;
    BirthField field;
    std::int16_t BirthData::*target;
    bool magnitude; // the zone's sign does not reach the computation
};

// The seconds are not read: a reading uses hours and minutes only.
const std::array<NumberField, 10> kNumberFields{{
    {&BirthDataFields::day, BirthField::Day, &BirthData::BirthDay, false},
    {&BirthDataFields::year, BirthField::Year, &BirthData::BirthYear, false},
    {&BirthDataFields::hour, BirthField::Hour, &BirthData::BirthHour, false},
    {&BirthDataFields::minute, BirthField::Minute, &BirthData::BirthMinute, false},
    {&BirthDataFields::zoneHour, BirthField::ZoneHour, &BirthData::ZoneHours, true},
    {&BirthDataFields::zoneMinute, BirthField::ZoneMinute, &BirthData::ZoneMinutes, true},
    {&BirthDataFields::longitudeDegrees, BirthField::LongitudeDegrees, &BirthData::LongitudeDegrees,
     false},
    {&BirthDataFields::longitudeMinutes, BirthField::LongitudeMinutes, &BirthData::LongitudeMinutes,
     false},
    {&BirthDataFields::latitudeDegrees, BirthField::LatitudeDegrees, &BirthData::LatitudeDegrees,
     false},
    {&BirthDataFields::latitudeMinutes, BirthField::LatitudeMinutes, &BirthData::LatitudeMinutes,
     false},
}};

/// The text as a whole number, or 0 when it is none (as a list's text is read).
int WholeNumberOrZero(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return (error == std::errc() && end == text.data() + text.size()) ? value : 0;
}

/// A text as a 16-bit whole number: a fraction (only pasted text brings one) rounds to
/// the nearest whole number, a half to the even one. Nothing when the text is no number
/// or the number does not fit.
std::optional<std::int16_t> RecordNumber(std::string_view text, bool magnitude)
{
    const std::optional<double> value = FieldText::NumericValue(text);
    if (!value)
        return std::nullopt;
    double whole = std::nearbyint(*value); // the default rounding sends halves to even
    if (magnitude)
        whole = std::fabs(whole);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

// Powers of ten that doubles hold exactly.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactIntegerLimit = std::uint64_t{1} << 53;
constexpr int kMostSignificantDigits = 19; // always fit 64 bits

/// A checked decimal text (an optional minus sign, digits, at most one point, at least one
/// digit) as the nearest double, halves to even, whatever the locale; nothing when it lies
/// beyond the doubles (infinite) or a non-zero text rounds to zero. Typed numbers (up to 19
/// significant digits, up to 22 places) are one exact integer multiplied or divided by an
/// exact power of ten, rounded once; longer ones go to the C library in the "C" locale.
std::optional<double> DecimalValue(std::string_view number)
{
    const bool negative = !number.empty() && number.front() == '-';
    std::uint64_t significand = 0;
    int significantDigits = 0;
    int exponent = 0; // the value is significand times ten to the exponent
    bool fraction = false;
    for (const char c : number.substr(negative ? 1 : 0)) {
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (fraction)
            --exponent;
        if (significantDigits == 0 && c == '0')
            continue;
        significand = significand * 10 + static_cast<std::uint64_t>(c - '0');
        if (++significantDigits > kMostSignificantDigits)
            break;
    }
    const int places = -exponent;
    if (significantDigits <= kMostSignificantDigits && significand <= kExactIntegerLimit &&
        places < static_cast<int>(kExactPowersOfTen.size())) {
        const auto whole = static_cast<double>(significand);
        const double value = whole / kExactPowersOfTen[static_cast<std::size_t>(places)];
        return negative ? -value : value;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    const std::string text(number);
    const double value = strtod_l(text.c_str(), nullptr, cLocale);
    if (std::isinf(value) || (value == 0 && significantDigits > 0))
        return std::nullopt;
    return value;
}

Refusal RefuseField(BirthField field, std::string_view message)
{
    return {field, std::string(message), Refusal::Icon::Critical, true};
}

Refusal RefuseDate(std::string_view message)
{
    return {BirthField::Day, std::string(message), Refusal::Icon::Information, false};
}

} // namespace

namespace FieldText {

std::string_view TrimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::optional<double> NumericValue(std::string_view text)
{
    const std::string_view number = TrimSpaces(text);
    std::size_t digits = 0;
    bool point = false;
    for (std::size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '-' && i == 0)
            continue;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    return DecimalValue(number);
}

} // namespace FieldText

std::optional<int> MonthNumber(std::string_view monthName)
{
    const auto* const found = std::find(kMonthNames.begin(), kMonthNames.end(), monthName);
    if (found == kMonthNames.end())
        return std::nullopt;
    return static_cast<int>(found - kMonthNames.begin()) + 1;
}

std::optional<Refusal> ValidateBirthData(const BirthDataFields& fields, NameRule nameRule)
{
    if (nameRule == NameRule::Required && FieldText::TrimSpaces(fields.name).empty())
        return RefuseField(BirthField::Name, "Please Enter Name");

    // Each number box must read as a number as a whole and lie within its range.
    for (const NumberCheck& check : kNumberChecks) {
        const std::optional<double> value = FieldText::NumericValue(fields.*check.text);
        if (!value || *value < check.lowest || *value > check.highest)
            return RefuseField(check.field, check.message);
    }

    // The window checks the date by list position; the texts name the same positions.
    return ValidateDate(WholeNumberOrZero(fields.year), MonthNumber(fields.month).value_or(0),
                        WholeNumberOrZero(fields.day));
}

std::optional<Refusal> ValidateDate(int year, int month, int day)
{
    const int februaryDays = isLeapYear(year) ? 29 : 28;
    if (month == kFebruary && day > februaryDays)
        return RefuseDate("Please Enter Correct Date Or Month!");
    if (std::find(kThirtyDayMonths.begin(), kThirtyDayMonths.end(), month) !=
            kThirtyDayMonths.end() &&
        day == 31)
        return RefuseDate("Please Enter Correct Date Or Month !");
    return std::nullopt;
}

std::variant<BirthData, Refusal> ReadBirthData(const BirthDataFields& fields,
                                               const BirthData& previous, NameRule nameRule)
{
    if (std::optional<Refusal> refusal = ValidateBirthData(fields, nameRule))
        return *refusal;

    BirthData birth = previous;
    birth.PersonName = fields.name; // as typed, not trimmed
    if (const std::optional<int> month = MonthNumber(fields.month))
        birth.BirthMonth = static_cast<std::int16_t>(*month);
    for (const NumberField& number : kNumberFields) {
        const std::optional<std::int16_t> value =
            RecordNumber(fields.*number.text, number.magnitude);
        if (!value)
            return RefuseField(number.field,
                               "This value cannot be used for a reading. Please correct it.");
        birth.*number.target = *value;
    }
    birth.LongitudeIsEast = fields.east;
    birth.LatitudeIsSouth = fields.south;
    birth.DaylightSaving = fields.daylightSaving;
    return birth;
}

modEphemeris::CivilTime LocalTimeOf(const BirthDataFields& fields)
{
    return {WholeNumberOrZero(fields.year),   MonthNumber(fields.month).value_or(1),
            WholeNumberOrZero(fields.day),    WholeNumberOrZero(fields.hour),
            WholeNumberOrZero(fields.minute), 0};
}

BirthDataFields FieldsFor(const BirthData& birth)
{
    auto text = [](int number) { return std::to_string(number); };
    return {
        .name = birth.PersonName,
        .month = kMonths.contains(birth.BirthMonth) ? std::string(monthName(birth.BirthMonth))
                                                    : std::string(),
        .day = text(birth.BirthDay),
        .year = text(birth.BirthYear),
        .hour = text(birth.BirthHour),
        .minute = text(birth.BirthMinute),
        .zoneHour = text(birth.ZoneHours),
        .zoneMinute = text(birth.ZoneMinutes),
        .longitudeDegrees = text(birth.LongitudeDegrees),
        .longitudeMinutes = text(birth.LongitudeMinutes),
        .east = birth.LongitudeIsEast,
        .latitudeDegrees = text(birth.LatitudeDegrees),
        .latitudeMinutes = text(birth.LatitudeMinutes),
        .south = birth.LatitudeIsSouth,
        .daylightSaving = birth.DaylightSaving,
    };
}

} // namespace birth
