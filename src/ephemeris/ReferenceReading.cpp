// The Moon reading step by step: the lunar series term by term, the conversions
// between ecliptic and equatorial positions, the topocentric correction, and one
// zodiac's two texts per call.
#include "ReferenceReading.h"

#include <cmath>

#ifdef __FAST_MATH__
#error "The Moon reading needs exact IEEE arithmetic; build without -ffast-math."
#endif

namespace modEphemeris {

LunarPositionResult LunarPosition(double T)
{
    const LunarArguments args = LunarArgumentsOf(T);

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
    return {FoldIntoRange(args.Lp + sumL, 360.0), beta, parallax};
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
    const auto [rhoSin, rhoCos] = ObserverOnEllipsoid(latitude);

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

ReadingDetails ComputeReadingDetailsAt(const BirthData& birth, bool TropicalZodiac, double ut)
{
    ReadingDetails r{};
    r.longitude = SignedLongitude(birth);
    r.latitude = SignedLatitude(birth);
    // ut stays unfolded: an hour below 0 or of 24 and more moves T into the
    // neighbouring day, while T0 stays at 0h of the entered date.
    const TimeArguments t =
        TimeArgumentsOf(JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear), ut);
    r.ut = t.ut;
    r.jdn = t.jdn;
    r.T0 = t.T0;
    r.T = t.T;
    r.gst = GreenwichSiderealTime(r.T0, r.ut);
    r.ayan = TropicalZodiac ? 0.0 : Ayanamsa(r.T);
    r.eps = MeanObliquity(r.T);
    r.moon = LunarPosition(r.T);
    r.lambdaTopo = TopocentricLongitude(r.moon.lambda, r.moon.beta, r.moon.parallax, r.eps, r.gst,
                                        r.longitude, r.latitude);
    r.geocentric = InZodiac(r.moon.lambda, r.ayan);
    r.topocentric = InZodiac(r.lambdaTopo, r.ayan);
    return r;
}

ReadingDetails ComputeReadingDetails(const BirthData& birth, bool TropicalZodiac)
{
    return ComputeReadingDetailsAt(birth, TropicalZodiac, UniversalTime(birth));
}

MoonReading ComputeMoonReading(const BirthData& birth, bool TropicalZodiac)
{
    const ReadingDetails details = ComputeReadingDetails(birth, TropicalZodiac);
    return {FormatZodiacLongitude(details.geocentric), FormatZodiacLongitude(details.topocentric)};
}

} // namespace modEphemeris
