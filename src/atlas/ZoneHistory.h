// A time zone's history as the clock at a place reads it: which offset and
// abbreviation were in force at an instant, and when they next changed. The
// clock's rules (unique, skipped and repeated local times, standard time and
// daylight saving) are built once on these two questions; the desktop and the
// command-line tool answer them from the system's tzdata, the web page from the
// table exported from it at build time. Plain C++20, no Qt.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace atlas {

/// Seconds since 1970-01-01 00:00:00 universal time.
using UnixSeconds = std::int64_t;

/// The clock a zone kept from one change to the next.
struct ZoneState
{
    int offsetSeconds = 0;    // ahead of universal time positive
    std::string abbreviation; // "CEST", "LMT", "+0630"

    bool operator==(const ZoneState&) const = default;
};

/// The calendar years, first to last, whose clock a history knows.
struct YearSpan
{
    int first;
    int last;
};

class ZoneHistory
{
public:
    virtual ~ZoneHistory() = default;

    /// The clock in force at an instant.
    [[nodiscard]] virtual ZoneState stateAt(UnixSeconds instant) const = 0;

    /// The first instant after this one at which the offset or the abbreviation
    /// changes (a change may also leave both as they were); nothing when none follows.
    [[nodiscard]] virtual std::optional<UnixSeconds> nextChange(UnixSeconds instant) const = 0;

    /// The years this history answers for; outside them its answers mean nothing.
    [[nodiscard]] virtual YearSpan years() const = 0;
};

/// The history of a zone by its IANA id ("Europe/Madrid"), or none when the zone data
/// lacks it. The zone data is the face's own: the system's tzdata for the desktop and the
/// command-line tool (library atlas), the table shipped with the web page
/// (atlas/ZoneTable.h).
std::shared_ptr<const ZoneHistory> findZone(const std::string& zoneId);

} // namespace atlas
