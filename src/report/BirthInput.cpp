#include "report/BirthInput.h"

#include "birth/BirthRanges.h"

#include <array>
#include <charconv>
#include <span>

namespace report {
namespace {

using birth::BirthDataFields;
using modEphemeris::CivilTime;

// The widest offset a clock keeps, with room for local mean time at the date line.
constexpr int kLargestOffsetSeconds = 18 * 3600;

constexpr std::string_view kDateForm = "The date must be written as YYYY-MM-DD, such as 2000-01-01";
constexpr std::string_view kTimeForm =
    "The time must be written as HH:MM or HH:MM:SS, such as 12:00";
constexpr std::string_view kLongitudeForm =
    "The longitude must be written as degrees:minutes and E or W, such as 77:13E";
constexpr std::string_view kLatitudeForm =
    "The latitude must be written as degrees:minutes and N or S, such as 28:37N";
constexpr std::string_view kOffsetForm =
    "The UTC offset must be written as +HH:MM or -HH:MM, such as +05:30 or -04:00";
constexpr std::string_view kOffsetRange = "The UTC offset must lie between -18:00 and +18:00";
constexpr std::string_view kZoneForm =
    "The zone must be written as hours or hours:minutes, such as 5:30 for five and a half hours";
constexpr std::string_view kNoInstant = "Give the zone, the UTC offset or the place of the birth";
constexpr std::string_view kTwoInstants =
    "Give only one of the zone, the UTC offset and the place of the birth";
constexpr std::string_view kDaylightWithoutZone = "Daylight saving goes with a zone only";
constexpr std::string_view kNoAtlas = "This build has no atlas to look the place up in";

/// The range of one part of the date or time, with its refusal.
struct PartRange
{
    birth::Range range;
    std::string_view message;
};

constexpr PartRange kYearRange{birth::kYears, "The year must lie between 1900 and 2050"};
constexpr PartRange kMonthRange{birth::kMonths, "The month must lie between 1 and 12"};
constexpr PartRange kDayRange{birth::kDays, "The day must lie between 1 and 31"};
constexpr PartRange kHourRange{birth::kHours, "The hour must lie between 0 and 23"};
constexpr PartRange kMinuteRange{birth::kMinutes, "The minute must lie between 0 and 59"};
constexpr PartRange kSecondRange{birth::kSeconds, "The seconds must lie between 0 and 59"};

std::string_view Trim(std::string_view text)
{
    return birth::FieldText::TrimSpaces(text);
}

/// The parts of text between separators; how many there are, or parts.size() + 1 when
/// there are more than parts holds.
std::size_t SplitOn(std::string_view text, char separator, std::span<std::string_view> parts)
{
    std::size_t count = 0;
    std::size_t start = 0;
    // A plain loop: the parts are a few characters long and this runs for every batch row.
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != separator)
            continue;
        if (count == parts.size())
            return count + 1;
        parts[count++] = text.substr(start, i - start);
        start = i + 1;
    }
    return count;
}

/// A text of minDigits to maxDigits decimal digits and nothing else, as a number.
std::optional<int> Digits(std::string_view text, std::size_t minDigits, std::size_t maxDigits)
{
    if (text.size() < minDigits || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

/// Degrees, minutes and hemisphere letter of "77:13E"; the numbers as typed, for the
/// entry window's checks to judge.
struct CoordinateTexts
{
    std::string_view degrees;
    std::string_view minutes;
    char hemisphere; // upper case
};

/// Whether the text holds a decimal point: the tool's forms take whole numbers only, and the
/// entry window's checks would round a fraction without a word.
bool HasFraction(std::string_view text)
{
    return text.find('.') != std::string_view::npos;
}

std::optional<CoordinateTexts> SplitCoordinate(std::string_view text, char positive, char negative)
{
    text = Trim(text);
    if (HasFraction(text))
        return std::nullopt;
    if (text.empty())
        return std::nullopt;
    const char letter = static_cast<char>(text.back() & ~0x20); // upper case
    if (letter != positive && letter != negative)
        return std::nullopt;
    text.remove_suffix(1);
    std::array<std::string_view, 2> parts;
    if (SplitOn(text, ':', parts) != 2)
        return std::nullopt;
    return CoordinateTexts{parts[0], parts[1], letter};
}

/// Seconds East of Greenwich of "+05:30" or "-00:14:44", or the refusal.
std::variant<int, std::string> ReadUtcOffset(std::string_view text)
{
    text = Trim(text);
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return std::string(kOffsetForm);
    const int sign = text.front() == '-' ? -1 : 1;
    std::array<std::string_view, 3> parts;
    const std::size_t count = SplitOn(text.substr(1), ':', parts);
    const std::optional<int> hours = Digits(parts[0], 1, 2);
    const std::optional<int> minutes = count >= 2 ? Digits(parts[1], 2, 2) : std::nullopt;
    const std::optional<int> seconds = count == 3 ? Digits(parts[2], 2, 2) : 0;
    if (count > 3 || !hours || !minutes || !seconds || *minutes > 59 || *seconds > 59)
        return std::string(kOffsetForm);
    const int magnitude = (*hours * 60 + *minutes) * 60 + *seconds;
    if (magnitude > kLargestOffsetSeconds)
        return std::string(kOffsetRange);
    return sign * magnitude;
}

/// Writes a whole number as the field's text.
void SetText(std::string& field, int number)
{
    std::array<char, 12> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    field.assign(digits.data(), end);
}

} // namespace

std::variant<CivilTime, std::string> ReadDateTime(std::string_view date, std::string_view time)
{
    std::array<std::string_view, 3> d;
    if (SplitOn(Trim(date), '-', d) != 3)
        return std::string(kDateForm);
    const std::optional<int> year = Digits(d[0], 4, 4);
    const std::optional<int> month = Digits(d[1], 1, 2);
    const std::optional<int> day = Digits(d[2], 1, 2);
    if (!year || !month || !day)
        return std::string(kDateForm);

    std::array<std::string_view, 3> t;
    const std::size_t timeParts = SplitOn(Trim(time), ':', t);
    if (timeParts < 2 || timeParts > 3)
        return std::string(kTimeForm);
    const std::optional<int> hour = Digits(t[0], 1, 2);
    const std::optional<int> minute = Digits(t[1], 2, 2);
    const std::optional<int> second = timeParts == 3 ? Digits(t[2], 2, 2) : 0;
    if (!hour || !minute || !second)
        return std::string(kTimeForm);

    const std::array<std::pair<int, const PartRange*>, 6> ranges{{{*year, &kYearRange},
                                                                  {*month, &kMonthRange},
                                                                  {*day, &kDayRange},
                                                                  {*hour, &kHourRange},
                                                                  {*minute, &kMinuteRange},
                                                                  {*second, &kSecondRange}}};
    for (const auto& [value, part] : ranges)
        if (!part->range.contains(value))
            return std::string(part->message);
    return CivilTime{*year, *month, *day, *hour, *minute, 0};
}

std::variant<ResolvedBirth, std::string> ResolveBirth(const BirthTexts& texts,
                                                      const PlaceLocator* places)
{
    const auto dateTime = ReadDateTime(texts.date, texts.time);
    if (const auto* refusal = std::get_if<std::string>(&dateTime))
        return *refusal;
    const auto& local = std::get<CivilTime>(dateTime);

    const bool byZone = !Trim(texts.zone).empty();
    const bool byOffset = !Trim(texts.utcOffset).empty();
    const bool byPlace = !Trim(texts.place).empty();
    const int ways = (byZone ? 1 : 0) + (byOffset ? 1 : 0) + (byPlace ? 1 : 0);
    if (ways == 0)
        return std::string(kNoInstant);
    if (ways > 1)
        return std::string(kTwoInstants);
    if (texts.daylightSaving && !byZone)
        return std::string(kDaylightWithoutZone);

    ResolvedBirth resolved;
    BirthDataFields fields;
    // The true offset gives the instant; the zone fields take no part unless a place
    // writes its own.
    fields.zoneHour = "0";
    fields.zoneMinute = "0";
    if (byZone) {
        // A second colon stays in the minutes, which the checks then refuse.
        const std::string_view zone = Trim(texts.zone);
        if (HasFraction(zone))
            return std::string(kZoneForm);
        const std::size_t colon = zone.find(':');
        fields.zoneHour = zone.substr(0, colon);
        fields.zoneMinute = colon == std::string_view::npos ? "0" : zone.substr(colon + 1);
        fields.daylightSaving = texts.daylightSaving;
    } else if (byOffset) {
        const auto offset = ReadUtcOffset(texts.utcOffset);
        if (const auto* refusal = std::get_if<std::string>(&offset))
            return *refusal;
        resolved.moment.utcOffsetSeconds = std::get<int>(offset);
    } else {
        if (places == nullptr)
            return std::string(kNoAtlas);
        auto found = places->Locate(Trim(texts.place), local, texts.occurrence, fields);
        if (auto* refusal = std::get_if<std::string>(&found))
            return std::move(*refusal);
        auto& located = std::get<LocatedPlace>(found);
        resolved.moment.utcOffsetSeconds = located.utcOffsetSeconds;
        resolved.place = std::move(located.choice);
    }

    // Coordinates typed with a place win over the place's own.
    if (!byPlace || !Trim(texts.longitude).empty()) {
        const std::optional<CoordinateTexts> lon = SplitCoordinate(texts.longitude, 'E', 'W');
        if (!lon)
            return std::string(kLongitudeForm);
        fields.longitudeDegrees = lon->degrees;
        fields.longitudeMinutes = lon->minutes;
        fields.east = lon->hemisphere == 'E';
    }
    if (!byPlace || !Trim(texts.latitude).empty()) {
        const std::optional<CoordinateTexts> lat = SplitCoordinate(texts.latitude, 'N', 'S');
        if (!lat)
            return std::string(kLatitudeForm);
        fields.latitudeDegrees = lat->degrees;
        fields.latitudeMinutes = lat->minutes;
        fields.south = lat->hemisphere == 'S';
    }

    fields.month = birth::monthName(local.month);
    SetText(fields.day, local.day);
    SetText(fields.year, local.year);
    SetText(fields.hour, local.hour);
    SetText(fields.minute, local.minute);

    auto read = birth::ReadBirthData(fields, {}, birth::NameRule::Optional);
    if (auto* refusal = std::get_if<birth::Refusal>(&read))
        return std::move(refusal->message);
    resolved.moment.birth = std::get<modEphemeris::BirthData>(read);
    return resolved;
}

} // namespace report
