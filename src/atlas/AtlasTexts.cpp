#include "atlas/AtlasTexts.h"

#include "birth/BirthRanges.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace atlas {
namespace {

constexpr int kFirstFullRecordYear = 1970;

std::string twoDigits(int n)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%02d", n % 100);
    return text.data();
}

std::string clockTime(const CivilTime& t)
{
    return twoDigits(t.hour) + ":" + twoDigits(t.minute);
}

std::string dayText(const CivilTime& t)
{
    return std::to_string(t.day) + " " + std::string(birth::monthName(t.month));
}

// "1 July 1980 at 12:00": the local date and time a clock is read for.
std::string whenText(const CivilTime& t)
{
    return dayText(t) + " " + std::to_string(t.year) + " at " + clockTime(t);
}

// " the day before", " the next day" or nothing, for a day counted from the birth's date.
std::string dayShift(long days)
{
    if (days == 0)
        return "";
    if (days == -1)
        return " the day before";
    if (days == 1)
        return " the next day";
    std::string text(" ");
    text += std::to_string(std::labs(days));
    text += days < 0 ? " days before" : " days after";
    return text;
}

// Hours from midnight of a date, to the nearest minute, as a day counted from
// that date and the minute of that day.
struct DayMinute
{
    long day;
    int minute; // 0 to 1439
};

DayMinute splitHours(double hours)
{
    constexpr long minutesPerDay = 1440;
    const long minutes = std::lround(hours * 60);
    const long day =
        minutes >= 0 ? minutes / minutesPerDay : -((-minutes + minutesPerDay - 1) / minutesPerDay);
    return {day, static_cast<int>(minutes - day * minutesPerDay)};
}

// "14:00".
std::string hoursText(double hours)
{
    const DayMinute t = splitHours(hours);
    return twoDigits(t.minute / 60) + ":" + twoDigits(t.minute % 60);
}

std::string kindOfTime(const ClockOffset& offset)
{
    return offset.savingSeconds > 0 ? "daylight time" : "standard time";
}

std::string placeOrZone(const std::string& placeName, const PlaceClock& clock)
{
    return placeName.empty() ? clock.zoneId : placeName;
}

} // namespace

std::string utcOffsetText(int seconds, std::string_view minus)
{
    const int magnitude = std::abs(seconds);
    std::string text = std::string("UTC") + std::string(seconds < 0 ? minus : "+") +
                       twoDigits(magnitude / 3600) + ":" + twoDigits(magnitude / 60 % 60);
    if (magnitude % 60 != 0)
        text.append(":").append(twoDigits(magnitude % 60));
    return text;
}

std::string clockLine(const PlaceClock& clock)
{
    const ClockOffset& offset = clock.offset;
    const char* state = offset.meanTime            ? "local mean time"
                        : offset.savingSeconds > 0 ? "daylight saving in force"
                                                   : "standard time";
    return clock.zoneId + " on " + whenText(clock.local) + ": " +
           utcOffsetText(offset.totalSeconds) + ", " + offset.abbreviation + ", " + state;
}

std::string clockErrorLine(const std::string& placeName, const std::string& error)
{
    return "The clock at " + placeName + " could not be read: " + error + ".";
}

std::vector<std::string> clockNotes(const std::string& placeName, const PlaceClock& clock,
                                    const ZoneFields& fields, bool east)
{
    std::vector<std::string> notes;
    const std::string place = placeOrZone(placeName, clock);
    if (clock.kind == LocalTimeKind::Skipped) {
        const bool sameDay = daysBetween(clock.changeFrom, clock.changeTo) == 0;
        const auto when = [&](const CivilTime& t) {
            return sameDay ? clockTime(t) : dayText(t) + " " + clockTime(t);
        };
        notes.push_back("Clocks at " + place + " went from " + when(clock.changeFrom) + " to " +
                        when(clock.changeTo) + (sameDay ? " that night; " : "; ") +
                        when(clock.local) +
                        " did not exist. The offset before the change is used.");
    } else if (clock.kind == LocalTimeKind::Repeated) {
        notes.push_back(clockTime(clock.local) + " happened twice that night: first on " +
                        kindOfTime(clock.before) + ", " + utcOffsetText(clock.before.totalSeconds) +
                        ", then on " + kindOfTime(clock.after) + ", " +
                        utcOffsetText(clock.after.totalSeconds) + ".");
    }
    if (clock.offset.meanTime) {
        const int seconds = clock.offset.totalSeconds;
        const std::string distance = utcOffsetText(std::abs(seconds)).substr(4); // "00:14:44"
        notes.push_back(place + " kept local mean time on " + whenText(clock.local) +
                        ", not a time zone: " + utcOffsetText(seconds) + ", " + distance + " " +
                        (seconds < 0 ? "behind" : "ahead of") + " universal time.");
    }
    if (clock.local.year < kFirstFullRecordYear)
        notes.emplace_back("Offsets before 1970 are the best record available.");
    if (!fields.said)
        notes.push_back(std::string("The zone boxes count a place ") +
                        (east ? "east of Greenwich as ahead of it, and this clock was behind"
                              : "west of Greenwich as behind it, and this clock was ahead") +
                        "; the reading will ask which universal time to use.");
    return notes;
}

std::vector<std::string> occurrenceCaptions(const PlaceClock& clock)
{
    return {"First, on " + kindOfTime(clock.before) + " (" +
                utcOffsetText(clock.before.totalSeconds) + ")",
            "Second, on " + kindOfTime(clock.after) + " (" +
                utcOffsetText(clock.after.totalSeconds) + ")"};
}

std::optional<ZoneQuestion> zoneQuestion(const std::string& placeName, const PlaceClock& clock,
                                         const modEphemeris::BirthData& entered)
{
    // Both universal times in hours from midnight of the entered date, by the one rule.
    using modEphemeris::BirthMoment;
    const double trueHours =
        modEphemeris::UniversalTime(BirthMoment{entered, clock.offset.totalSeconds});
    const double enteredHours = modEphemeris::UniversalTime(BirthMoment{entered, {}});
    // The fields hold whole minutes: a clock with seconds is said to the
    // nearest minute. A little more than half a minute absorbs the rounding of
    // hours in floating point.
    constexpr double halfMinute = 30.5 / 3600;
    if (std::fabs(trueHours - enteredHours) <= halfMinute)
        return std::nullopt;

    const bool east =
        entered.LongitudeIsEast && (entered.LongitudeDegrees != 0 || entered.LongitudeMinutes != 0);
    ZoneQuestion question;
    const std::string trueTime = hoursText(trueHours);
    question.text = placeOrZone(placeName, clock) + " kept " +
                    utcOffsetText(clock.offset.totalSeconds) + " (" + clock.offset.abbreviation +
                    ") at this birth, so it was " + trueTime + " universal time" +
                    dayShift(splitHours(trueHours).day) + ". The zone as entered counts a place " +
                    (east ? "east of Greenwich as ahead of" : "west of Greenwich as behind") +
                    " Greenwich and would give " + hoursText(enteredHours) +
                    dayShift(splitHours(enteredHours).day) + ".";
    question.useClockCaption = "Use " + trueTime + " UT";
    question.useEnteredCaption = "Use the zone as entered";

    return question;
}

} // namespace atlas
