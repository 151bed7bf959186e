// The pieces both ways of computing the Moon share: time scales, sidereal time,
// obliquity, ayanamsa, the series' arguments, the observer, the angle helpers and the
// text of a longitude.
//
// The texts depend on the last bits of double arithmetic (minutes and seconds are
// cut, not rounded), so every step keeps its stored constants and the order of its
// terms. Fast math would reorder them: refuse it.
#include "Primitives.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

#ifdef __FAST_MATH__
#error "The Moon reading needs exact IEEE arithmetic; build without -ffast-math."
#endif

namespace modEphemeris {

double SignedLongitude(const BirthData& birth)
{
    const double longitude = birth.LongitudeDegrees + birth.LongitudeMinutes / 60.0;
    return birth.LongitudeIsEast ? -longitude : longitude;
}

double SignedLatitude(const BirthData& birth)
{
    const double latitude = birth.LatitudeDegrees + birth.LatitudeMinutes / 60.0;
    return birth.LatitudeIsSouth ? -latitude : latitude;
}

TimeArguments TimeArgumentsOf(int jdn, double ut)
{
    TimeArguments t{};
    t.ut = ut;
    t.jdn = jdn;
    const int days = jdn - 2451545;
    t.T0 = (days - 0.5) / 36525;
    t.T = (ut / 24 + days - 0.5) / 36525;
    return t;
}

double InZodiac(double lambda, double ayan)
{
    const double x = lambda + ayan;
    return x < 0 ? x + 360 : x;
}

double FoldIntoRange(double x, double period)
{
    // Adding or taking off the period one step at a time is exact for every double
    // this program meets (the period is a multiple of the value's last bit), so the
    // loops end on the remainder that fmod gives exactly. One fmod replaces the
    // hundreds of steps that the Moon's mean longitude needs for early dates.
    if (x < 0) {
        const double r = std::fmod(x, period); // -period < r <= 0, exact
        x = (r == 0) ? 0.0 : r + period;       // the loop's last step: -period + period is +0
    }
    if (x > period) {
        const double r = std::fmod(x, period); // 0 <= r < period, exact
        x = (r == 0) ? period : r;             // the loop stops at exactly period
    }
    return x;
}

int JulianDayNumber(int month, int day, int year)
{
    const int mm = 12 * (year + 4800) + month - 3; // months counted from March of -4800
    int jdn = FloorDiv(365 * mm + 2 * (mm - 12 * FloorDiv(mm, 12)) + 7, 12) + day +
              FloorDiv(mm, 48) - 32083;
    // The Julian-calendar count of 1582 October 15 and earlier stays Julian.
    if (jdn > 2299171) {
        jdn = jdn + FloorDiv(mm, 4800) - FloorDiv(mm, 1200) + 38;
    }
    return jdn;
}

CalendarDate DateOfDayNumber(int jdn)
{
    // Counted from 1 March of the year -4716 (Julian), whole years of 1461 days in four;
    // the Gregorian days drop the century leap days that the Julian calendar keeps.
    int f = jdn + 1401;
    if (jdn > 2299171) {
        f += FloorDiv(FloorDiv(4 * jdn + 274277, 146097) * 3, 4) - 38;
    }
    const int e = 4 * f + 3;
    const int h = 5 * FloorDiv(e - 1461 * FloorDiv(e, 1461), 4) + 2; // day of the year, times 5
    CalendarDate date{};
    date.day = FloorDiv(h - 153 * FloorDiv(h, 153), 5) + 1;
    date.month = (FloorDiv(h, 153) + 2) % 12 + 1;
    date.year = FloorDiv(e, 1461) - 4716 + (14 - date.month) / 12;
    return date;
}

double GreenwichSiderealTime(double T0, double ut)
{
    const double g = 6.697374558 + 2400.051336 * T0 + 0.000025862 * (T0 * T0) + 1.002737909 * ut;
    return FoldIntoRange(g, 24.0);
}

double LocalSiderealTime(double gst, double longitude)
{
    return FoldIntoRange(gst + (-longitude) / 15, 24.0);
}

double MeanObliquity(double T)
{
    return 23.452294 - 0.0130125 * T;
}

double Ayanamsa(double T)
{
    const double omega = 125.044555 - 1934.1361849 * T + 0.0020762 * (T * T);
    const double ls = 280.466449 + 36000.7698231 * T + 0.0003106 * (T * T);
    // Arc-seconds. The Sun's term takes its mean longitude itself, not twice it.
    const double nut = 17.23 * std::sin(omega * kDegToRad) + 1.27 * std::sin(ls * kDegToRad);
    const double prec = T * (5025.64 + 1.11 * T);
    return (nut - prec - 85886.27) / 3600;
}

LunarArguments LunarArgumentsOf(double T)
{
    LunarArguments a{};
    a.Lp = 218.3164591 + 481267.88134236 * T;
    // The arguments are used unfolded, even when they are large negative angles.
    a.D = (297.8502042 + 445267.1115168 * T) * kDegToRad;
    a.M = (357.5291092 + 35999.0502909 * T) * kDegToRad;
    a.Mp = (134.9634114 + 477198.8676313 * T) * kDegToRad;
    a.F = (93.2720993 + 483202.0175273 * T) * kDegToRad;
    a.E = 1 - 0.002516 * T - 0.0000074 * (T * T);
    return a;
}

double QuadrantArcTangent(double y, double x)
{
    if (x > 0) {
        return std::atan(y / x);
    }
    if (x == 0) {
        if (y == 0) {
            return 0;
        }
        return y > 0 ? kHalfPi : -kHalfPi;
    }
    if (y == 0) {
        return kPi;
    }
    const double a = kPi - std::atan(std::fabs(y / x));
    return y > 0 ? a : -a;
}

double ArcSine(double s)
{
    if (std::fabs(s) != 1) {
        return std::atan(s / std::sqrt(1 - s * s));
    }
    return s > 0 ? kHalfPi : -kHalfPi;
}

EllipsoidPoint ObserverOnEllipsoid(double latitude)
{
    const double u = std::atan(kPolarRatio * std::tan(latitude * kDegToRad));
    return {kPolarRatio * std::sin(u), std::cos(u)};
}

double UniversalTime(const BirthData& birth)
{
    const double local = birth.BirthHour + birth.BirthMinute / 60.0;
    double zone = birth.ZoneHours + birth.ZoneMinutes / 60.0;
    // The zone's direction comes from the longitude's hemisphere; 0 counts as West.
    const bool east = SignedLongitude(birth) < 0;
    if (birth.DaylightSaving) {
        zone = east ? zone + 1 : zone - 1;
    }
    return east ? local - zone : local + zone;
}

double UniversalTimeForOffset(const BirthData& birth, int utcOffsetSeconds)
{
    const double local = birth.BirthHour + birth.BirthMinute / 60.0;
    return local - utcOffsetSeconds / 3600.0;
}

double UniversalTime(const BirthMoment& moment)
{
    return moment.utcOffsetSeconds ? UniversalTimeForOffset(moment.birth, *moment.utcOffsetSeconds)
                                   : UniversalTime(moment.birth);
}

ZodiacPosition ZodiacPositionOf(double longitude)
{
    const double a = std::fabs(longitude);
    const double deg = std::floor(a);
    // Minutes and seconds are cut, never rounded, so nothing carries into the next degree.
    const double m = (a - deg) * 60;
    const double min = std::floor(m);
    const double sec = std::floor((m - min) * 60);
    const double sign = std::floor(deg / 30);
    // A longitude of exactly 360 (reachable: a topocentric longitude a hair below 0
    // plus 360 rounds to 360) is the start of Aries again, not a thirteenth sign.
    return {static_cast<int>(std::fmod(sign, 12.0)), static_cast<int>(deg - 30 * sign),
            static_cast<int>(min), static_cast<int>(sec)};
}

std::string FormatZodiacLongitude(double longitude)
{
    const ZodiacPosition p = ZodiacPositionOf(longitude);
    const auto appendNumber = [](std::string& text, int n) {
        std::array<char, 12> digits{}; // any int
        char* end = std::to_chars(digits.begin(), digits.end(), n).ptr;
        text.append(digits.data(), end);
    };
    std::string text;
    text.reserve(24); // one allocation: the reading writes four of these texts
    appendNumber(text, p.degrees);
    text += "\xC2\xB0 "; // degree sign, U+00B0
    appendNumber(text, p.minutes);
    text += "' ";
    appendNumber(text, p.seconds);
    text += "\" ";
    text += kSignCodes[static_cast<std::size_t>(p.sign)];
    return text;
}

} // namespace modEphemeris
