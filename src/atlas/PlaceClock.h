// The clock at a place: from the IANA time zone history (atlas/ZoneHistory.h),
// the offset from universal time at a local date and time, its abbreviation, and
// whether that local time was unique, skipped or repeated. Plain C++20, no Qt.
#pragma once

#include "atlas/ZoneHistory.h"
#include "ephemeris/CivilTime.h"

#include <optional>
#include <string>

namespace atlas {

using modEphemeris::CivilTime;
using modEphemeris::Occurrence;

enum class LocalTimeKind {
    Unique,   // the local time happened once
    Skipped,  // the clocks jumped over it (spring forward)
    Repeated, // the clocks went back over it (fall back): it happened twice
};

/// The clock's distance from universal time at one instant.
struct ClockOffset
{
    int totalSeconds = 0;     // ahead of universal time positive
    std::string abbreviation; // "CEST", "LMT", "+0630"
    int standardSeconds = 0;  // the least of the offsets at noon on 1 January, at noon on
                              // 1 July and at this instant
    int savingSeconds = 0;    // totalSeconds - standardSeconds, never negative
    bool meanTime = false;    // local mean time: kept before the place adopted a zone
};

struct PlaceClock
{
    std::string zoneId;
    CivilTime local;
    LocalTimeKind kind = LocalTimeKind::Unique;
    Occurrence occurrence = Occurrence::First; // for a repeated time: which one offset is
    ClockOffset offset;                        // the one used
    // Skipped or repeated: the offsets before and after the change, and the
    // local times the clocks went from and to.
    ClockOffset before;
    ClockOffset after;
    CivilTime changeFrom;
    CivilTime changeTo;
};

/// The clock, or why it could not be read.
struct ClockReading
{
    std::optional<PlaceClock> clock;
    std::string error;
};

/// The clock at a local time in the zone named zoneId, from its history (none: the
/// zone is unknown). A skipped time takes the offset in force before the change; a
/// repeated one the chosen occurrence.
ClockReading readClock(const ZoneHistory* history, const std::string& zoneId,
                       const CivilTime& local, Occurrence occurrence = Occurrence::First);

/// The same from the face's own zone data (findZone). Inline, so that the call to
/// findZone lies with the caller, which links the library that defines it.
inline ClockReading readClock(const std::string& zoneId, const CivilTime& local,
                              Occurrence occurrence = Occurrence::First)
{
    return readClock(findZone(zoneId).get(), zoneId, local, occurrence);
}

/// The instant as universal time, to the second: the local time less the offset.
CivilTime universalTime(const PlaceClock& clock);

} // namespace atlas
