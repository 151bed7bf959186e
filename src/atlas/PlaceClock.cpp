#include "atlas/PlaceClock.h"

#include "atlas/ZoneHistory.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace atlas {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

using modEphemeris::civilTimeOf;
using modEphemeris::unixSecondsOf;

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
    const LocalLookup noon = lookupLocal(zone, unixSecondsOf({year, month, 1, 12, 0, 0}));
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
    const std::int64_t localSeconds = unixSecondsOf(local);
    PlaceClock clock;
    clock.zoneId = zoneId;
    clock.local = civilTimeOf(localSeconds); // a date such as 30 February carried into March
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
    clock.changeFrom = civilTimeOf(found.change + clock.before.totalSeconds);
    clock.changeTo = civilTimeOf(found.change + clock.after.totalSeconds);
    if (clock.kind == LocalTimeKind::Repeated)
        clock.occurrence = occurrence;
    clock.offset = clock.kind == LocalTimeKind::Repeated && occurrence == Occurrence::Second
                       ? clock.after
                       : clock.before;
    return {clock, {}};
}

CivilTime universalTime(const PlaceClock& clock)
{
    return modEphemeris::addSeconds(clock.local, -clock.offset.totalSeconds);
}

} // namespace atlas
