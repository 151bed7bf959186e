// selenoscope-cli dasha: the Vimshottari periods of one birth, in universal time.
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceAccess.h"
#include "report/ReadingJson.h"
#include "report/TimeTexts.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace cli {
namespace {

using modEphemeris::DashaPeriod;
using modEphemeris::VimshottariDasha;
using report::SecondText;

constexpr const char* kShortMark = "*";

std::string LordOf(const VimshottariDasha& d)
{
    return std::string(modEphemeris::kDashaLords[static_cast<std::size_t>(d.firstLord)].name);
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

std::string DashaText(const report::DashaReport& periods)
{
    const VimshottariDasha& d = periods.dasha;
    std::string text = "Moon       " + DashaMoonInWords(d, periods.start.preciseUnavailable) +
                       "\n" + "Nakshatra  " + std::string(d.nakshatraName) + ", lord " + LordOf(d) +
                       "\n" + "Balance    " + DashaBalanceInWords(d) + "\n" + "Year       " +
                       modEphemeris::DashaYearConvention(d.request.yearDays) + "\n" +
                       "Band       " + DashaBandInWords(d) + "\n" + "Birth      " +
                       SecondText(periods.birthUt) + " universal time\n\n" +
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
    const std::optional<report::ResolvedBirth> resolved = ResolveOrComplain(options.birth);
    if (!resolved)
        return kRefused;
    const auto counted = report::DashaFor(
        resolved->moment, {options.yearDays, options.timeUncertainty, options.levels});
    if (const auto* error = std::get_if<std::string>(&counted)) {
        Complain(*error); // the options were checked; the birth's own numbers may still fail
        return kRefused;
    }
    const auto& periods = std::get<report::DashaReport>(counted);
    if (options.birth.json) {
        report::JsonWriter json = ToolJson();
        json.beginObject();
        report::WriteDasha(json, periods);
        WritePlaceMember(json, *resolved);
        json.endObject();
        WriteJson(json);
        return kSucceeded;
    }
    NotePlace(*resolved);
    WriteOut(DashaText(periods));
    return kSucceeded;
}

} // namespace cli
