// The zones' histories from the system's tzdata, read by cctz: the clock of the
// desktop program and of the command-line tool.
#include "atlas/ZoneHistory.h"

#include <algorithm>
#include <cctz/civil_time.h>
#include <cctz/time_zone.h>
#include <chrono>
#include <climits>

namespace atlas {
namespace {

using Instant = cctz::time_point<cctz::seconds>;

Instant instantOf(UnixSeconds seconds)
{
    return Instant(cctz::seconds(seconds));
}

UnixSeconds secondsOf(Instant instant)
{
    return instant.time_since_epoch().count();
}

// Zone ids are names below the zone folder, nothing else: cctz reads them as file names.
bool plausibleZoneId(const std::string& id)
{
    if (id.empty() || id.size() > 64 || id.front() == '/' || id.find("..") != std::string::npos)
        return false;
    return std::all_of(id.begin(), id.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '_' || c == '-' || c == '+';
    });
}

class CctzZoneHistory final : public ZoneHistory
{
public:
    explicit CctzZoneHistory(cctz::time_zone zone) : zone_(zone) {}

    [[nodiscard]] ZoneState stateAt(UnixSeconds instant) const override
    {
        const cctz::time_zone::absolute_lookup found = zone_.lookup(instantOf(instant));
        return {found.offset, found.abbr};
    }

    [[nodiscard]] std::optional<UnixSeconds> nextChange(UnixSeconds instant) const override
    {
        cctz::time_zone::civil_transition change;
        if (!zone_.next_transition(instantOf(instant), &change))
            return std::nullopt;
        // The wall clock's reading just after the change names its instant.
        return secondsOf(zone_.lookup(change.to).trans);
    }

    [[nodiscard]] YearSpan years() const override { return {INT_MIN, INT_MAX}; }

private:
    cctz::time_zone zone_;
};

} // namespace

std::shared_ptr<const ZoneHistory> findZone(const std::string& zoneId)
{
    cctz::time_zone zone;
    if (!plausibleZoneId(zoneId) || !cctz::load_time_zone(zoneId, &zone))
        return nullptr;
    return std::make_shared<CctzZoneHistory>(zone);
}

} // namespace atlas
