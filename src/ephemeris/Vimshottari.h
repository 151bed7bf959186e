// The Vimshottari periods of a birth: nine planetary periods of 120 years in all, the
// first one entered at the point of its round that the Moon's place in its nakshatra gives.
// Plain C++20, no Qt: the window and the command line share it.
//
// Every date moves rigidly with the Moon's longitude, by years(first lord) x year / 48000
// days per second of arc, so each date carries a band: the Moon's own error and the
// birth time's uncertainty turned into days.
//
// The balance of the first period is counted as published tables count it: a dasha year
// of twelve months of 30 days (a Rahu balance of 16.7625 years is 16 y 9 m 4.5 d). The
// dates count a dasha year as yearDays days of the calendar, 365.25 unless chosen otherwise.
#pragma once

#include "CivilTime.h"
#include "modEphemeris.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modEphemeris {

/// One of the nine lords and the years of its period.
struct DashaLord
{
    std::string_view name;
    int years;
};

/// The lords in the order their periods follow one another. Ashwini's lord comes first and
/// the 27 nakshatras take them in turn, three rounds of nine.
inline constexpr std::array<DashaLord, 9> kDashaLords{{
    {"Ketu", 7},
    {"Venus", 20},
    {"Sun", 6},
    {"Moon", 10},
    {"Mars", 7},
    {"Rahu", 18},
    {"Jupiter", 16},
    {"Saturn", 19},
    {"Mercury", 17},
}};

/// The years of one round of the nine periods.
inline constexpr int kDashaRoundYears = 120;

static_assert([] {
    int sum = 0;
    for (const DashaLord& lord : kDashaLords) {
        sum += lord.years;
    }
    return sum == kDashaRoundYears;
}());

/// How far this program's sidereal Moon may lie from a precise ephemeris's, seconds of arc:
/// the largest difference of the geocentric sidereal longitude over 20,000 instants from 1900
/// to 2050 (docs/accuracy.md: 148.0" of the Moon itself and the ayanamsa's few seconds).
inline constexpr double kDescribedMoonErrorArcseconds = 150.6;

/// A dasha year of the calendar's days that tools use.
struct DashaYearLength
{
    double days;
    std::string_view name;
};

inline constexpr std::array<DashaYearLength, 4> kDashaYearLengths{{
    {365.25, "the Julian year"},
    {365.2425, "the Gregorian calendar's mean year"},
    {365.256363, "the sidereal year"},
    {360, "twelve months of 30 days"},
}};

/// The dasha year the dates use unless another is chosen, days.
inline constexpr double kDefaultDashaYearDays = 365.25;

/// Which Moon the periods start from.
enum class MoonSource {
    described, // this program's own series
    precise,   // a precise ephemeris, with its own error budget
};

/// "described" or "precise".
std::string_view MoonSourceName(MoonSource source);

/// What the periods of one birth are computed from.
struct DashaRequest
{
    double longitude = 0; // the sidereal geocentric Moon at birth, degrees (folded into 0 to 360)
    MoonSource source = MoonSource::described;
    double julianDay = 0;  // the instant of birth, Julian day of universal time, 0 to 5,000,000
    double moonMotion = 0; // the Moon's motion at birth, degrees per day, 0 to 20
    double yearDays = kDefaultDashaYearDays;                    // a dasha year, days, 300 to 400
    double moonErrorArcseconds = kDescribedMoonErrorArcseconds; // 0 to 3600
    double birthTimeMinutes = 0; // how far the birth time may be off either way, 0 to 1440
    int levels = 2;              // 1 the periods, 2 with their sub-periods, 3 one level further
};

/// A length of time in dasha years of twelve months of 30 days.
struct DashaSpan
{
    int years;
    int months;  // 0 to 11
    double days; // 0 to below 30, in thousandths
};

/// One period: a mahadasha, an antardasha or a pratyantardasha.
struct DashaPeriod
{
    int lord;     // index into kDashaLords
    double start; // Julian day of universal time
    double end;   // the next period's start
    /// Shorter than twice the band: the period that runs at a date near it is uncertain.
    bool shorterThanBand;
    std::vector<DashaPeriod> subperiods; // nine, the first of the period's own lord; or none

    [[nodiscard]] std::string_view LordName() const;
};

/// The periods of one birth.
struct VimshottariDasha
{
    DashaRequest request; // as given, its longitude folded into 0 to 360
    int nakshatra;        // 0 (Ashwini) to 26 (Revati)
    std::string_view nakshatraName;
    int firstLord;       // index into kDashaLords: the lord of the period running at birth
    double passed;       // the share of the nakshatra the Moon had passed, 0 to below 1
    double balanceYears; // what remained of the first period at birth, dasha years
    DashaSpan balance;
    double bandArcseconds;   // the Moon's error plus its motion over the birth time's uncertainty
    double bandDays;         // the band turned into days: every date may be off by this much
    double edgeArcseconds;   // from the Moon to the nearer edge of its nakshatra
    int nakshatraAcrossEdge; // the nakshatra beyond that edge
    int lordAcrossEdge;      // and its lord
    /// Within the band of the edge: the Moon may lie beyond it and the round start elsewhere.
    bool firstLordUncertain;
    /// From the one running at birth until the one running 120 dasha years after birth.
    std::vector<DashaPeriod> mahadashas;
};

/// Why a request cannot be computed, in words; empty when it can.
std::optional<std::string> DashaRequestError(const DashaRequest& request);

/// The periods of a birth; throws std::invalid_argument with DashaRequestError's words.
VimshottariDasha ComputeVimshottari(const DashaRequest& request);

/// A length in dasha years (0 or more) as years, months and days, rounded to a thousandth of
/// a day.
DashaSpan DashaSpanOf(double years);

/// The Julian day of ut hours after 0h universal time of day number jdn.
double JulianDayOf(int jdn, double ut);

/// The sidereal Moon's motion by this program's series, degrees per day; julianDay of
/// universal time.
double MoonMotionAt(double julianDay);

/// A request for the birth at its moment from this program's own Moon: the sidereal
/// geocentric longitude, the instant and the motion.
DashaRequest DashaRequestFor(const BirthMoment& moment);

/// The periods running at an instant (Julian day of universal time), the mahadasha first and
/// each sub-period within the one before; empty outside the periods computed.
std::vector<const DashaPeriod*> RunningPeriodsAt(const VimshottariDasha& dasha, double julianDay);

/// The universal date and time of a Julian day (0 to 6,000,000), rounded to the nearest minute
/// (seconds 0).
CivilTime UniversalMinuteOf(double julianDay);

/// "YYYY-MM-DD HH:MM" of UniversalMinuteOf.
std::string UniversalMinuteText(double julianDay);

/// "± 23 days": a band in days, whole days from 10 on, tenths below.
std::string PlusMinusDays(double days);

/// The year convention in words, e.g. "A dasha year here is 365.25 days (the Julian year);
/// other tools may use 360 or 365.2425."
std::string DashaYearConvention(double yearDays);

/// The band in words: how far every date may be off and why, and whether the first lord
/// itself is uncertain.
std::string DashaBandInWords(const VimshottariDasha& dasha);

/// The offset of the birth place's clock that the moment implies, seconds, East of Greenwich
/// positive (local time = universal time + offset): its true offset when it has one, else
/// the zone fields' rule, the same that made its universal time.
int ClockOffsetSeconds(const BirthMoment& moment);

/// The date and time on a clock offsetSeconds ahead of universal time at a Julian day of
/// universal time (0 to 6,000,000), rounded to the nearest minute (seconds 0).
CivilTime ClockMinuteOf(double julianDay, int offsetSeconds);

/// The balance at birth in words: "16 years 9 months 4.5 days of Rahu's period (a year of
/// 12 months of 30 days, as published tables count it)".
std::string DashaBalanceInWords(const VimshottariDasha& dasha);

/// The Moon the periods start from, in words: "The precise Moon: 196.701187° sidereal, seen
/// from the centre of the Earth"; for this program's own Moon, why the precise one was not
/// used when a reason is given ("... The precise Moon is not used: <reason>.").
std::string DashaMoonInWords(const VimshottariDasha& dasha, std::string_view preciseUnavailable);

} // namespace modEphemeris
