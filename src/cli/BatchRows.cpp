#include "cli/BatchRows.h"

#include "birth/BirthDataChecks.h"
#include "report/ReadingJson.h"

namespace cli {
namespace {

/// A column the batch reads, by its header name.
struct ReadColumn
{
    std::string_view name;
    std::optional<std::size_t> BatchColumns::*slot;
};

constexpr std::array<ReadColumn, 8> kReadColumns{{
    {"date", &BatchColumns::date},
    {"time", &BatchColumns::time},
    {"longitude", &BatchColumns::longitude},
    {"latitude", &BatchColumns::latitude},
    {"zone", &BatchColumns::zone},
    {"dst", &BatchColumns::dst},
    {"utc_offset", &BatchColumns::utcOffset},
    {"place", &BatchColumns::place},
}};

/// The texts the dst column may hold.
struct FlagText
{
    std::string_view text;
    bool value;
};

constexpr std::array<FlagText, 7> kFlagTexts{{
    {"", false},
    {"0", false},
    {"1", true},
    {"false", false},
    {"true", true},
    {"no", false},
    {"yes", true},
}};

constexpr std::string_view kFlagRefused =
    "The dst column must hold 1, 0, true, false, yes, no or nothing";

bool SameLetters(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::optional<bool> ReadFlag(std::string_view text)
{
    text = birth::FieldText::TrimSpaces(text);
    for (const FlagText& flag : kFlagTexts)
        if (SameLetters(text, flag.text))
            return flag.value;
    return std::nullopt;
}

std::string MissingColumn(std::string_view name)
{
    return "The header has no " + std::string(name) +
           " column: it must name date, time, longitude and latitude, and zone, utc_offset or "
           "place (in any order)";
}

} // namespace

std::variant<BatchColumns, std::string> ReadHeader(const std::vector<std::string_view>& names,
                                                   bool withPlaces)
{
    BatchColumns columns;
    columns.count = names.size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = birth::FieldText::TrimSpaces(names[i]);
        for (const ReadColumn& column : kReadColumns) {
            if (!SameLetters(name, column.name) || (!withPlaces && column.name == "place"))
                continue;
            if (columns.*column.slot)
                return "The header names the " + std::string(column.name) + " column twice";
            columns.*column.slot = i;
        }
    }
    if (!columns.date)
        return MissingColumn("date");
    if (!columns.time)
        return MissingColumn("time");
    if (!columns.zone && !columns.utcOffset && !columns.place)
        return MissingColumn("zone");
    // A place gives the coordinates; without a place column every row needs them.
    if (!columns.place && !columns.longitude)
        return MissingColumn("longitude");
    if (!columns.place && !columns.latitude)
        return MissingColumn("latitude");
    return columns;
}

RowComputer::RowComputer(const BatchColumns& columns, const report::PlaceLocator* places,
                         std::string_view lineEnd, PreciseSource precise)
    : columns_(columns), places_(places), lineEnd_(lineEnd), precise_(precise)
{
}

std::vector<std::string_view> RowComputer::AppendedColumns() const
{
    std::vector<std::string_view> names(kReadingColumns.begin(), kReadingColumns.end());
    if (precise_ != nullptr)
        names.insert(names.end(), kPreciseColumns.begin(), kPreciseColumns.end());
    names.push_back(kErrorColumn);
    return names;
}

std::string_view RowComputer::Field(const std::optional<std::size_t>& column) const
{
    return column ? record_.fields[*column] : std::string_view();
}

RowComputer::Outcome RowComputer::Process(std::string_view record, std::string& out)
{
    const std::string_view text = csv::WithoutLineEnd(record);
    if (text.empty())
        return Outcome::Blank;
    csv::SplitRecord(text, record_);
    if (record_.problem != csv::Problem::None) {
        AppendRefused(text, csv::Describe(record_.problem), out);
        return Outcome::Refused;
    }
    if (record_.fields.size() != columns_.count) {
        AppendRefused(text,
                      "The row has " + std::to_string(record_.fields.size()) +
                          " fields where the header names " + std::to_string(columns_.count),
                      out);
        return Outcome::Refused;
    }
    const std::optional<bool> daylightSaving = ReadFlag(Field(columns_.dst));
    if (!daylightSaving) {
        AppendRefused(text, kFlagRefused, out);
        return Outcome::Refused;
    }
    const report::BirthTexts texts{Field(columns_.date),      Field(columns_.time),
                                   Field(columns_.longitude), Field(columns_.latitude),
                                   Field(columns_.zone),      *daylightSaving,
                                   Field(columns_.utcOffset), Field(columns_.place)};
    const auto resolved = report::ResolveBirth(texts, places_);
    if (const auto* refusal = std::get_if<std::string>(&resolved)) {
        AppendRefused(text, *refusal, out);
        return Outcome::Refused;
    }
    const modEphemeris::BirthMoment& moment = std::get<report::ResolvedBirth>(resolved).moment;
    const modEphemeris::MoonReadings readings = modEphemeris::ComputeMoonReadings(moment);
    out.append(text);
    for (const std::string* reading :
         {&readings.sidereal.GeocentricText, &readings.sidereal.TopocentricText,
          &readings.tropical.GeocentricText, &readings.tropical.TopocentricText}) {
        out.push_back(',');
        csv::AppendQuoted(out, *reading); // its seconds mark is a double quote
    }
    Outcome outcome = Outcome::Computed;
    if (precise_ != nullptr) {
        const std::optional<modEphemeris::PreciseBeside> precise = precise_(moment, readings);
        if (precise && precise->readings) {
            for (const modEphemeris::PreciseReading& reading : *precise->readings) {
                out.push_back(',');
                csv::AppendQuoted(out, reading.text);
            }
        } else {
            out.append(kPreciseColumns.size() + 1, ','); // empty precise texts, then the error
            csv::AppendField(out, report::PreciseUnavailableLine(precise));
            outcome = Outcome::WithoutPrecise;
        }
    }
    if (outcome == Outcome::Computed)
        out.push_back(','); // no error
    out.append(lineEnd_);
    return outcome;
}

void RowComputer::AppendRefused(std::string_view text, std::string_view message,
                                std::string& out) const
{
    if (record_.problem == csv::Problem::None && record_.fields.size() == columns_.count) {
        out.append(text);
    } else {
        // Written again field by field, as many as the header names, so that the columns
        // stay in line: a row with more fields loses the last ones, which its error says.
        for (std::size_t i = 0; i < columns_.count; ++i) {
            if (i > 0)
                out.push_back(',');
            if (i < record_.fields.size())
                csv::AppendField(out, record_.fields[i]);
        }
    }
    // Empty readings, then the error.
    out.append(kReadingColumns.size() + (precise_ != nullptr ? kPreciseColumns.size() : 0) + 1,
               ',');
    csv::AppendField(out, message);
    out.append(lineEnd_);
}

} // namespace cli
