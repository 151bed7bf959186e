// A reading, its details and its Vimshottari periods as JSON, written once for every face:
// selenoscope-cli's --json and the web page's module. Keys in the order they are documented;
// each writer writes members into an object the caller has opened, so that a face may add
// its own after them (the tool's "place").
#pragma once

#include "ephemeris/CivilTime.h"
#include "ephemeris/MoonChoice.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "ephemeris/Vimshottari.h"
#include "ephemeris/modEphemeris.h"
#include "report/JsonWriter.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace report {

/// Why a build without the precise Moon has none, where a reason is written.
inline constexpr std::string_view kPreciseNotBuilt =
    "The precise Moon is unavailable: this build has none";

/// The line that says why there is no precise Moon; none: this build has none.
std::string PreciseUnavailableLine(const std::optional<modEphemeris::PreciseBeside>& precise);

/// "sidereal" and "tropical", each {"geocentric":...,"topocentric":...}.
void WriteReadings(JsonWriter& json, const modEphemeris::MoonReadings& readings);

/// "precise": the precise Moon's four texts in the readings' shape; or null, then
/// "precise_unavailable" saying why (none: this build has no precise Moon).
void WritePreciseReadings(JsonWriter& json,
                          const std::optional<modEphemeris::PreciseBeside>& precise);

/// "instant" and "readings" in the display's order, each reading ending with its "precise"
/// (null where there is none, and then "precise_unavailable" after the readings).
void WriteDetails(JsonWriter& json, const modEphemeris::MoonDetails& details,
                  const std::optional<modEphemeris::PreciseBeside>& precise);

/// How the periods are counted: the tool's --year-days, --time-uncertainty and --levels.
struct DashaCounting
{
    double yearDays = modEphemeris::kDefaultDashaYearDays;
    double birthTimeMinutes = 0;
    int levels = 2;
};

/// A birth's periods, the Moon they start from and the birth's universal time.
struct DashaReport
{
    modEphemeris::DashaStart start;
    modEphemeris::VimshottariDasha dasha;
    modEphemeris::CivilTime birthUt; // to the second
};

/// The periods at the moment from the precise Moon where it is available, else from this
/// program's own, counted so; or why they cannot be counted so, in words.
std::variant<DashaReport, std::string> DashaFor(const modEphemeris::BirthMoment& moment,
                                                const DashaCounting& counting,
                                                const modEphemeris::PreciseMoon& precise);

/// DashaFor with the precise Moon where this build has it.
std::variant<DashaReport, std::string> DashaFor(const modEphemeris::BirthMoment& moment,
                                                const DashaCounting& counting);

/// "birth_ut", "moon", "year_days", "nakshatra", "lord", "balance", "band_days",
/// "first_lord_uncertain" and "mahadashas", each with its sub-periods.
void WriteDasha(JsonWriter& json, const DashaReport& periods);

} // namespace report
