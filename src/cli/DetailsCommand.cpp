// selenoscope-cli details: how firm each of the four readings is, and the instant.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceAccess.h"
#include "cli/PreciseAccess.h"
#include "report/ReadingJson.h"
#include "report/TimeTexts.h"

#include <array>
#include <cstdio>

namespace cli {
namespace {

using modEphemeris::CivilTime;
using modEphemeris::MoonDetailRow;
using modEphemeris::PreciseBeside;
using modEphemeris::PreciseReading;
using report::MinuteText;
using report::SecondText;

std::string Number(const char* format, double value)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

/// "in Lib from 1999-12-30 04:03 until 2000-01-02 01:14".
std::string Stay(std::string_view part, const std::optional<CivilTime>& since,
                 const std::optional<CivilTime>& until)
{
    return "  in " + std::string(part) + " from " +
           (since ? MinuteText(*since) : "more than four days before") + " until " +
           (until ? MinuteText(*until) : "more than four days after") + "\n";
}

/// "Lib, 12345.6\" from its edge with Sco", then what settles that edge: the precise Moon's
/// verdict where there is one, else the warning when within the budget.
std::string Edge(std::string_view what, std::string_view part,
                 const modEphemeris::EdgeNearness& edge, const std::string* verdict)
{
    std::string text = "  " + std::string(what) + " " + std::string(part) + ", " +
                       Number("%.1f", edge.arcseconds) + "\" from its edge with " +
                       std::string(edge.across) + "\n";
    if (verdict != nullptr)
        text += "  " + *verdict + "\n";
    else if (edge.onEdge)
        text += "  On the edge: a precise ephemeris may place the Moon in " +
                std::string(edge.across) + "\n";
    return text;
}

/// "precise 16° 42' 43\" Lib, longitude 196.711944°, nakshatra Swati, pada 4".
std::string PreciseText(const PreciseReading& p)
{
    std::string text =
        "  precise " + p.text + ", longitude " + Number("%.6f", p.longitude) + "\xC2\xB0";
    if (p.nakshatra)
        text += ", nakshatra " + std::string(p.nakshatra->name) + ", pada " +
                std::to_string(p.nakshatra->pada);
    return text + "\n";
}

std::string RowText(const MoonDetailRow& row, const PreciseReading* precise)
{
    std::string text = std::string(row.tropical ? "tropical" : "sidereal") +
                       (row.topocentric ? " topocentric " : " geocentric ") + row.text + "\n" +
                       "  longitude " + Number("%.6f", row.longitude) + "\xC2\xB0\n";
    if (precise != nullptr)
        text += PreciseText(*precise);
    text += Edge("sign", row.signCode, row.signEdge,
                 precise != nullptr ? &precise->signVerdict : nullptr) +
            Stay(row.signCode, row.sign_since, row.sign_until);
    if (row.nakshatra) {
        const modEphemeris::NakshatraPlace& n = *row.nakshatra;
        text += Edge("nakshatra", std::string(n.name) + ", pada " + std::to_string(n.pada), n.edge,
                     precise != nullptr ? &precise->nakshatraVerdict : nullptr) +
                Stay(n.name, n.nakshatra_since, n.nakshatra_until);
    }
    return text;
}

std::string DetailsText(const modEphemeris::MoonDetails& details,
                        const std::optional<PreciseBeside>& precise)
{
    const modEphemeris::BirthInstant& instant = details.instant;
    std::string text = "Local time      " + MinuteText(instant.local) + "\n" + "Rule            " +
                       instant.rule + "\n" + "Universal time  " + SecondText(instant.universal) +
                       "\n" + "Julian day      " + Number("%.6f", instant.julianDay) + "\n";
    // A build without the precise Moon says nothing of it; one that failed to compute it, why.
    if (precise && !precise->readings)
        text += precise->unavailable + "\n";
    for (std::size_t i = 0; i < details.rows.size(); ++i) {
        const PreciseReading* beside =
            precise && precise->readings ? &(*precise->readings)[i] : nullptr;
        text.append("\n").append(RowText(details.rows[i], beside));
    }
    return text;
}

} // namespace

int RunDetails(const BirthOptions& options)
{
    const std::optional<report::ResolvedBirth> resolved = ResolveOrComplain(options);
    if (!resolved)
        return kRefused;
    const modEphemeris::MoonDetails details = modEphemeris::ComputeMoonDetails(resolved->moment);
    // Part of the details, not asked for: where it is unavailable they say so, and succeed.
    const std::optional<PreciseBeside> precise = PreciseForDetails(resolved->moment, details);
    if (options.json) {
        report::JsonWriter json = ToolJson();
        json.beginObject();
        report::WriteDetails(json, details, precise);
        WritePlaceMember(json, *resolved);
        json.endObject();
        WriteJson(json);
        return kSucceeded;
    }
    NotePlace(*resolved);
    WriteOut(DetailsText(details, precise));
    return kSucceeded;
}

} // namespace cli
