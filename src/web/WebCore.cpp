// The page's door into the C++ units: plain C functions that take one birth's typed
// fields and answer in JSON text, with the shapes of selenoscope-cli's --json. The page
// writes the fields into the module's memory as one block of NUL-terminated UTF-8 texts
// (the order of kBlockTexts, then the three choices as "1" or "0", then the clock's true
// offset in seconds or nothing) and reads the answer from there: nothing the page shows
// is computed in JavaScript.
#include "atlas/ZoneTable.h"
#include "birth/BirthDataChecks.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"
#include "report/JsonWriter.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace {

using birth::BirthDataFields;
using modEphemeris::CivilTime;
using report::JsonWriter;

// The fields' texts in the block, in this order.
constexpr std::array<std::string BirthDataFields::*, 12> kBlockTexts{
    &BirthDataFields::name,
    &BirthDataFields::month,
    &BirthDataFields::day,
    &BirthDataFields::year,
    &BirthDataFields::hour,
    &BirthDataFields::minute,
    &BirthDataFields::zoneHour,
    &BirthDataFields::zoneMinute,
    &BirthDataFields::longitudeDegrees,
    &BirthDataFields::longitudeMinutes,
    &BirthDataFields::latitudeDegrees,
    &BirthDataFields::latitudeMinutes,
};

// Then the choices, in this order.
constexpr std::array<bool BirthDataFields::*, 3> kBlockChoices{
    &BirthDataFields::east,
    &BirthDataFields::south,
    &BirthDataFields::daylightSaving,
};

/// One birth as the page gives it.
struct PageBirth
{
    BirthDataFields fields;
    std::optional<int> utcOffsetSeconds; // none: the zone fields' rule
};

PageBirth readBlock(const char* block)
{
    PageBirth birth;
    auto next = [&block]() {
        const std::string_view text(block);
        block += text.size() + 1;
        return text;
    };
    for (std::string BirthDataFields::*text : kBlockTexts)
        birth.fields.*text = next();
    for (bool BirthDataFields::*choice : kBlockChoices)
        birth.fields.*choice = next() == "1";
    const std::string_view offset = next();
    int seconds = 0;
    const auto [end, error] =
        std::from_chars(offset.data(), offset.data() + offset.size(), seconds);
    if (!offset.empty() && error == std::errc() && end == offset.data() + offset.size())
        birth.utcOffsetSeconds = seconds;
    return birth;
}

/// The last answer; the page copies it out before its next call.
std::string& answer()
{
    static std::string text;
    return text;
}

const char* answerWith(std::string text)
{
    answer() = std::move(text);
    return answer().c_str();
}

std::string minuteText(const CivilTime& m)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d", m.year, m.month, m.day,
                  m.hour, m.minute);
    return text.data();
}

std::string secondText(const CivilTime& s)
{
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day,
                  s.hour, s.minute, s.second);
    return text.data();
}

void minuteOrNull(JsonWriter& json, const std::optional<CivilTime>& minute)
{
    if (minute)
        json.value(minuteText(*minute));
    else
        json.null();
}

/// The birth data, or the refusal's answer.
std::variant<modEphemeris::BirthData, std::string> checkedBirth(const PageBirth& birth)
{
    auto read = birth::ReadBirthData(birth.fields);
    if (const auto* refusal = std::get_if<birth::Refusal>(&read)) {
        JsonWriter json;
        json.beginObject().key("refusal").beginObject().key("message").value(refusal->message);
        json.endObject().endObject();
        return json.text();
    }
    return std::get<modEphemeris::BirthData>(read);
}

void viewsJson(JsonWriter& json, const modEphemeris::MoonReading& reading)
{
    json.beginObject();
    json.key("geocentric").value(reading.GeocentricText);
    json.key("topocentric").value(reading.TopocentricText);
    json.endObject();
}

void rowJson(JsonWriter& json, const modEphemeris::MoonDetailRow& row)
{
    json.beginObject();
    json.key("zodiac").value(row.tropical ? "tropical" : "sidereal");
    json.key("view").value(row.topocentric ? "topocentric" : "geocentric");
    json.key("text").value(row.text);
    json.key("longitude").value(row.longitude);
    json.key("sign").value(row.signCode);
    json.key("sign_edge_arcsec").value(row.signEdge.arcseconds);
    json.key("on_edge").value(row.signEdge.onEdge);
    json.key("sign_since");
    minuteOrNull(json, row.sign_since);
    json.key("sign_until");
    minuteOrNull(json, row.sign_until);
    if (row.nakshatra) {
        const modEphemeris::NakshatraPlace& n = *row.nakshatra;
        json.key("nakshatra").value(n.name);
        json.key("pada").value(n.pada);
        json.key("nakshatra_edge_arcsec").value(n.edge.arcseconds);
        json.key("nakshatra_on_edge").value(n.edge.onEdge);
        json.key("nakshatra_since");
        minuteOrNull(json, n.nakshatra_since);
        json.key("nakshatra_until");
        minuteOrNull(json, n.nakshatra_until);
    }
    json.endObject();
}

} // namespace

extern "C" {

/// The four readings: {"sidereal":{"geocentric":...,"topocentric":...},"tropical":{...}},
/// or {"refusal":{"message":...}} with the entry window's own message.
const char* selenoscope_reading(const char* block)
{
    const PageBirth birth = readBlock(block);
    auto checked = checkedBirth(birth);
    if (auto* refusal = std::get_if<std::string>(&checked))
        return answerWith(std::move(*refusal));
    const auto& data = std::get<modEphemeris::BirthData>(checked);
    const modEphemeris::MoonReadings readings =
        modEphemeris::ComputeMoonReadings({data, birth.utcOffsetSeconds});
    JsonWriter json;
    json.beginObject();
    json.key("sidereal");
    viewsJson(json, readings.sidereal);
    json.key("tropical");
    viewsJson(json, readings.tropical);
    json.endObject();
    return answerWith(json.text());
}

/// The details: {"instant":{...},"readings":[...]}, or the refusal as for a reading.
const char* selenoscope_details(const char* block)
{
    const PageBirth birth = readBlock(block);
    auto checked = checkedBirth(birth);
    if (auto* refusal = std::get_if<std::string>(&checked))
        return answerWith(std::move(*refusal));
    const modEphemeris::MoonDetails details = modEphemeris::ComputeMoonDetails(
        {std::get<modEphemeris::BirthData>(checked), birth.utcOffsetSeconds});
    const modEphemeris::BirthInstant& instant = details.instant;
    JsonWriter json;
    json.beginObject().key("instant").beginObject();
    json.key("local").value(minuteText(instant.local));
    json.key("rule").value(instant.rule);
    json.key("universal").value(secondText(instant.universal));
    json.key("ut_hours").value(instant.ut);
    json.key("julian_day").value(instant.julianDay);
    json.endObject().key("readings").beginArray();
    for (const modEphemeris::MoonDetailRow& row : details.rows)
        rowJson(json, row);
    json.endArray().endObject();
    return answerWith(json.text());
}

/// The last answer, NUL-terminated.
const char* selenoscope_answer()
{
    return answer().c_str();
}

/// Bytes of the last answer, without its NUL.
std::size_t selenoscope_answer_size()
{
    return answer().size();
}

/// The zone table fetched with the page (zones.table): 1 when the clock reads from it now,
/// 0 when it is damaged (the reason is the answer).
int selenoscope_use_zones(const unsigned char* bytes, std::size_t size)
{
    std::string error;
    atlas::ZoneTable table = atlas::ZoneTable::read(std::span(bytes, size), error);
    if (!error.empty()) {
        answerWith(error);
        return 0;
    }
    atlas::useZoneTable(std::move(table));
    answerWith({});
    return 1;
}

} // extern "C"
