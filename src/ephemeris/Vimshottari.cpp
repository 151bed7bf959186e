// The Vimshottari periods of a birth.
//
// Every boundary is counted in whole units of 1/120^3 dasha year from the start of the
// round the birth falls in: a mahadasha of y years is y * 120^3 units, its antardasha of
// lord s y * s * 120^2, and a pratyantardasha y * s * p * 120. So the sub-periods add up to
// their period exactly, and a boundary shared by two periods is one number, turned into a
// Julian day by one expression: no gap, no overlap, however the doubles round.
#include "Vimshottari.h"

#include "MoonAtInstant.h"
#include "Primitives.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace modEphemeris {

namespace {

constexpr int kNakshatras = 27;
constexpr double kArcsecondsPerNakshatra = 48000; // 13 degrees 20 minutes
constexpr double kMinutesPerDay = 1440;

// The day-of-account count of a published balance: 12 months of 30 days to a dasha year.
constexpr std::int64_t kThousandthsPerMonth = std::int64_t{30} * 1000;
constexpr std::int64_t kThousandthsPerYear = 12 * kThousandthsPerMonth;

using Units = std::int64_t;
constexpr Units kUnitsPerYear = Units{kDashaRoundYears} * kDashaRoundYears * kDashaRoundYears;
constexpr int kMostLevels = 3; // the units would divide whole one level further still

const DashaLord& LordAt(int index)
{
    return kDashaLords[static_cast<std::size_t>(index)];
}

// The lord of a nakshatra: Ashwini's is Ketu, and each next nakshatra takes the next lord.
int LordOfNakshatra(int nakshatra)
{
    return nakshatra % static_cast<int>(kDashaLords.size());
}

double FoldedLongitude(double longitude)
{
    const double x = std::fmod(longitude, 360.0);
    const double folded = x < 0 ? x + 360 : x;
    return folded >= 360 ? 0 : folded; // a tiny negative x folds to 360 itself
}

// The Moon's sidereal longitude at a Julian day of universal time, degrees.
double SiderealMoonAt(double julianDay)
{
    const double T = (julianDay - 2451545.0) / 36525;
    return InZodiac(MoonLongitude(T), Ayanamsa(T));
}

// Boundaries in units from the round's start turned into Julian days.
struct Timeline
{
    double roundStart; // Julian day at which the first lord's period began
    double yearDays;
    double shortBelow; // periods shorter than this many days are marked

    [[nodiscard]] double JulianDayAt(Units units) const
    {
        return roundStart + static_cast<double>(units) * yearDays / kUnitsPerYear;
    }

    [[nodiscard]] DashaPeriod PeriodOf(int lord, Units start, Units length, int levelsBelow) const
    {
        DashaPeriod period{lord, JulianDayAt(start), JulianDayAt(start + length), false, {}};
        period.shorterThanBand = period.end - period.start < shortBelow;
        if (levelsBelow > 0) {
            period.subperiods.reserve(kDashaLords.size());
            Units at = start;
            for (std::size_t k = 0; k < kDashaLords.size(); ++k) {
                const int sub = (lord + static_cast<int>(k)) % static_cast<int>(kDashaLords.size());
                const Units subLength = length * LordAt(sub).years / kDashaRoundYears;
                period.subperiods.push_back(PeriodOf(sub, at, subLength, levelsBelow - 1));
                at += subLength;
            }
        }
        return period;
    }
};

// The shortest text of a number rounded to the given decimals: 150.6, 23, 365.2425.
std::string Trimmed(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(x * scale) / scale;
    // printf rather than to_chars: the web build's C++ library has no to_chars for doubles.
    std::array<char, 352> buffer{}; // the widest double in fixed notation
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, rounded);
    std::string text(buffer.data());
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

std::string Arcseconds(double arcseconds)
{
    return Trimmed(arcseconds, 1) + "\"";
}

// "a", "a or b", "a, b or c".
std::string Alternatives(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? " or " : ", ";
        }
        text += items[i];
    }
    return text;
}

} // namespace

std::string_view MoonSourceName(MoonSource source)
{
    return source == MoonSource::precise ? "precise" : "described";
}

std::string_view DashaPeriod::LordName() const
{
    return LordAt(lord).name;
}

std::optional<std::string> DashaRequestError(const DashaRequest& r)
{
    // Written as !(inside) so that a NaN is refused too.
    if (!std::isfinite(r.longitude)) {
        return "The Moon's longitude must be a finite number of degrees.";
    }
    if (!(r.julianDay >= 0 && r.julianDay <= 5000000)) {
        return "The birth's Julian day must lie between 0 and 5000000.";
    }
    if (!(r.moonMotion >= 0 && r.moonMotion <= 20)) {
        return "The Moon's motion must lie between 0 and 20 degrees a day.";
    }
    if (!(r.yearDays >= 300 && r.yearDays <= 400)) {
        return "A dasha year must lie between 300 and 400 days.";
    }
    if (!(r.moonErrorArcseconds >= 0 && r.moonErrorArcseconds <= 3600)) {
        return "The Moon's error must lie between 0 and 3600 seconds of arc.";
    }
    if (!(r.birthTimeMinutes >= 0 && r.birthTimeMinutes <= kMinutesPerDay)) {
        return "The birth time's uncertainty must lie between 0 and 1440 minutes.";
    }
    if (r.levels < 1 || r.levels > kMostLevels) {
        return "The levels of periods must be 1, 2 or 3.";
    }
    return std::nullopt;
}

VimshottariDasha ComputeVimshottari(const DashaRequest& request)
{
    if (const auto error = DashaRequestError(request)) {
        throw std::invalid_argument(*error);
    }
    VimshottariDasha d{};
    d.request = request;
    d.request.longitude = FoldedLongitude(request.longitude);

    // The longitude method: the share of the nakshatra passed is the share of the first
    // lord's period already run.
    const double x = d.request.longitude * 3600;
    d.nakshatra = std::min(static_cast<int>(x / kArcsecondsPerNakshatra), kNakshatras - 1);
    d.nakshatraName = kNakshatraNames[static_cast<std::size_t>(d.nakshatra)];
    d.firstLord = LordOfNakshatra(d.nakshatra);
    const double within = x - d.nakshatra * kArcsecondsPerNakshatra;
    d.passed = within / kArcsecondsPerNakshatra;
    const int years = LordAt(d.firstLord).years;
    d.balanceYears = (kArcsecondsPerNakshatra - within) / kArcsecondsPerNakshatra * years;
    d.balance = DashaSpanOf(d.balanceYears);

    // The Moon's error and its motion over the birth time's uncertainty, either way.
    d.bandArcseconds = request.moonErrorArcseconds +
                       request.moonMotion * 3600 * request.birthTimeMinutes / kMinutesPerDay;
    d.bandDays = d.bandArcseconds * years * request.yearDays / kArcsecondsPerNakshatra;
    const bool nearerIsBehind = within < kArcsecondsPerNakshatra / 2;
    d.edgeArcseconds = nearerIsBehind ? within : kArcsecondsPerNakshatra - within;
    d.nakshatraAcrossEdge = (d.nakshatra + (nearerIsBehind ? kNakshatras - 1 : 1)) % kNakshatras;
    d.lordAcrossEdge = LordOfNakshatra(d.nakshatraAcrossEdge);
    d.firstLordUncertain = d.edgeArcseconds <= d.bandArcseconds;

    const Timeline timeline{request.julianDay - d.passed * years * request.yearDays,
                            request.yearDays, 2 * d.bandDays};
    const double horizon = request.julianDay + kDashaRoundYears * request.yearDays;
    Units start = 0;
    for (int k = 0;; ++k) {
        const int lord = (d.firstLord + k) % static_cast<int>(kDashaLords.size());
        if (timeline.JulianDayAt(start) >= horizon) {
            break;
        }
        const Units length = LordAt(lord).years * kUnitsPerYear;
        d.mahadashas.push_back(timeline.PeriodOf(lord, start, length, request.levels - 1));
        start += length;
    }
    return d;
}

DashaSpan DashaSpanOf(double years)
{
    const auto thousandths = static_cast<std::int64_t>(std::llround(years * kThousandthsPerYear));
    const std::int64_t inYear = thousandths % kThousandthsPerYear;
    return {static_cast<int>(thousandths / kThousandthsPerYear),
            static_cast<int>(inYear / kThousandthsPerMonth),
            static_cast<double>(inYear % kThousandthsPerMonth) / 1000};
}

double JulianDayOf(int jdn, double ut)
{
    return (jdn - 0.5) + ut / 24;
}

double MoonMotionAt(double julianDay)
{
    // Over an hour either way the motion changes by a few thousandths of its value, and
    // the central difference's error is of the order of its square.
    constexpr double kHalfStep = 1.0 / 24; // days
    const double change = std::remainder(
        SiderealMoonAt(julianDay + kHalfStep) - SiderealMoonAt(julianDay - kHalfStep), 360.0);
    return change / (2 * kHalfStep);
}

DashaRequest DashaRequestFor(const BirthMoment& moment)
{
    const BirthData& birth = moment.birth;
    const double ut = UniversalTime(moment);
    const int jdn = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    DashaRequest request;
    // The same longitude as the sidereal geocentric reading's, bit for bit.
    request.longitude = MoonLongitudeAt(PlaceOf(birth), TimeArgumentsOf(jdn, ut), {false, false});
    request.source = MoonSource::described;
    request.julianDay = JulianDayOf(jdn, ut);
    request.moonMotion = MoonMotionAt(request.julianDay);
    return request;
}

std::vector<const DashaPeriod*> RunningPeriodsAt(const VimshottariDasha& dasha, double julianDay)
{
    std::vector<const DashaPeriod*> running;
    const std::vector<DashaPeriod>* level = &dasha.mahadashas;
    while (level != nullptr) {
        const DashaPeriod* found = nullptr;
        for (const DashaPeriod& period : *level) {
            if (period.start <= julianDay && julianDay < period.end) {
                found = &period;
                break;
            }
        }
        if (found == nullptr) {
            break;
        }
        running.push_back(found);
        level = found->subperiods.empty() ? nullptr : &found->subperiods;
    }
    return running;
}

CivilTime UniversalMinuteOf(double julianDay)
{
    // Minutes from 0h of day number 0; a Julian day begins at noon.
    const auto minutes =
        static_cast<std::int64_t>(std::llround((julianDay + 0.5) * kMinutesPerDay));
    const auto perDay = static_cast<std::int64_t>(kMinutesPerDay);
    const std::int64_t jdn = FloorDiv64(minutes, perDay);
    const auto minuteOfDay = static_cast<int>(minutes - jdn * perDay);
    const CalendarDate date = DateOfDayNumber(static_cast<int>(jdn));
    return {date.year, date.month, date.day, minuteOfDay / 60, minuteOfDay % 60, 0};
}

std::string UniversalMinuteText(double julianDay)
{
    const CivilTime m = UniversalMinuteOf(julianDay);
    std::array<char, 32> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d %02d:%02d",
                                     m.year, m.month, m.day, m.hour, m.minute);
    return {buffer.data(), static_cast<std::size_t>(length)};
}

std::string PlusMinusDays(double days)
{
    const std::string count = Trimmed(days, days < 9.95 ? 1 : 0);
    return "\xC2\xB1 " + count + (count == "1" ? " day" : " days");
}

std::string DashaYearConvention(double yearDays)
{
    // The lengths other tools use most, in the order they are met.
    constexpr std::array<double, 3> kCommon{365.25, 360, 365.2425};
    std::string text = "A dasha year here is " + Trimmed(yearDays, 6) + " days";
    for (const DashaYearLength& length : kDashaYearLengths) {
        if (length.days == yearDays) {
            text += " (" + std::string(length.name) + ")";
        }
    }
    std::vector<std::string> others;
    for (const double days : kCommon) {
        if (days != yearDays) {
            others.push_back(Trimmed(days, 6));
        }
    }
    return text + "; other tools may use " + Alternatives(others) + ".";
}

std::string DashaBandInWords(const VimshottariDasha& d)
{
    const DashaRequest& r = d.request;
    std::string text = "Every date may be off by " + PlusMinusDays(d.bandDays) + ": ";
    text += r.source == MoonSource::precise
                ? "the precise Moon may be off by up to " + Arcseconds(r.moonErrorArcseconds)
                : "this program's Moon may differ from a precise ephemeris by up to " +
                      Arcseconds(r.moonErrorArcseconds);
    if (r.birthTimeMinutes > 0) {
        text += ", and a birth time off by " + Trimmed(r.birthTimeMinutes, 1) +
                (r.birthTimeMinutes == 1 ? " minute" : " minutes") + " moves the Moon " +
                Arcseconds(d.bandArcseconds - r.moonErrorArcseconds) + " more";
    }
    text += ".";
    if (d.firstLordUncertain) {
        text += " The Moon stands " + Arcseconds(d.edgeArcseconds) + " from the edge with " +
                std::string(kNakshatraNames[static_cast<std::size_t>(d.nakshatraAcrossEdge)]) +
                ", within that band: the periods may begin with " +
                std::string(LordAt(d.lordAcrossEdge).name) + "'s instead of " +
                std::string(LordAt(d.firstLord).name) + "'s.";
    }
    return text;
}

int ClockOffsetSeconds(const BirthMoment& moment)
{
    // The clock time as entered less the universal time it gave: for a true offset that
    // offset, for the zone fields the zone, the hemisphere and daylight saving together.
    const BirthData& birth = moment.birth;
    const double local = (birth.BirthHour * 60 + birth.BirthMinute) * 60.0;
    return static_cast<int>(std::lround(local - UniversalTime(moment) * 3600));
}

CivilTime ClockMinuteOf(double julianDay, int offsetSeconds)
{
    return UniversalMinuteOf(julianDay + offsetSeconds / (kMinutesPerDay * 60));
}

std::string DashaBalanceInWords(const VimshottariDasha& d)
{
    const auto count = [](const std::string& number, const char* unit) {
        return number + " " + unit + (number == "1" ? "" : "s");
    };
    const DashaSpan& b = d.balance;
    return count(std::to_string(b.years), "year") + " " + count(std::to_string(b.months), "month") +
           " " + count(Trimmed(b.days, 3), "day") + " of " + std::string(LordAt(d.firstLord).name) +
           "'s period (a year of 12 months of 30 days, as published tables count it)";
}

std::string DashaMoonInWords(const VimshottariDasha& d, std::string_view preciseUnavailable)
{
    const double longitude = d.request.longitude;
    std::array<char, 32> degrees{};
    std::snprintf(degrees.data(), degrees.size(), "%.4f", longitude);
    std::string text =
        d.request.source == MoonSource::precise ? "The precise Moon: " : "This program's Moon: ";
    text += FormatZodiacLongitude(longitude) + " sidereal (" + degrees.data() +
            "\xC2\xB0), seen from the centre of the Earth";
    if (d.request.source == MoonSource::described && !preciseUnavailable.empty()) {
        text += ". The precise Moon is not used: " + std::string(preciseUnavailable) + ".";
    }
    return text;
}

} // namespace modEphemeris
