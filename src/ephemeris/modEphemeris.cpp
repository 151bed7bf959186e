// The Moon reading: time scales, the lunar series, the topocentric correction
// and the text form of a zodiacal longitude.
//
// The texts depend on the last bits of double arithmetic (minutes and seconds are
// cut, not rounded), so every step keeps its stored constants and the order of its
// terms. Fast math would reorder them: refuse it.
#include "modEphemeris.h"

#include <cmath>
#include <cstddef>

#ifdef __FAST_MATH__
#error "The Moon reading needs exact IEEE arithmetic; build without -ffast-math."
#endif

namespace modEphemeris {

namespace {

// Stored values rather than M_PI: the quoted readings were made with these digits.
constexpr double kDegToRad = 0.0174532925199433;
constexpr double kRadToDeg = 57.2957795130823;
constexpr double kPi = 3.14159265358979;
constexpr double kHalfPi = 1.5707963267949;

// Ratio of the Earth's polar to equatorial radius.
constexpr double kPolarRatio = 0.996647;

// Whole part of a / b rounded down, for b > 0.
int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

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

// The arguments of the lunar series, in radians, and the eccentricity factor.
struct LunarArguments
{
    double D, M, Mp, F, E;

    [[nodiscard]] double Of(const LunarTerm& term) const
    {
        return term.d * D + term.m * M + term.mp * Mp + term.f * F;
    }
    [[nodiscard]] double Factor(const LunarTerm& term) const { return term.timesE ? E : 1.0; }
};

} // namespace

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

LunarPositionResult LunarPosition(double T)
{
    const double Lp = 218.3164591 + 481267.88134236 * T;
    const double D = 297.8502042 + 445267.1115168 * T;
    const double M = 357.5291092 + 35999.0502909 * T;
    const double Mp = 134.9634114 + 477198.8676313 * T;
    const double F = 93.2720993 + 483202.0175273 * T;
    // The arguments are used unfolded, even when they are large negative angles.
    const LunarArguments args{D * kDegToRad, M * kDegToRad, Mp * kDegToRad, F * kDegToRad,
                              1 - 0.002516 * T - 0.0000074 * (T * T)};

    double sumL = 0;
    for (const LunarTerm& term : kLongitudeTerms) {
        sumL += term.coefficient * std::sin(args.Of(term)) * args.Factor(term);
    }
    double beta = 0;
    for (const LunarTerm& term : kLatitudeTerms) {
        beta += term.coefficient * std::sin(args.Of(term)) * args.Factor(term);
    }
    double parallax = kParallaxConstant;
    for (const LunarTerm& term : kParallaxTerms) {
        parallax += term.coefficient * std::cos(args.Of(term)) * args.Factor(term);
    }
    return {FoldIntoRange(Lp + sumL, 360.0), beta, parallax};
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

EquatorialPosition EclipticToEquatorial(double lambda, double beta, double eps)
{
    const double l = lambda * kDegToRad;
    const double b = beta * kDegToRad;
    const double e = eps * kDegToRad;
    const double delta =
        ArcSine(std::sin(b) * std::cos(e) + std::cos(b) * std::sin(e) * std::sin(l)) * kRadToDeg;
    double a =
        QuadrantArcTangent(std::sin(l) * std::cos(e) - std::tan(b) * std::sin(e), std::cos(l)) *
        kRadToDeg;
    if (a < 0) {
        a += 360;
    }
    return {a / 15, delta};
}

EclipticPosition EquatorialToEcliptic(double alpha, double delta, double eps)
{
    const double a = 15 * alpha * kDegToRad;
    const double d = delta * kDegToRad;
    const double e = eps * kDegToRad;
    double lambda =
        QuadrantArcTangent(std::sin(a) * std::cos(e) + std::tan(d) * std::sin(e), std::cos(a)) *
        kRadToDeg;
    if (lambda < 0) {
        lambda += 360;
    }
    const double beta =
        ArcSine(std::sin(d) * std::cos(e) - std::cos(d) * std::sin(e) * std::sin(a)) * kRadToDeg;
    return {lambda, beta};
}

EquatorialPosition TopocentricEquatorial(double alpha, double delta, double parallax, double H,
                                         double latitude)
{
    // The observer at sea level on the ellipsoid: geocentric distance (equatorial
    // radii) times the sine and cosine of the geocentric latitude.
    const double u = std::atan(kPolarRatio * std::tan(latitude * kDegToRad));
    const double rhoSin = kPolarRatio * std::sin(u);
    const double rhoCos = std::cos(u);

    const double dist = 1 / std::sin(parallax * kDegToRad); // equatorial Earth radii
    const double h = H * kDegToRad;
    const double d = delta * kDegToRad;
    const double shift =
        QuadrantArcTangent(rhoCos * std::sin(h), dist * std::cos(d) - rhoCos * std::cos(h)) *
        kRadToDeg;
    const double Hp = H + shift;
    const double alphaTopo = alpha - shift / 15;
    // The plain arctangent: the declination lies within +-90 degrees.
    const double deltaTopo = std::atan(std::cos(Hp * kDegToRad) * (dist * std::sin(d) - rhoSin) /
                                       (dist * std::cos(d) * std::cos(h) - rhoCos)) *
                             kRadToDeg;
    return {alphaTopo, deltaTopo};
}

double TopocentricLongitude(double lambda, double beta, double parallax, double eps, double gst,
                            double longitude, double latitude)
{
    const EquatorialPosition geo = EclipticToEquatorial(lambda, beta, eps);
    const double lst = LocalSiderealTime(gst, longitude);
    const double H = 15 * (lst - geo.alpha); // hour angle, degrees, not folded
    const EquatorialPosition topo =
        TopocentricEquatorial(geo.alpha, geo.delta, parallax, H, latitude);
    return EquatorialToEcliptic(topo.alpha, topo.delta, eps).lambda;
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

ReadingDetails ComputeReadingDetails(const BirthData& birth, bool TropicalZodiac)
{
    ReadingDetails r{};
    r.longitude = SignedLongitude(birth);
    r.latitude = SignedLatitude(birth);
    // ut stays unfolded: an hour below 0 or of 24 and more moves T into the
    // neighbouring day, while T0 stays at 0h of the entered date.
    r.ut = UniversalTime(birth);
    r.jdn = JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    const int days = r.jdn - 2451545;
    r.T0 = (days - 0.5) / 36525;
    r.T = (r.ut / 24 + days - 0.5) / 36525;
    r.gst = GreenwichSiderealTime(r.T0, r.ut);
    r.ayan = TropicalZodiac ? 0.0 : Ayanamsa(r.T);
    r.eps = MeanObliquity(r.T);
    r.moon = LunarPosition(r.T);
    r.lambdaTopo = TopocentricLongitude(r.moon.lambda, r.moon.beta, r.moon.parallax, r.eps, r.gst,
                                        r.longitude, r.latitude);
    r.geocentric = r.moon.lambda + r.ayan;
    if (r.geocentric < 0) {
        r.geocentric += 360;
    }
    r.topocentric = r.lambdaTopo + r.ayan;
    if (r.topocentric < 0) {
        r.topocentric += 360;
    }
    return r;
}

MoonReading ComputeMoonReading(const BirthData& birth, bool TropicalZodiac)
{
    const ReadingDetails details = ComputeReadingDetails(birth, TropicalZodiac);
    return {FormatZodiacLongitude(details.geocentric), FormatZodiacLongitude(details.topocentric)};
}

std::string FormatZodiacLongitude(double longitude)
{
    const double a = std::fabs(longitude);
    const double deg = std::floor(a);
    // Minutes and seconds are cut, never rounded, so nothing carries into the next degree.
    const double m = (a - deg) * 60;
    const double min = std::floor(m);
    const double sec = std::floor((m - min) * 60);
    const double sign = std::floor(deg / 30);
    const int degInSign = static_cast<int>(deg - 30 * sign);
    // A longitude of exactly 360 (reachable: a topocentric longitude a hair below 0
    // plus 360 rounds to 360) is the start of Aries again, not a thirteenth sign.
    const auto signIndex = static_cast<std::size_t>(std::fmod(sign, 12.0));

    std::string text = std::to_string(degInSign);
    text += "\xC2\xB0 "; // degree sign, U+00B0
    text += std::to_string(static_cast<int>(min));
    text += "' ";
    text += std::to_string(static_cast<int>(sec));
    text += "\" ";
    text += kSignCodes[signIndex];
    return text;
}

} // namespace modEphemeris
