// The details of one reading.
//
// The first and last minute of a sign or nakshatra are found through the same
// computation as the texts: each minute tried becomes a birth of its own (date rolled,
// clock time set) whose universal time comes from the same rule. The Moon's longitude,
// geocentric and topocentric, only increases, so the minutes that keep the birth's sign
// form one run; a prediction from the Moon's motion brackets its end within a minute or
// two, and halving finds it.
#include "MoonDetails.h"

#include "MoonAtInstant.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <utility>

namespace modEphemeris {

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kSearchMinutes = kEdgeSearchDays * kMinutesPerDay;

// The Moon's mean motion: 360 degrees in a tropical month of 27.321582 days.
constexpr double kMeanMotion = 360 / (27.321582 * kMinutesPerDay); // degrees per minute

// The display's order of the four readings.
constexpr std::array<ReadingKind, 4> kRowKinds{{
    {false, false}, // sidereal geocentric
    {false, true},  // sidereal topocentric
    {true, false},  // tropical geocentric
    {true, true},   // tropical topocentric
}};

// --- Signs and nakshatras -------------------------------------------------------------

// A division of the zodiac into equal parts.
struct Division
{
    int arcsecondsPerPart;
    std::span<const std::string_view> names;
};

constexpr int kArcsecondsPerSign = 30 * 3600;
constexpr int kArcsecondsPerNakshatra = 48000; // 13 degrees 20 minutes
constexpr int kArcsecondsPerPada = kArcsecondsPerNakshatra / 4;
const Division kSigns{kArcsecondsPerSign, kSignCodes};
const Division kNakshatras{kArcsecondsPerNakshatra, kNakshatraNames};

// The longitude in whole seconds of arc as its text cuts it, 0 to 1295999, so that a
// nakshatra and its pada agree with the minutes and seconds the text shows.
int TextArcseconds(double longitude)
{
    const ZodiacPosition p = ZodiacPositionOf(longitude);
    return ((p.sign * 30 + p.degrees) * 60 + p.minutes) * 60 + p.seconds;
}

int PartOf(double longitude, const Division& division)
{
    return TextArcseconds(longitude) / division.arcsecondsPerPart;
}

EdgeNearness NearnessOf(double longitude, int part, const Division& division)
{
    const auto parts = static_cast<int>(division.names.size());
    const double x = longitude * 3600;
    // The nearest edge, counted from 0 degrees; edge e lies between parts e-1 and e.
    const auto edge = static_cast<int>(std::lround(x / division.arcsecondsPerPart));
    const double distance = std::fabs(x - static_cast<double>(edge) * division.arcsecondsPerPart);
    const int across = (edge % parts == part) ? edge - 1 : edge;
    return {distance, distance <= kEdgeBudgetArcseconds,
            division.names[static_cast<std::size_t>((across + parts) % parts)]};
}

// --- Local minutes --------------------------------------------------------------------

// Local minutes counted from 0h of day number 0.
using MinuteIndex = std::int64_t;

MinuteIndex MinuteIndexOf(const BirthData& birth)
{
    const int jdn = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    return (MinuteIndex{jdn} * kMinutesPerDay) + (MinuteIndex{birth.BirthHour} * 60) +
           birth.BirthMinute;
}

CivilTime LocalMinuteOf(MinuteIndex index)
{
    const auto jdn = static_cast<int>(FloorDiv64(index, kMinutesPerDay));
    const auto minuteOfDay = static_cast<int>(index - MinuteIndex{jdn} * kMinutesPerDay);
    const CalendarDate date = DateOfDayNumber(jdn);
    return {date.year, date.month, date.day, minuteOfDay / 60, minuteOfDay % 60, 0};
}

// The moment moved to another local minute: same place, zone, daylight saving and clock.
BirthMoment AtMinute(BirthMoment moment, MinuteIndex index)
{
    const CivilTime m = LocalMinuteOf(index);
    BirthData& birth = moment.birth;
    birth.BirthYear = static_cast<std::int16_t>(m.year);
    birth.BirthMonth = static_cast<std::int16_t>(m.month);
    birth.BirthDay = static_cast<std::int16_t>(m.day);
    birth.BirthHour = static_cast<std::int16_t>(m.hour);
    birth.BirthMinute = static_cast<std::int16_t>(m.minute);
    return moment;
}

// --- The search -----------------------------------------------------------------------

// The last k in 0..limit for which alike(k) holds, when it holds from 0 up to some k and
// not after; empty when it still holds at limit. Starts at the guess and widens in
// doubling steps until the end is bracketed, then halves.
template <class Alike> std::optional<int> LastAlike(int guess, int limit, const Alike& alike)
{
    int lo = 0; // alike
    int hi = 0; // not alike, once found
    const int start = std::clamp(guess, 0, limit);
    if (start > 0 && !alike(start)) {
        hi = start;
        for (int step = 1; hi - step > lo; step *= 2) {
            if (alike(hi - step)) {
                lo = hi - step;
                break;
            }
            hi -= step;
        }
    } else {
        lo = start;
        for (int step = 1;; step *= 2) {
            const int probe = std::min(lo + step, limit);
            if (probe == lo) {
                return std::nullopt;
            }
            if (!alike(probe)) {
                hi = probe;
                break;
            }
            lo = probe;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (alike(mid) ? lo : hi) = mid;
    }
    return lo;
}

// a - b in degrees, folded into -180 to 180.
double AngleBetween(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

class EdgeSearch
{
public:
    explicit EdgeSearch(const BirthMoment& moment)
        : moment_(moment), place_(PlaceOf(moment.birth)),
          jdn_(JulianDayNumber(moment.birth.BirthMonth, moment.birth.BirthDay,
                               moment.birth.BirthYear)),
          ut_(UniversalTime(moment)), minute_(MinuteIndexOf(moment.birth))
    {
    }

    // The first (direction -1) or the last (+1) local minute at which the reading of
    // this kind, at the given longitude at birth, shows the same part of the division.
    [[nodiscard]] std::optional<CivilTime> End(ReadingKind kind, const Division& division,
                                               double longitude, int direction) const
    {
        const int part = PartOf(longitude, division);
        // The search stays within the years that a birth can hold.
        const MinuteIndex bound = direction > 0 ? LastMinute() - minute_ : minute_ - FirstMinute();
        const auto limit = static_cast<int>(std::min<MinuteIndex>(kSearchMinutes, bound));
        const auto alike = [&](int k) {
            const BirthMoment m = AtMinute(moment_, minute_ + MinuteIndex{direction} * k);
            const TimeArguments time = TimeArgumentsOf(
                JulianDayNumber(m.birth.BirthMonth, m.birth.BirthDay, m.birth.BirthYear),
                UniversalTime(m));
            return PartOf(MoonLongitudeAt(place_, time, kind), division) == part;
        };
        const int edgePart = direction > 0 ? part + 1 : part;
        const double edge = edgePart * static_cast<double>(division.arcsecondsPerPart) / 3600;
        const double crossing = Crossing(kind, longitude, edge);
        const auto guess = static_cast<int>(
            std::clamp(std::floor(direction * crossing), 0.0, static_cast<double>(limit)));
        const std::optional<int> k = LastAlike(guess, limit, alike);
        if (!k) {
            return std::nullopt;
        }
        return LocalMinuteOf(minute_ + MinuteIndex{direction} * *k);
    }

private:
    static MinuteIndex FirstMinute()
    {
        return MinuteIndex{JulianDayNumber(1, 1, INT16_MIN)} * kMinutesPerDay;
    }
    static MinuteIndex LastMinute()
    {
        return MinuteIndex{JulianDayNumber(12, 31, INT16_MAX) + 1} * kMinutesPerDay - 1;
    }

    // Minutes from the birth until the longitude of this kind reaches the edge (degrees),
    // by secant steps on the longitude at fractional minutes of the birth's date; an
    // estimate only, which the search checks minute by minute.
    [[nodiscard]] double Crossing(ReadingKind kind, double longitude, double edge) const
    {
        constexpr int kSteps = 6;
        constexpr double kCloseEnough = kMeanMotion / 10; // a tenth of a minute's motion
        double n0 = 0;
        double g0 = AngleBetween(longitude, edge);
        double n1 = -g0 / kMeanMotion;
        for (int step = 0; step < kSteps; ++step) {
            const TimeArguments time = TimeArgumentsOf(jdn_, ut_ + n1 / 60);
            const double g1 = AngleBetween(MoonLongitudeAt(place_, time, kind), edge);
            if (std::fabs(g1) < kCloseEnough || g1 == g0) {
                break;
            }
            const double slope = (g1 - g0) / (n1 - n0);
            n0 = n1;
            g0 = g1;
            n1 = std::clamp(n1 - g1 / slope, -2.0 * kSearchMinutes, 2.0 * kSearchMinutes);
        }
        return n1;
    }

    BirthMoment moment_;
    ObserverPlace place_;
    int jdn_;
    double ut_;
    MinuteIndex minute_;
};

// --- The instant ----------------------------------------------------------------------

constexpr std::string_view kMinus = "\xE2\x88\x92"; // minus sign, U+2212

// "5:30" or, with seconds, "0:53:28".
std::string HoursAndMinutes(int seconds)
{
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    std::string text =
        std::to_string(hours) + (minutes < 10 ? ":0" : ":") + std::to_string(minutes);
    if (seconds % 60 != 0) {
        text += (seconds % 60 < 10 ? ":0" : ":") + std::to_string(seconds % 60);
    }
    return text;
}

// ": universal time = local time − 5:30" for universal minus local time in seconds.
std::string Formula(int utMinusLocal)
{
    std::string text = ": universal time = local time";
    if (utMinusLocal != 0) {
        text += utMinusLocal < 0 ? std::string(" ") + std::string(kMinus) + " " : " + ";
        text += HoursAndMinutes(std::abs(utMinusLocal));
    }
    return text;
}

std::string ZoneRule(const BirthData& birth)
{
    const bool east = SignedLongitude(birth) < 0;
    std::string text =
        "Zone " + std::to_string(birth.ZoneHours) + " h " + std::to_string(birth.ZoneMinutes) +
        " min " +
        (east ? "east of Greenwich (East longitude)"
              : (birth.LongitudeIsEast ? "west of Greenwich (longitude 0 counts as West)"
                                       : "west of Greenwich (West longitude)"));
    text +=
        birth.DaylightSaving ? ", daylight saving (clock one hour ahead)" : ", no daylight saving";
    // The hemisphere gives the zone's direction; daylight saving moves the clock an hour on.
    const int zone = (birth.ZoneHours * 60 + birth.ZoneMinutes) * 60;
    const int daylight = birth.DaylightSaving ? 3600 : 0;
    return text + Formula(east ? -(zone + daylight) : zone - daylight);
}

std::string OffsetRule(int utcOffsetSeconds)
{
    const int magnitude = std::abs(utcOffsetSeconds);
    // Two digits for the hours, as in UTC+02:00.
    const std::string hours = magnitude < 10 * 3600 ? "0" : "";
    const std::string sign = utcOffsetSeconds < 0 ? std::string(kMinus) : "+";
    return "The clock at the place kept UTC" + sign + hours + HoursAndMinutes(magnitude) +
           Formula(-utcOffsetSeconds);
}

BirthInstant InstantOf(const BirthMoment& moment, double ut)
{
    const BirthData& birth = moment.birth;
    BirthInstant instant{};
    instant.local = LocalMinuteOf(MinuteIndexOf(birth));
    instant.rule = moment.utcOffsetSeconds ? OffsetRule(*moment.utcOffsetSeconds) : ZoneRule(birth);
    instant.ut = ut;
    const int jdn = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    const CivilTime midnight{birth.BirthYear, birth.BirthMonth, birth.BirthDay, 0, 0, 0};
    instant.universal = addSeconds(midnight, std::llround(ut * 3600));
    instant.julianDay = (jdn - 0.5) + ut / 24;
    return instant;
}

} // namespace

EdgeNearness SignEdgeOf(double longitude)
{
    return NearnessOf(longitude, PartOf(longitude, kSigns), kSigns);
}

NakshatraPlace NakshatraOf(double longitude)
{
    NakshatraPlace n{};
    const int arcseconds = TextArcseconds(longitude);
    n.index = arcseconds / kArcsecondsPerNakshatra;
    n.name = kNakshatraNames[static_cast<std::size_t>(n.index)];
    n.pada = arcseconds % kArcsecondsPerNakshatra / kArcsecondsPerPada + 1;
    n.edge = NearnessOf(longitude, n.index, kNakshatras);
    return n;
}

MoonDetails ComputeMoonDetails(const BirthMoment& moment)
{
    const double ut = UniversalTime(moment);
    const MoonReadings readings = ComputeMoonReadingsAt(moment.birth, ut);
    const EdgeSearch search(moment);

    MoonDetails details{};
    details.instant = InstantOf(moment, ut);
    for (std::size_t i = 0; i < kRowKinds.size(); ++i) {
        const ReadingKind kind = kRowKinds[i];
        const MoonReading& texts = kind.tropical ? readings.tropical : readings.sidereal;
        const ZodiacLongitudes& longitudes =
            kind.tropical ? readings.tropicalLongitudes : readings.siderealLongitudes;
        MoonDetailRow& row = details.rows[i];
        row.tropical = kind.tropical;
        row.topocentric = kind.topocentric;
        row.text = kind.topocentric ? texts.TopocentricText : texts.GeocentricText;
        row.longitude = kind.topocentric ? longitudes.topocentric : longitudes.geocentric;
        row.sign = PartOf(row.longitude, kSigns);
        row.signCode = kSignCodes[static_cast<std::size_t>(row.sign)];
        row.signEdge = SignEdgeOf(row.longitude);
        row.sign_since = search.End(kind, kSigns, row.longitude, -1);
        row.sign_until = search.End(kind, kSigns, row.longitude, +1);
        if (!kind.tropical) {
            NakshatraPlace n = NakshatraOf(row.longitude);
            n.nakshatra_since = search.End(kind, kNakshatras, row.longitude, -1);
            n.nakshatra_until = search.End(kind, kNakshatras, row.longitude, +1);
            row.nakshatra = n;
        }
    }
    return details;
}

} // namespace modEphemeris
