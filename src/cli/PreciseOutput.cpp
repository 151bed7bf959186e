#include "cli/PreciseOutput.h"

#include <array>
#include <cstddef>

namespace cli {
namespace {

using modEphemeris::PreciseBeside;
using modEphemeris::PreciseReading;

/// How the four readings are named, in the display's order.
constexpr std::array<std::string_view, 4> kReadingNames{
    "sidereal geocentric", "sidereal topocentric", "tropical geocentric", "tropical topocentric"};

bool Available(const std::optional<PreciseBeside>& precise)
{
    return precise && precise->readings;
}

Json PreciseRowJson(const PreciseReading& p)
{
    Json json{{"longitude", p.longitude},     {"text", p.text},
              {"sign", p.signCode},           {"sign_edge_arcsec", p.signEdge.arcseconds},
              {"on_edge", p.signEdge.onEdge}, {"verdict", p.signVerdict}};
    if (p.nakshatra) {
        json["nakshatra"] = p.nakshatra->name;
        json["pada"] = p.nakshatra->pada;
        json["nakshatra_edge_arcsec"] = p.nakshatra->edge.arcseconds;
        json["nakshatra_on_edge"] = p.nakshatra->edge.onEdge;
        json["nakshatra_verdict"] = p.nakshatraVerdict;
    }
    return json;
}

} // namespace

std::string PreciseUnavailableLine(const std::optional<PreciseBeside>& precise)
{
    return precise ? precise->unavailable : std::string(kPreciseNotBuilt);
}

std::string PreciseReadingLines(const PreciseBeside& precise)
{
    std::string text;
    if (!precise.readings)
        return text;
    for (std::size_t i = 0; i < kReadingNames.size(); ++i)
        text.append("precise ")
            .append(kReadingNames[i])
            .append(" ")
            .append((*precise.readings)[i].text)
            .append("\n");
    return text;
}

void AddPreciseToReadings(Json& readings, const std::optional<PreciseBeside>& precise)
{
    if (!Available(precise)) {
        readings["precise"] = nullptr;
        readings["precise_unavailable"] = PreciseUnavailableLine(precise);
        return;
    }
    const auto& p = *precise->readings;
    readings["precise"] = {{"sidereal", {{"geocentric", p[0].text}, {"topocentric", p[1].text}}},
                           {"tropical", {{"geocentric", p[2].text}, {"topocentric", p[3].text}}}};
}

void AddPreciseToDetails(Json& details, const std::optional<PreciseBeside>& precise)
{
    Json& rows = details["readings"];
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i]["precise"] =
            Available(precise) ? PreciseRowJson((*precise->readings)[i]) : Json(nullptr);
    if (!Available(precise))
        details["precise_unavailable"] = PreciseUnavailableLine(precise);
}

} // namespace cli
