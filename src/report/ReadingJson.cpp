#include "report/ReadingJson.h"

#include "report/TimeTexts.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace report {
namespace {

using modEphemeris::CivilTime;
using modEphemeris::DashaPeriod;
using modEphemeris::EdgeNearness;
using modEphemeris::MoonDetailRow;
using modEphemeris::PreciseBeside;
using modEphemeris::PreciseReading;

// The name of each level's periods below the mahadashas.
constexpr std::array<std::string_view, 2> kSubperiodKeys{"antardashas", "pratyantardashas"};

bool Available(const std::optional<PreciseBeside>& precise)
{
    return precise && precise->readings;
}

void MinuteOrNull(JsonWriter& json, std::string_view name, const std::optional<CivilTime>& minute)
{
    json.key(name);
    if (minute)
        json.value(MinuteText(*minute));
    else
        json.null();
}

void Views(JsonWriter& json, std::string_view zodiac, const std::string& geocentric,
           const std::string& topocentric)
{
    json.key(zodiac).beginObject();
    json.member("geocentric", geocentric).member("topocentric", topocentric);
    json.endObject();
}

void Edge(JsonWriter& json, std::string_view distance, std::string_view onEdge,
          const EdgeNearness& edge)
{
    json.member(distance, edge.arcseconds).member(onEdge, edge.onEdge);
}

void PreciseRow(JsonWriter& json, const PreciseReading& p)
{
    json.beginObject();
    json.member("longitude", p.longitude).member("text", p.text).member("sign", p.signCode);
    Edge(json, "sign_edge_arcsec", "on_edge", p.signEdge);
    json.member("verdict", p.signVerdict);
    if (p.nakshatra) {
        json.member("nakshatra", p.nakshatra->name).member("pada", p.nakshatra->pada);
        Edge(json, "nakshatra_edge_arcsec", "nakshatra_on_edge", p.nakshatra->edge);
        json.member("nakshatra_verdict", p.nakshatraVerdict);
    }
    json.endObject();
}

void DetailRow(JsonWriter& json, const MoonDetailRow& row, const PreciseReading* precise)
{
    json.beginObject();
    json.member("zodiac", row.tropical ? "tropical" : "sidereal")
        .member("view", row.topocentric ? "topocentric" : "geocentric")
        .member("text", row.text)
        .member("longitude", row.longitude)
        .member("sign", row.signCode);
    Edge(json, "sign_edge_arcsec", "on_edge", row.signEdge);
    MinuteOrNull(json, "sign_since", row.sign_since);
    MinuteOrNull(json, "sign_until", row.sign_until);
    if (row.nakshatra) {
        const modEphemeris::NakshatraPlace& n = *row.nakshatra;
        json.member("nakshatra", n.name).member("pada", n.pada);
        Edge(json, "nakshatra_edge_arcsec", "nakshatra_on_edge", n.edge);
        MinuteOrNull(json, "nakshatra_since", n.nakshatra_since);
        MinuteOrNull(json, "nakshatra_until", n.nakshatra_until);
    }
    json.key("precise");
    if (precise != nullptr)
        PreciseRow(json, *precise);
    else
        json.null();
    json.endObject();
}

void Period(JsonWriter& json, const DashaPeriod& p, std::size_t depth)
{
    json.beginObject();
    json.member("lord", p.LordName())
        .member("start_ut", modEphemeris::UniversalMinuteText(p.start))
        .member("end_ut", modEphemeris::UniversalMinuteText(p.end))
        .member("shorter_than_band", p.shorterThanBand);
    if (!p.subperiods.empty()) {
        json.key(kSubperiodKeys.at(depth)).beginArray();
        for (const DashaPeriod& sub : p.subperiods)
            Period(json, sub, depth + 1);
        json.endArray();
    }
    json.endObject();
}

// The universal date and time of the birth, to the second.
CivilTime BirthUniversalTime(const modEphemeris::BirthMoment& moment)
{
    const modEphemeris::BirthData& b = moment.birth;
    const CivilTime midnight{b.BirthYear, b.BirthMonth, b.BirthDay, 0, 0, 0};
    return addSeconds(midnight, std::llround(modEphemeris::UniversalTime(moment) * 3600));
}

} // namespace

std::string PreciseUnavailableLine(const std::optional<PreciseBeside>& precise)
{
    return precise ? precise->unavailable : std::string(kPreciseNotBuilt);
}

void WriteReadings(JsonWriter& json, const modEphemeris::MoonReadings& readings)
{
    Views(json, "sidereal", readings.sidereal.GeocentricText, readings.sidereal.TopocentricText);
    Views(json, "tropical", readings.tropical.GeocentricText, readings.tropical.TopocentricText);
}

void WritePreciseReadings(JsonWriter& json, const std::optional<PreciseBeside>& precise)
{
    json.key("precise");
    if (!Available(precise)) {
        json.null().member("precise_unavailable", PreciseUnavailableLine(precise));
        return;
    }
    const auto& p = *precise->readings;
    json.beginObject();
    Views(json, "sidereal", p[0].text, p[1].text);
    Views(json, "tropical", p[2].text, p[3].text);
    json.endObject();
}

void WriteDetails(JsonWriter& json, const modEphemeris::MoonDetails& details,
                  const std::optional<PreciseBeside>& precise)
{
    const modEphemeris::BirthInstant& instant = details.instant;
    json.key("instant").beginObject();
    json.member("local", MinuteText(instant.local))
        .member("rule", instant.rule)
        .member("universal", SecondText(instant.universal))
        .member("ut_hours", instant.ut)
        .member("julian_day", instant.julianDay);
    json.endObject();
    json.key("readings").beginArray();
    for (std::size_t i = 0; i < details.rows.size(); ++i)
        DetailRow(json, details.rows[i], Available(precise) ? &(*precise->readings)[i] : nullptr);
    json.endArray();
    if (!Available(precise))
        json.member("precise_unavailable", PreciseUnavailableLine(precise));
}

std::variant<DashaReport, std::string> DashaFor(const modEphemeris::BirthMoment& moment,
                                                const DashaCounting& counting)
{
    return DashaFor(moment, counting, modEphemeris::PreciseMoonIfBuilt(moment));
}

std::variant<DashaReport, std::string> DashaFor(const modEphemeris::BirthMoment& moment,
                                                const DashaCounting& counting,
                                                const modEphemeris::PreciseMoon& precise)
{
    modEphemeris::DashaStart start = modEphemeris::DashaStartFor(moment, precise);
    start.request.yearDays = counting.yearDays;
    start.request.birthTimeMinutes = counting.birthTimeMinutes;
    start.request.levels = counting.levels;
    if (auto error = modEphemeris::DashaRequestError(start.request))
        return std::move(*error);
    modEphemeris::VimshottariDasha dasha = modEphemeris::ComputeVimshottari(start.request);
    return DashaReport{std::move(start), std::move(dasha), BirthUniversalTime(moment)};
}

void WriteDasha(JsonWriter& json, const DashaReport& periods)
{
    const modEphemeris::VimshottariDasha& d = periods.dasha;
    json.member("birth_ut", SecondText(periods.birthUt));
    json.key("moon").beginObject();
    json.member("source", modEphemeris::MoonSourceName(d.request.source))
        .member("longitude", d.request.longitude)
        .member("band_arcsec", d.bandArcseconds);
    if (!periods.start.preciseUnavailable.empty())
        json.member("precise_unavailable", periods.start.preciseUnavailable);
    json.endObject();
    json.member("year_days", d.request.yearDays)
        .member("nakshatra", d.nakshatraName)
        .member("lord", modEphemeris::kDashaLords[static_cast<std::size_t>(d.firstLord)].name);
    json.key("balance").beginObject();
    json.member("years", d.balance.years)
        .member("months", d.balance.months)
        .member("days", d.balance.days);
    json.endObject();
    json.member("band_days", d.bandDays).member("first_lord_uncertain", d.firstLordUncertain);
    json.key("mahadashas").beginArray();
    for (const DashaPeriod& p : d.mahadashas)
        Period(json, p, 0);
    json.endArray();
}

} // namespace report
