#include "atlas/PlaceClock.h"

#include "atlas/ZoneHistory.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace atlas {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDivide(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, the month 1 to 12
// (H. Hinnant's days_from_civil: years counted from March, in 400-year eras).
std::int64_t daysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = floorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

/// The seconds since 1970 that a calendar and a clock show, counted as if they were
/// universal time; fields beyond their range carry (30 February is 2 March).
std::int64_t secondsOf(const CivilTime& t)
{
    const std::int64_t months = std::int64_t{t.year} * 12 + (t.month - 1);
    const std::int64_t year = floorDivide(months, 12);
    const int month = static_cast<int>(months - year * 12) + 1;
    const std::int64_t days = daysFromCivil(year, month, 1) + (t.day - 1);
    return days * kSecondsPerDay + std::int64_t{t.hour} * 3600 + std::int64_t{t.minute} * 60 +
           t.second;
}

/// The calendar and the clock that many seconds after 1970 (the inverse of secondsOf).
CivilTime civilOf(std::int64_t seconds)
{
    const std::int64_t days = floorDivide(seconds, kSecondsPerDay);
    const std::int64_t ofDay = seconds - days * kSecondsPerDay;
    const std::int64_t shifted = days + 719468;
    const std::int64_t era = floorDivide(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year),
            month,
            day,
            static_cast<int>(ofDay / 3600),
            static_cast<int>(ofDay / 60 % 60),
            static_cast<int>(ofDay % 60)};
}

/// What a local time was in a zone: the instant it names (for a skipped or repeated
/// time, the one by the offset before the change) and, when skipped or repeated, the
/// instant of the change (0 otherwise).
struct LocalLookup
{
    LocalTimeKind kind;
    UnixSeconds instant;
    UnixSeconds change;
};

/// A change of the zone's offset.
struct Change
{
    UnixSeconds at;
    int before;
    int after;
};

// Offsets stay within a day of universal time, and no two changes cross on the wall
// clock, so only the changes within two days of the local time decide it.
constexpr UnixSeconds kChangeReach = 2 * kSecondsPerDay;

LocalLookup lookupLocal(const ZoneHistory& zone, std::int64_t local)
{
    const UnixSeconds from = local - kChangeReach;
    const int offsetBefore = zone.stateAt(from).offsetSeconds;
    std::vector<Change> changes;
    int offset = offsetBefore;
    for (std::optional<UnixSeconds> next = zone.nextChange(from);
         next && *next <= local + kChangeReach; next = zone.nextChange(*next)) {
        const int after = zone.stateAt(*next).offsetSeconds;
        changes.push_back({*next, offset, after});
        offset = after;
    }
    // The first change whose wall clock after it lies beyond the local time.
    const auto later = std::find_if(changes.begin(), changes.end(),
                                    [&](const Change& c) { return c.at + c.after > local; });
    if (later != changes.end() && later->at + later->before <= local)
        return {LocalTimeKind::Skipped, local - later->before, later->at};
    if (later != changes.begin()) {
        const Change& last = *std::prev(later);
        if (local < last.at + last.before)
            return {LocalTimeKind::Repeated, local - last.before, last.at};
        return {LocalTimeKind::Unique, local - last.after, 0};
    }
    return {LocalTimeKind::Unique, local - offsetBefore, 0};
}

int offsetAtNoon(const ZoneHistory& zone, int year, int month)
{
    const LocalLookup noon = lookupLocal(zone, secondsOf({year, month, 1, 12, 0, 0}));
    return zone.stateAt(noon.instant).offsetSeconds;
}

ClockOffset offsetAt(const ZoneHistory& zone, UnixSeconds instant, int year)
{
    const ZoneState state = zone.stateAt(instant);
    ClockOffset offset;
    offset.totalSeconds = state.offsetSeconds;
    offset.abbreviation = state.abbreviation;
    // Standard time as a person reads it; the zone's own flags call some
    // winters daylight saving (Ireland, Morocco's Ramadan), which nobody does.
    offset.standardSeconds =
        std::min({offsetAtNoon(zone, year, 1), offsetAtNoon(zone, year, 7), offset.totalSeconds});
    offset.savingSeconds = offset.totalSeconds - offset.standardSeconds;
    offset.meanTime = offset.abbreviation == "LMT" || offset.totalSeconds % 60 != 0;
    return offset;
}

} // namespace

ClockReading readClock(const ZoneHistory* history, const std::string& zoneId,
                       const CivilTime& local, Occurrence occurrence)
{
    if (history == nullptr)
        return {std::nullopt,
                "the time zone " + zoneId + " is not in this computer's time zone data"};
    const ZoneHistory& zone = *history;
    const std::int64_t localSeconds = secondsOf(local);
    PlaceClock clock;
    clock.zoneId = zoneId;
    clock.local = civilOf(localSeconds); // a date such as 30 February carried into March
    const int year = clock.local.year;
    const YearSpan known = zone.years();
    if (year < known.first || year > known.last)
        return {std::nullopt, "the clock history of " + zoneId + " here runs from " +
                                  std::to_string(known.first) + " to " +
                                  std::to_string(known.last)};

    const LocalLookup found = lookupLocal(zone, localSeconds);
    clock.kind = found.kind;
    if (found.kind == LocalTimeKind::Unique) {
        clock.offset = clock.before = clock.after = offsetAt(zone, found.instant, year);
        return {clock, {}};
    }
    // The offsets either side of the change, and the wall clock's reading at it.
    clock.before = offsetAt(zone, found.change - 1, year);
    clock.after = offsetAt(zone, found.change, year);
    clock.changeFrom = civilOf(found.change + clock.before.totalSeconds);
    clock.changeTo = civilOf(found.change + clock.after.totalSeconds);
    if (clock.kind == LocalTimeKind::Repeated)
        clock.occurrence = occurrence;
    clock.offset = clock.kind == LocalTimeKind::Repeated && occurrence == Occurrence::Second
                       ? clock.after
                       : clock.before;
    return {clock, {}};
}

CivilTime universalTime(const PlaceClock& clock)
{
    return addSeconds(clock.local, -clock.offset.totalSeconds);
}

CivilTime addSeconds(const CivilTime& t, long long seconds)
{
    return civilOf(secondsOf(t) + seconds);
}

long daysBetween(const CivilTime& from, const CivilTime& to)
{
    return static_cast<long>(secondsOf({to.year, to.month, to.day}) / kSecondsPerDay -
                             secondsOf({from.year, from.month, from.day}) / kSecondsPerDay);
}

} // namespace atlas
