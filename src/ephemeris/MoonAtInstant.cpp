// The Moon at one instant, computed once for all four readings.
//
// Every value must equal its counterpart in ReferenceReading.cpp to the last bit, since
// the texts cut minutes and seconds. Three rewritings keep the bits:
// - sincos gives the same sine and cosine as separate calls (glibc; the tests check it);
// - a product with multiplier 0 in a term's argument is a zero, and adding a zero to
//   a non-zero partial sum changes nothing (see EveryTermHasAPositiveMultiplier for a
//   sum that is itself zero), so it is left out while the other products keep their order;
// - multiplying by an eccentricity factor of 1 changes nothing, so it is left out.
#include "MoonAtInstant.h"

#include <algorithm>
#include <array>
#include <cmath> // with glibc also sincos, a GNU extension
#include <cstddef>
#include <type_traits>
#include <utility>

#ifdef __FAST_MATH__
#error "The Moon reading needs exact IEEE arithmetic; build without -ffast-math."
#endif

namespace modEphemeris {

namespace {

// --- The lunar series, unrolled --------------------------------------------------

using Multipliers = std::array<int, 4>; // of D, M, Mp and F

constexpr Multipliers MultipliersOf(const LunarTerm& term)
{
    return {term.d, term.m, term.mp, term.f};
}

// The arguments D, M, Mp and F, radians, in the order of a term's multipliers.
using SeriesArguments = std::array<double, 4>;

// The places of a term's non-zero multipliers, in their order.
struct NonZeroMultipliers
{
    std::array<std::size_t, 4> at{};
    std::size_t count = 0;
};

constexpr NonZeroMultipliers NonZeroOf(const LunarTerm& term)
{
    NonZeroMultipliers nonZero;
    const Multipliers k = MultipliersOf(term);
    for (std::size_t i = 0; i < k.size(); ++i) {
        if (k[i] != 0) {
            nonZero.at[nonZero.count++] = i;
        }
    }
    return nonZero;
}

// Leaving out zeros could change a sum only in the sign of a zero result. A sum is -0
// only when every addend is -0, and a positive multiplier times D, M, Mp or F is never
// -0 (each is a sum of two non-zero numbers, which is never -0, times a positive
// factor). With such a product in every term neither sum is -0: a zero is +0 in both.
template <std::size_t N>
constexpr bool EveryTermHasAPositiveMultiplier(const std::array<LunarTerm, N>& table)
{
    return std::all_of(table.begin(), table.end(), [](const LunarTerm& term) {
        return term.d > 0 || term.m > 0 || term.mp > 0 || term.f > 0;
    });
}
static_assert(EveryTermHasAPositiveMultiplier(kLongitudeTerms));
static_assert(EveryTermHasAPositiveMultiplier(kLatitudeTerms));
static_assert(EveryTermHasAPositiveMultiplier(kParallaxTerms));

// The argument of row i of a table, radians, without its zero products.
template <const auto& table, std::size_t i> double ArgumentOf(const SeriesArguments& x)
{
    static constexpr Multipliers k = MultipliersOf(table[i]);
    static constexpr NonZeroMultipliers nonZero = NonZeroOf(table[i]);
    static_assert(nonZero.count > 0);
    return [&x]<std::size_t... j>(std::index_sequence<j...>)
    {
        double sum = k[nonZero.at[0]] * x[nonZero.at[0]];
        ((sum += k[nonZero.at[j + 1]] * x[nonZero.at[j + 1]]), ...);
        return sum;
    }
    (std::make_index_sequence<nonZero.count - 1>{});
}

// The row of the longitude table whose argument is that of parallax row j, or -1.
constexpr int LongitudeTwinOf(std::size_t j)
{
    for (std::size_t i = 0; i < kLongitudeTerms.size(); ++i) {
        if (MultipliersOf(kLongitudeTerms[i]) == MultipliersOf(kParallaxTerms[j])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Whether the parallax table needs the cosine of longitude row i's argument.
constexpr bool HasParallaxTwin(std::size_t i)
{
    for (std::size_t j = 0; j < kParallaxTerms.size(); ++j) {
        if (LongitudeTwinOf(j) == static_cast<int>(i)) {
            return true;
        }
    }
    return false;
}

// Coefficient times sine or cosine, times E where the row carries it.
template <const auto& table, std::size_t i> double TermValue(double trig, double E)
{
    static constexpr LunarTerm term = table[i];
    if constexpr (term.timesE) {
        return term.coefficient * trig * E;
    } else {
        return term.coefficient * trig;
    }
}

// start plus the rows of a table in their order; trig(i) is the sine or cosine of row i.
template <const auto& table, class Trig> double SeriesSum(double start, double E, const Trig& trig)
{
    return [&]<std::size_t... i>(std::index_sequence<i...>)
    {
        double sum = start;
        ((sum += TermValue<table, i>(trig(std::integral_constant<std::size_t, i>{}), E)), ...);
        return sum;
    }
    (std::make_index_sequence<table.size()>{});
}

// The sines of the longitude rows' arguments and, with the parallax, their cosines.
struct LongitudeTrig
{
    std::array<double, kLongitudeTerms.size()> sine{};
    std::array<double, kLongitudeTerms.size()> cosine{}; // rows that the parallax shares
};

template <bool withParallax> LongitudeTrig LongitudeTrigOf(const SeriesArguments& x)
{
    LongitudeTrig trig;
    [&]<std::size_t... i>(std::index_sequence<i...>)
    {
        const auto one = [&]<std::size_t row>(std::integral_constant<std::size_t, row>) {
            const double a = ArgumentOf<kLongitudeTerms, row>(x);
            if constexpr (withParallax && HasParallaxTwin(row)) {
                ::sincos(a, &trig.sine[row], &trig.cosine[row]);
            } else {
                trig.sine[row] = std::sin(a);
            }
        };
        (one(std::integral_constant<std::size_t, i>{}), ...);
    }
    (std::make_index_sequence<kLongitudeTerms.size()>{});
    return trig;
}

SeriesArguments SeriesArgumentsOf(const LunarArguments& args)
{
    return {args.D, args.M, args.Mp, args.F};
}

double LongitudeOf(const LunarArguments& args, const LongitudeTrig& trig)
{
    const double sumL =
        SeriesSum<kLongitudeTerms>(0.0, args.E, [&](auto i) { return trig.sine[i]; });
    return FoldIntoRange(args.Lp + sumL, 360.0);
}

} // namespace

// --- The Moon ------------------------------------------------------------------------

double MoonLongitude(double T)
{
    const LunarArguments args = LunarArgumentsOf(T);
    return LongitudeOf(args, LongitudeTrigOf<false>(SeriesArgumentsOf(args)));
}

LunarPositionResult MoonPosition(double T)
{
    const LunarArguments args = LunarArgumentsOf(T);
    const SeriesArguments x = SeriesArgumentsOf(args);
    const LongitudeTrig trig = LongitudeTrigOf<true>(x);
    const double beta = SeriesSum<kLatitudeTerms>(0.0, args.E, [&](auto i) {
        return std::sin(ArgumentOf<kLatitudeTerms, decltype(i)::value>(x));
    });
    const double parallax = SeriesSum<kParallaxTerms>(kParallaxConstant, args.E, [&](auto i) {
        constexpr int twin = LongitudeTwinOf(decltype(i)::value);
        if constexpr (twin >= 0) {
            return trig.cosine[twin];
        } else {
            return std::cos(ArgumentOf<kParallaxTerms, decltype(i)::value>(x));
        }
    });
    return {LongitudeOf(args, trig), beta, parallax};
}

// --- The observer ---------------------------------------------------------------------

ObserverPlace PlaceOf(const BirthData& birth)
{
    ObserverPlace place{};
    place.longitude = SignedLongitude(birth);
    place.latitude = SignedLatitude(birth);
    const EllipsoidPoint point = ObserverOnEllipsoid(place.latitude);
    place.rhoSin = point.rhoSin;
    place.rhoCos = point.rhoCos;
    return place;
}

// EclipticToEquatorial, the hour angle, TopocentricEquatorial and the longitude of
// EquatorialToEcliptic in one, each sine and cosine taken once (the obliquity's for both
// conversions). The topocentric latitude is not needed, so it is not computed.
double MoonTopocentricLongitude(const LunarPositionResult& moon, double eps, double gst,
                                const ObserverPlace& place)
{
    double sinL = 0;
    double cosL = 0;
    double sinB = 0;
    double cosB = 0;
    double sinE = 0;
    double cosE = 0;
    const double b = moon.beta * kDegToRad;
    ::sincos(moon.lambda * kDegToRad, &sinL, &cosL);
    ::sincos(b, &sinB, &cosB);
    ::sincos(eps * kDegToRad, &sinE, &cosE);
    const double delta = ArcSine(sinB * cosE + cosB * sinE * sinL) * kRadToDeg;
    double a = QuadrantArcTangent(sinL * cosE - std::tan(b) * sinE, cosL) * kRadToDeg;
    if (a < 0) {
        a += 360;
    }
    const double alpha = a / 15;

    const double H = 15 * (LocalSiderealTime(gst, place.longitude) - alpha); // not folded
    const double dist = 1 / std::sin(moon.parallax * kDegToRad);             // Earth radii
    double sinH = 0;
    double cosH = 0;
    double sinD = 0;
    double cosD = 0;
    ::sincos(H * kDegToRad, &sinH, &cosH);
    ::sincos(delta * kDegToRad, &sinD, &cosD);
    const double shift =
        QuadrantArcTangent(place.rhoCos * sinH, dist * cosD - place.rhoCos * cosH) * kRadToDeg;
    const double Hp = H + shift;
    const double alphaTopo = alpha - shift / 15;
    const double deltaTopo = std::atan(std::cos(Hp * kDegToRad) * (dist * sinD - place.rhoSin) /
                                       (dist * cosD * cosH - place.rhoCos)) *
                             kRadToDeg;

    double sinA = 0;
    double cosA = 0;
    ::sincos(15 * alphaTopo * kDegToRad, &sinA, &cosA);
    double lambda =
        QuadrantArcTangent(sinA * cosE + std::tan(deltaTopo * kDegToRad) * sinE, cosA) * kRadToDeg;
    if (lambda < 0) {
        lambda += 360;
    }
    return lambda;
}

// --- The four readings -------------------------------------------------------------------

MoonLongitudes MoonLongitudesAt(const ObserverPlace& place, const TimeArguments& time)
{
    const double gst = GreenwichSiderealTime(time.T0, time.ut);
    const double ayan = Ayanamsa(time.T);
    const double eps = MeanObliquity(time.T);
    const LunarPositionResult moon = MoonPosition(time.T);
    const double lambdaTopo = MoonTopocentricLongitude(moon, eps, gst, place);
    return {{InZodiac(moon.lambda, ayan), InZodiac(lambdaTopo, ayan)},
            {InZodiac(moon.lambda, 0.0), InZodiac(lambdaTopo, 0.0)}};
}

double MoonLongitudeAt(const ObserverPlace& place, const TimeArguments& time, ReadingKind kind)
{
    const double ayan = kind.tropical ? 0.0 : Ayanamsa(time.T);
    if (!kind.topocentric) {
        return InZodiac(MoonLongitude(time.T), ayan);
    }
    const double lambdaTopo =
        MoonTopocentricLongitude(MoonPosition(time.T), MeanObliquity(time.T),
                                 GreenwichSiderealTime(time.T0, time.ut), place);
    return InZodiac(lambdaTopo, ayan);
}

MoonReadings ComputeMoonReadingsAt(const BirthData& birth, double ut)
{
    const TimeArguments time =
        TimeArgumentsOf(JulianDayNumber(birth.BirthMonth, birth.BirthDay, birth.BirthYear), ut);
    const MoonLongitudes l = MoonLongitudesAt(PlaceOf(birth), time);
    return {{FormatZodiacLongitude(l.sidereal.geocentric),
             FormatZodiacLongitude(l.sidereal.topocentric)},
            {FormatZodiacLongitude(l.tropical.geocentric),
             FormatZodiacLongitude(l.tropical.topocentric)},
            l.sidereal,
            l.tropical};
}

MoonReadings ComputeMoonReadings(const BirthMoment& moment)
{
    return ComputeMoonReadingsAt(moment.birth, UniversalTime(moment));
}

} // namespace modEphemeris
