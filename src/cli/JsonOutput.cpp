#include "cli/JsonOutput.h"

#include "cli/TimeTexts.h"

namespace cli {
namespace {

using modEphemeris::CivilTime;
using modEphemeris::MoonDetailRow;

Json MinuteOrNull(const std::optional<CivilTime>& minute)
{
    return minute ? Json(MinuteText(*minute)) : Json(nullptr);
}

Json ViewsJson(const modEphemeris::MoonReading& reading)
{
    return {{"geocentric", reading.GeocentricText}, {"topocentric", reading.TopocentricText}};
}

Json RowJson(const MoonDetailRow& row)
{
    Json json{{"zodiac", row.tropical ? "tropical" : "sidereal"},
              {"view", row.topocentric ? "topocentric" : "geocentric"},
              {"text", row.text},
              {"longitude", row.longitude},
              {"sign", row.signCode},
              {"sign_edge_arcsec", row.signEdge.arcseconds},
              {"on_edge", row.signEdge.onEdge},
              {"sign_since", MinuteOrNull(row.sign_since)},
              {"sign_until", MinuteOrNull(row.sign_until)}};
    if (row.nakshatra) {
        const modEphemeris::NakshatraPlace& n = *row.nakshatra;
        json["nakshatra"] = n.name;
        json["pada"] = n.pada;
        json["nakshatra_edge_arcsec"] = n.edge.arcseconds;
        json["nakshatra_on_edge"] = n.edge.onEdge;
        json["nakshatra_since"] = MinuteOrNull(n.nakshatra_since);
        json["nakshatra_until"] = MinuteOrNull(n.nakshatra_until);
    }
    return json;
}

} // namespace

Json ReadingsJson(const modEphemeris::MoonReadings& readings)
{
    return {{"sidereal", ViewsJson(readings.sidereal)}, {"tropical", ViewsJson(readings.tropical)}};
}

Json DetailsJson(const modEphemeris::MoonDetails& details)
{
    const modEphemeris::BirthInstant& instant = details.instant;
    Json rows = Json::array();
    for (const MoonDetailRow& row : details.rows)
        rows.push_back(RowJson(row));
    return {{"instant",
             {{"local", MinuteText(instant.local)},
              {"rule", instant.rule},
              {"universal", SecondText(instant.universal)},
              {"ut_hours", instant.ut},
              {"julian_day", instant.julianDay}}},
            {"readings", std::move(rows)}};
}

std::string JsonText(const Json& value)
{
    return value.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace cli
