#include "atlas/PlaceClock.h"

#include <algorithm>
#include <cctz/civil_time.h>
#include <cctz/time_zone.h>
#include <chrono>

namespace atlas {
namespace {

cctz::civil_second toCivil(const CivilTime& t)
{
    return cctz::civil_second(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

CivilTime fromCivil(const cctz::civil_second& cs)
{
    return {static_cast<int>(cs.year()), cs.month(), cs.day(), cs.hour(), cs.minute(), cs.second()};
}

using Instant = cctz::time_point<cctz::seconds>;

// Zone ids are names below the zone folder, nothing else.
bool plausibleZoneId(const std::string& id)
{
    if (id.empty() || id.size() > 64 || id.front() == '/' || id.find("..") != std::string::npos)
        return false;
    return std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '_' || c == '-' || c == '+';
    });
}

int offsetAtNoon(const cctz::time_zone& zone, long year, int month)
{
    const auto noon = zone.lookup(cctz::civil_second(year, month, 1, 12, 0, 0));
    return zone.lookup(noon.pre).offset;
}

ClockOffset offsetAt(const cctz::time_zone& zone, Instant instant, long year)
{
    const auto found = zone.lookup(instant);
    ClockOffset offset;
    offset.totalSeconds = found.offset;
    offset.abbreviation = found.abbr;
    // Standard time as a person reads it; the zone's own flags call some
    // winters daylight saving (Ireland, Morocco's Ramadan), which nobody does.
    offset.standardSeconds =
        std::min({offsetAtNoon(zone, year, 1), offsetAtNoon(zone, year, 7), offset.totalSeconds});
    offset.savingSeconds = offset.totalSeconds - offset.standardSeconds;
    offset.meanTime = offset.abbreviation == "LMT" || offset.totalSeconds % 60 != 0;
    return offset;
}

} // namespace

ClockReading readClock(const std::string& zoneId, const CivilTime& local, Occurrence occurrence)
{
    cctz::time_zone zone;
    if (!plausibleZoneId(zoneId) || !cctz::load_time_zone(zoneId, &zone))
        return {std::nullopt,
                "the time zone " + zoneId + " is not in this computer's time zone data"};

    PlaceClock clock;
    clock.zoneId = zoneId;
    const cctz::civil_second civil = toCivil(local);
    clock.local = fromCivil(civil); // a date such as 30 February carried into March
    const auto found = zone.lookup(civil);
    const long year = civil.year();
    if (found.kind == cctz::time_zone::civil_lookup::UNIQUE) {
        clock.offset = clock.before = clock.after = offsetAt(zone, found.pre, year);
        return {clock, {}};
    }
    clock.kind = found.kind == cctz::time_zone::civil_lookup::SKIPPED ? LocalTimeKind::Skipped
                                                                      : LocalTimeKind::Repeated;
    // The offsets either side of the change, and the wall clock's reading at it.
    clock.before = offsetAt(zone, found.trans - cctz::seconds(1), year);
    clock.after = offsetAt(zone, found.trans, year);
    const cctz::civil_second change = cctz::convert(found.trans, cctz::utc_time_zone());
    clock.changeFrom = fromCivil(change + clock.before.totalSeconds);
    clock.changeTo = fromCivil(change + clock.after.totalSeconds);
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
