// The precise Moon: libnova's ELP 2000-82B for the Moon's geometric place, the IAU's
// routines (liberfa) for everything around it.
//
// What the series gives and what a reading needs differ in four ways, each worth from
// a third of a second of arc to degrees:
// - time: the series runs on dynamical time (TT = UT + ΔT), and the Moon is seen where
//   it stood when its light left it, r/c (about 1.3 s) earlier;
// - frame: the series' coordinates refer to the mean ecliptic and equinox of J2000;
//   precession (eraEcm06, through the ICRS) brings them to the mean ecliptic of date and
//   the nutation in longitude to the true equinox, as an apparent longitude is counted;
// - place: from the birth place on the WGS84 ellipsoid, turned to the sky by Greenwich
//   apparent sidereal time, the Moon is displaced by up to a degree, computed from its
//   geometric distance;
// - the observer's own speed (the Earth's turning, up to 0.46 km/s) bends the light
//   by up to a third of a second of arc (diurnal aberration).
#include "PreciseMoon.h"

#include "DeltaT.h"
#include "MoonAtInstant.h"
#include "Primitives.h"

#include <array>
#include <cmath>
#include <erfa.h>
#include <erfam.h>
#include <libnova/lunar.h>
#include <mutex>

namespace modEphemeris {

namespace {

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

constexpr double kSecondsPerDay = 86400;
constexpr double kLightKmPerSecond = ERFA_CMPS / 1000;
// The equatorial radius behind the readings' horizontal parallax, kilometres.
constexpr double kParallaxRadiusKm = 6378.14;
// The Earth's rate of turning against the stars, radians per second (IERS conventions).
constexpr double kEarthTurnRate = 7.292115e-5;
// The Moon keeps between 356,400 and 406,700 km from the Earth's centre; a series
// result outside these bounds, widened a little, is no position at all.
constexpr double kNearestKm = 350000;
constexpr double kFarthestKm = 410000;

// libnova's lunar series writes its precision and the last instant's Moon to static variables
// on every call, without a lock. In libnova 0.16 the cached Moon is never read back (its test
// compares the precision with a constant), so threads would only overwrite each other with the
// same precision; but that is still a data race, and a libnova whose cache worked could hand
// one thread the Moon of another's instant. So the series runs one call at a time (the batch's
// threads queue for it; the rest of the precise Moon runs alongside).
std::mutex& LunarSeriesMutex()
{
    static std::mutex mutex;
    return mutex;
}

PreciseMoon Unavailable(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

Vector Times(const Matrix& m, const Vector& v)
{
    Vector r{};
    for (std::size_t i = 0; i < 3; ++i) {
        r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    }
    return r;
}

// a times the transpose of b.
Matrix TimesTransposed(const Matrix& a, const Matrix& b)
{
    Matrix r{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            r[i][j] = a[i][0] * b[j][0] + a[i][1] * b[j][1] + a[i][2] * b[j][2];
        }
    }
    return r;
}

double Length(const Vector& v)
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

// From the ICRS to the mean ecliptic and equinox of a date (TT, two-part Julian day).
Matrix EclipticMatrix(double tt1, double tt2)
{
    double rm[3][3]; // NOLINT(modernize-avoid-c-arrays): liberfa's matrix
    eraEcm06(tt1, tt2, rm);
    Matrix m{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            m[i][j] = rm[i][j];
        }
    }
    return m;
}

// v turned about the z axis by angle radians (its longitude grows by angle).
Vector TurnedAboutZ(const Vector& v, double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {c * v[0] - s * v[1], s * v[0] + c * v[1], v[2]};
}

// An equatorial vector in the ecliptic frame of obliquity eps, radians.
Vector EquatorToEcliptic(const Vector& v, double eps)
{
    const double c = std::cos(eps);
    const double s = std::sin(eps);
    return {v[0], c * v[1] + s * v[2], -s * v[1] + c * v[2]};
}

// The ecliptic longitude of a vector, degrees, 0 to 360.
double LongitudeOf(const Vector& v)
{
    const double lambda = std::atan2(v[1], v[0]) * ERFA_DR2D;
    // atan2 of a y a hair below 0 gives -0 or a tiny negative: 360 would be a 13th sign.
    const double folded = lambda < 0 ? lambda + 360 : lambda;
    return folded < 360 ? folded : 0.0;
}

// The observer at sea level, kilometres, in the Earth's own frame (x to Greenwich).
std::optional<Vector> ObserverOnWgs84(double longitude, double latitude)
{
    double xyz[3]; // NOLINT(modernize-avoid-c-arrays): liberfa's vector
    if (eraGd2gc(ERFA_WGS84, -longitude * ERFA_DD2R, latitude * ERFA_DD2R, 0, xyz) != 0) {
        return std::nullopt;
    }
    return Vector{xyz[0] / 1000, xyz[1] / 1000, xyz[2] / 1000};
}

} // namespace

PreciseMoon PreciseMoonAt(int jdn, double ut, double longitude, double latitude)
{
    if (!std::isfinite(ut) || !std::isfinite(longitude) || !(std::fabs(latitude) <= 90)) {
        return Unavailable("the instant or the place is not a number, or the latitude lies "
                           "beyond a pole");
    }
    // Two-part Julian days keep the instant to the microsecond: 0h of the date, and a part.
    const double midnight = jdn - 0.5;
    const double utFraction = ut / 24;
    const std::optional<double> deltaT = DeltaT(midnight + utFraction);
    if (!deltaT) {
        return Unavailable("the precise Moon covers the years 1900 to 2050 only");
    }
    const double ttFraction = utFraction + *deltaT / kSecondsPerDay;

    // Light time from the readings' own Moon distance: at most 150 km out, half a
    // millisecond of light, so the one evaluation of the series is at the right instant.
    const double T = (midnight - ERFA_DJ00 + ttFraction) / ERFA_DJC;
    const double guessKm = kParallaxRadiusKm / std::sin(MoonPosition(T).parallax * ERFA_DD2R);
    ln_rect_posn elp{};
    {
        const std::lock_guard oneAtATime(LunarSeriesMutex());
        ln_get_lunar_geo_posn(midnight +
                                  (ttFraction - guessKm / kLightKmPerSecond / kSecondsPerDay),
                              &elp, kLunarSeriesPrecision);
    }
    const Vector moonJ2000{elp.X, elp.Y, elp.Z};
    const double distance = Length(moonJ2000);
    if (!(distance >= kNearestKm && distance <= kFarthestKm)) {
        return Unavailable("the lunar series gave no position for this instant");
    }

    static const Matrix kIcrsToEclipticJ2000 = EclipticMatrix(ERFA_DJ00, 0);
    const Matrix j2000ToDate =
        TimesTransposed(EclipticMatrix(midnight, ttFraction), kIcrsToEclipticJ2000);
    double dpsi = 0;
    double deps = 0;
    eraNut00b(midnight, ttFraction, &dpsi, &deps);
    const double epsMean = eraObl06(midnight, ttFraction);
    // The true equinox lies dpsi along the ecliptic from the mean one.
    const Vector moon = TurnedAboutZ(Times(j2000ToDate, moonJ2000), dpsi);

    const std::optional<Vector> site = ObserverOnWgs84(longitude, latitude);
    if (!site) {
        return Unavailable("the place lies off the Earth's ellipsoid");
    }
    const double gast = eraGmst06(midnight, utFraction, midnight, ttFraction) +
                        eraEe00(midnight, ttFraction, epsMean, dpsi);
    const Vector siteEquator = TurnedAboutZ(*site, gast);
    const Vector siteVelocity{-kEarthTurnRate * siteEquator[1], kEarthTurnRate * siteEquator[0], 0};
    const double epsTrue = epsMean + deps;
    const Vector siteEcliptic = EquatorToEcliptic(siteEquator, epsTrue);
    const Vector velocityEcliptic = EquatorToEcliptic(siteVelocity, epsTrue);

    // Seen from the place, then shifted by the observer's speed over the speed of light.
    const Vector fromSite{moon[0] - siteEcliptic[0], moon[1] - siteEcliptic[1],
                          moon[2] - siteEcliptic[2]};
    const double toSite = Length(fromSite);
    Vector apparent{};
    for (std::size_t i = 0; i < 3; ++i) {
        apparent[i] = fromSite[i] / toSite + velocityEcliptic[i] / kLightKmPerSecond;
    }

    PreciseLongitudes precise{};
    precise.tropical = {LongitudeOf(moon), LongitudeOf(apparent)};
    // The readings' ayanamsa, at the readings' own time argument.
    const double ayan = Ayanamsa(TimeArgumentsOf(jdn, ut).T);
    precise.sidereal = {InZodiac(precise.tropical.geocentric, ayan),
                        InZodiac(precise.tropical.topocentric, ayan)};
    return {precise, {}};
}

PreciseMoon PreciseMoonAt(const BirthMoment& moment)
{
    const BirthData& birth = moment.birth;
    return PreciseMoonAt(JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear),
                         UniversalTime(moment), SignedLongitude(birth), SignedLatitude(birth));
}

} // namespace modEphemeris
