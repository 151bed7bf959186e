// What the finder and the reading say about a place's clock, in words a user
// understands. UTF-8 texts; plain C++20, no Qt.
#pragma once

#include "atlas/EntryFields.h"
#include "atlas/PlaceClock.h"
#include "ephemeris/modEphemeris.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace atlas {

/// The minus sign of the texts people read; tab-separated output for scripts takes '-'.
inline constexpr std::string_view kMinusSign = "\u2212";

/// An offset from universal time: "UTC+02:00", "UTC−04:00", "UTC−00:14:44".
std::string utcOffsetText(int seconds, std::string_view minus = kMinusSign);

/// "Europe/Madrid on 1 July 1980 at 12:00: UTC+02:00, CEST, daylight saving in force": the
/// clock at the local date and time it was read for.
std::string clockLine(const PlaceClock& clock);

/// "The clock at Atlantis could not be read: the time zone ... is not in ...".
std::string clockErrorLine(const std::string& placeName, const std::string& error);

/// The notes under the clock line: a skipped or repeated local time, local mean
/// time, the record before 1970, and zone fields that cannot say the clock of
/// a place east (or not) of Greenwich.
std::vector<std::string> clockNotes(const std::string& placeName, const PlaceClock& clock,
                                    const ZoneFields& fields, bool east);

/// The two occurrences' captions for a repeated local time:
/// "First, on daylight time (UTC−04:00)", "Second, on standard time (UTC−05:00)".
std::vector<std::string> occurrenceCaptions(const PlaceClock& clock);

/// The question asked at the reading when the zone fields would give another
/// universal time than the place's clock, with its two answers.
struct ZoneQuestion
{
    std::string text;
    std::string useClockCaption;   // "Use 10:00 UT", the default answer
    std::string useEnteredCaption; // "Use the zone as entered"
};

/// The question, or none when the fields as entered give the clock's universal
/// time within half a minute.
std::optional<ZoneQuestion> zoneQuestion(const std::string& placeName, const PlaceClock& clock,
                                         const modEphemeris::BirthData& entered);

} // namespace atlas
