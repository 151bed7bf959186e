// selenoscope-cli dasha: the Vimshottari periods of one birth, in universal time.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "cli/PlaceAccess.h"
#include "cli/TimeTexts.h"
#include "ephemeris/MoonChoice.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

namespace cli {
namespace {

using modEphemeris::DashaPeriod;
using modEphemeris::VimshottariDasha;

// The name of each level's periods below the mahadashas.
constexpr std::array<const char*, 2> kSubperiodKeys{"antardashas", "pratyantardashas"};

constexpr const char* kShortMark = "*";

// The universal date and time of the birth, to the second.
modEphemeris::CivilTime BirthUniversalTime(const modEphemeris::BirthMoment& moment)
{
    const modEphemeris::BirthData& b = moment.birth;
    const modEphemeris::CivilTime midnight{b.BirthYear, b.BirthMonth, b.BirthDay, 0, 0, 0};
    return addSeconds(midnight, std::llround(modEphemeris::UniversalTime(moment) * 3600));
}

std::string LordOf(const VimshottariDasha& d)
{
    return std::string(modEphemeris::kDashaLords[static_cast<std::size_t>(d.firstLord)].name);
}

Json PeriodJson(const DashaPeriod& p, std::size_t depth)
{
    Json json;
    json["lord"] = std::string(p.LordName());
    json["start_ut"] = modEphemeris::UniversalMinuteText(p.start);
    json["end_ut"] = modEphemeris::UniversalMinuteText(p.end);
    json["shorter_than_band"] = p.shorterThanBand;
    if (!p.subperiods.empty()) {
        Json below = Json::array();
        for (const DashaPeriod& sub : p.subperiods)
            below.push_back(PeriodJson(sub, depth + 1));
        json[kSubperiodKeys.at(depth)] = std::move(below);
    }
    return json;
}

Json DashaJson(const VimshottariDasha& d, const modEphemeris::DashaStart& start,
               const modEphemeris::CivilTime& birthUt)
{
    Json moon;
    moon["source"] = std::string(MoonSourceName(d.request.source));
    moon["longitude"] = d.request.longitude;
    moon["band_arcsec"] = d.bandArcseconds;
    if (!start.preciseUnavailable.empty())
        moon["precise_unavailable"] = start.preciseUnavailable;
    Json json;
    json["birth_ut"] = SecondText(birthUt);
    json["moon"] = std::move(moon);
    json["year_days"] = d.request.yearDays;
    json["nakshatra"] = std::string(d.nakshatraName);
    json["lord"] = LordOf(d);
    json["balance"] = {
        {"years", d.balance.years}, {"months", d.balance.months}, {"days", d.balance.days}};
    json["band_days"] = d.bandDays;
    json["first_lord_uncertain"] = d.firstLordUncertain;
    Json mahadashas = Json::array();
    for (const DashaPeriod& p : d.mahadashas)
        mahadashas.push_back(PeriodJson(p, 0));
    json["mahadashas"] = std::move(mahadashas);
    return json;
}

// One row of the table, indented by its level; "*" after a period shorter than twice the band.
void AppendRows(std::string& text, const DashaPeriod& p, std::size_t depth, bool& anyShort)
{
    std::string lord = std::string(2 * depth, ' ') + std::string(p.LordName());
    lord.resize(std::max<std::size_t>(lord.size() + 1, 14), ' ');
    text += lord + modEphemeris::UniversalMinuteText(p.start) + "  " +
            modEphemeris::UniversalMinuteText(p.end);
    if (p.shorterThanBand) {
        text += std::string("  ") + kShortMark;
        anyShort = true;
    }
    text += "\n";
    for (const DashaPeriod& sub : p.subperiods)
        AppendRows(text, sub, depth + 1, anyShort);
}

std::string DashaText(const VimshottariDasha& d, const modEphemeris::DashaStart& start,
                      const modEphemeris::CivilTime& birthUt)
{
    std::string text = "Moon       " + DashaMoonInWords(d, start.preciseUnavailable) + "\n" +
                       "Nakshatra  " + std::string(d.nakshatraName) + ", lord " + LordOf(d) + "\n" +
                       "Balance    " + DashaBalanceInWords(d) + "\n" + "Year       " +
                       modEphemeris::DashaYearConvention(d.request.yearDays) + "\n" +
                       "Band       " + DashaBandInWords(d) + "\n" + "Birth      " +
                       SecondText(birthUt) + " universal time\n\n" +
                       "Period        Begins (UT)       Ends (UT)\n";
    bool anyShort = false;
    for (const DashaPeriod& p : d.mahadashas)
        AppendRows(text, p, 0, anyShort);
    if (anyShort)
        text += std::string(kShortMark) +
                " shorter than twice the band: near its dates, another period may be the one "
                "running\n";
    return text;
}

} // namespace

int RunDasha(const DashaOptions& options)
{
    const std::optional<ResolvedBirth> resolved = ResolveOrComplain(options.birth);
    if (!resolved)
        return kRefused;
    modEphemeris::DashaStart start = modEphemeris::DashaStartFor(resolved->moment);
    start.request.yearDays = options.yearDays;
    start.request.birthTimeMinutes = options.timeUncertainty;
    start.request.levels = options.levels;
    if (const auto error = modEphemeris::DashaRequestError(start.request)) {
        Complain(*error); // the options were checked; the birth's own numbers may still fail
        return kRefused;
    }
    const VimshottariDasha dasha = modEphemeris::ComputeVimshottari(start.request);
    const modEphemeris::CivilTime birthUt = BirthUniversalTime(resolved->moment);
    if (options.birth.json) {
        Json json = DashaJson(dasha, start, birthUt);
        AddPlace(json, *resolved);
        WriteOut(JsonText(json));
        return kSucceeded;
    }
    NotePlace(*resolved);
    WriteOut(DashaText(dasha, start, birthUt));
    return kSucceeded;
}

} // namespace cli
