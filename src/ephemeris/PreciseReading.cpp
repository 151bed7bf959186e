// The precise Moon beside a reading, and the verdict in words.
#include "PreciseReading.h"

#include "Primitives.h"

#include <cmath>
#include <cstddef>
#include <span>

namespace modEphemeris {

namespace {

constexpr double kArcsecondsPerCircle = 360 * 3600;

// A division of the zodiac into equal parts, each part counted as the texts show it.
struct Division
{
    double arcsecondsPerPart;
    std::span<const std::string_view> names;
    int (*partOf)(double longitude);
    EdgeNearness (*edgeOf)(double longitude);
};

constexpr Division kSigns{30 * 3600, kSignCodes,
                          [](double longitude) { return ZodiacPositionOf(longitude).sign; },
                          SignEdgeOf};
constexpr Division kNakshatras{48000, kNakshatraNames,
                               [](double longitude) { return NakshatraOf(longitude).index; },
                               [](double longitude) { return NakshatraOf(longitude).edge; }};

// "0° 0' 21"": seconds of arc as degrees, minutes and whole seconds, cut as the texts cut.
std::string ArcText(double arcseconds)
{
    const auto whole = static_cast<long>(std::floor(arcseconds));
    return std::to_string(whole / 3600) + "\xC2\xB0 " + std::to_string(whole / 60 % 60) + "' " +
           std::to_string(whole % 60) + "\"";
}

// Seconds of arc between two longitudes given in seconds of arc, the short way round.
double ArcBetween(double a, double b)
{
    return std::fabs(std::remainder(a - b, kArcsecondsPerCircle));
}

std::string Verdict(double reading, double precise, const Division& division)
{
    const int part = division.partOf(precise);
    const std::string name(division.names[static_cast<std::size_t>(part)]);
    const EdgeNearness edge = division.edgeOf(precise);
    if (edge.arcseconds <= kPreciseEdgeBudgetArcseconds) {
        return "On the edge: a precise ephemeris places the Moon in " + name + ", " +
               ArcText(edge.arcseconds) + " from its edge with " + std::string(edge.across);
    }
    const int readingPart = division.partOf(reading);
    if (part == readingPart) {
        return "A precise ephemeris agrees: " + name;
    }
    // How far beyond the reading's part the precise Moon lies, from the nearer of its edges.
    const double start = readingPart * division.arcsecondsPerPart;
    const double x = precise * 3600;
    const double past =
        std::fmin(ArcBetween(x, start), ArcBetween(x, start + division.arcsecondsPerPart));
    return "A precise ephemeris places the Moon in " + name + ", " + ArcText(past) +
           " past the edge";
}

// The edge as the precise Moon's own budget judges it.
EdgeNearness WithPreciseBudget(EdgeNearness edge)
{
    edge.onEdge = edge.arcseconds <= kPreciseEdgeBudgetArcseconds;
    return edge;
}

} // namespace

std::string SignVerdict(double reading, double precise)
{
    return Verdict(reading, precise, kSigns);
}

std::string NakshatraVerdict(double reading, double precise)
{
    return Verdict(reading, precise, kNakshatras);
}

PreciseReading PreciseReadingOf(const MoonDetailRow& row, const PreciseLongitudes& precise)
{
    const ZodiacLongitudes& zodiac = row.tropical ? precise.tropical : precise.sidereal;
    PreciseReading r{};
    r.longitude = row.topocentric ? zodiac.topocentric : zodiac.geocentric;
    r.text = FormatZodiacLongitude(r.longitude);
    r.sign = kSigns.partOf(r.longitude);
    r.signCode = kSignCodes[static_cast<std::size_t>(r.sign)];
    r.signEdge = WithPreciseBudget(SignEdgeOf(r.longitude));
    r.signVerdict = SignVerdict(row.longitude, r.longitude);
    r.signDiffers = r.sign != kSigns.partOf(row.longitude);
    if (!row.tropical) {
        NakshatraPlace n = NakshatraOf(r.longitude);
        n.edge = WithPreciseBudget(n.edge);
        r.nakshatra = n;
        r.nakshatraVerdict = NakshatraVerdict(row.longitude, r.longitude);
        r.nakshatraDiffers = n.index != kNakshatras.partOf(row.longitude);
    }
    return r;
}

} // namespace modEphemeris
