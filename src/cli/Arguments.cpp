#include "cli/Arguments.h"

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/PlaceAccess.h"
#include "cli/PreciseAccess.h"
#include "ephemeris/Vimshottari.h"
#include "report/PlaceQuery.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string>
#include <thread>
#include <type_traits>

namespace cli {
namespace {

constexpr const char* kBatchFooter = R"(Columns read (header names in any order and case):
  date, time, longitude, latitude as for reading, and for the instant one of
  zone with dst (1, 0, true, false, yes, no or empty), utc_offset, or place.
  A row with a place may leave longitude and latitude empty. Every other column
  passes through unchanged.
Columns appended: sidereal_geocentric, sidereal_topocentric, tropical_geocentric,
  tropical_topocentric, error. A refused row gets empty readings and the reason in
  error; the exit status is then 1.
Rows end in CR LF, LF or CR; the output ends its rows as the header row ends. One row
  may hold at most 1 MiB (1,048,576 bytes, line breaks in quoted fields included): a
  longer row stops the run there.)";
constexpr const char* kBatchPreciseFooter = R"(
With --precise, precise_sidereal_geocentric, precise_sidereal_topocentric,
  precise_tropical_geocentric and precise_tropical_topocentric come before error; a
  row without a precise Moon keeps its readings and says why in error.)";

// Each worker keeps two blocks of a few hundred kilobytes in flight: this bounds memory.
constexpr std::size_t kMostThreads = 64;

void AddAtlasOption(CLI::App& command, std::string& atlas)
{
    if (HasAtlas())
        command.add_option("--atlas", atlas, "The atlas's index file instead of the installed one");
}

/// --occurrence first|second: which of a local time the clock showed twice.
CLI::Option* AddOccurrenceOption(CLI::App& command, bool& second)
{
    return command
        .add_option_function<std::string>(
            "--occurrence", [&second](const std::string& which) { second = which == "second"; },
            "Where the clocks went back over the local time: its first occurrence (the "
            "default) or its second")
        ->check(CLI::IsMember({"first", "second"}));
}

void AddBirthOptions(CLI::App& command, BirthOptions& o)
{
    command.add_option("--date", o.date, "Date of birth: YYYY-MM-DD, 1900 to 2050")->required();
    command
        .add_option("--time", o.time,
                    "Local clock time: HH:MM (HH:MM:SS is taken, the seconds not used)")
        ->required();
    command.add_option("--longitude", o.longitude, "Degrees:minutes and E or W, such as 77:13E");
    command.add_option("--latitude", o.latitude, "Degrees:minutes and N or S, such as 28:37N");
    CLI::Option* zone = command.add_option(
        "--zone", o.zone,
        "Zone hours[:minutes] as the entry window takes them: the direction east or west of "
        "Greenwich follows the longitude's hemisphere, a minus sign is ignored");
    command.add_flag("--dst", o.daylightSaving, "Daylight saving in force (with --zone)")
        ->needs(zone);
    CLI::Option* offset =
        command
            .add_option("--utc-offset", o.utcOffset,
                        "The local clock's true offset from universal time, +HH:MM or -HH:MM, "
                        "east of Greenwich positive")
            ->excludes(zone);
    if (HasAtlas()) {
        CLI::Option* place =
            command
                .add_option("--place", o.place,
                            "A place in the offline atlas: its first match gives the coordinates "
                            "(unless given) and its clock's true offset at that date and time")
                ->excludes(zone)
                ->excludes(offset);
        AddOccurrenceOption(command, o.secondOccurrence)->needs(place);
    }
    AddAtlasOption(command, o.atlas);
    command.add_flag("--json", o.json, "Write JSON");
    command.callback([&o] {
        if (o.zone.empty() && o.utcOffset.empty() && o.place.empty())
            throw CLI::RequiredError(HasAtlas() ? "--zone, --utc-offset or --place"
                                                : "--zone or --utc-offset");
        if (o.place.empty() && (o.longitude.empty() || o.latitude.empty()))
            throw CLI::RequiredError("--longitude and --latitude");
    });
}

/// Refuses a value the periods cannot take in the core's own words: the option's value of
/// type T set into an otherwise valid request.
template <class T, class Set> CLI::Validator DashaCheck(Set set)
{
    return {[set](std::string& text) -> std::string {
                T value{};
                if (!CLI::detail::lexical_cast(text, value)) {
                    if constexpr (!std::is_integral_v<T>)
                        return "'" + text + "' is not a number";
                    value = 0; // not a whole number: refused as any count out of range
                }
                modEphemeris::DashaRequest request;
                set(request, value);
                return modEphemeris::DashaRequestError(request).value_or(std::string());
            },
            std::string()};
}

void AddDashaOptions(CLI::App& command, DashaOptions& o)
{
    AddBirthOptions(command, o.birth);
    command
        .add_option("--year-days", o.yearDays,
                    "Days of the calendar to a dasha year, 300 to 400 (default 365.25; others use "
                    "360 or 365.2425)")
        ->check(DashaCheck<double>([](auto& r, double days) { r.yearDays = days; }));
    command
        .add_option("--time-uncertainty", o.timeUncertainty,
                    "How far the birth time may be off either way, minutes, 0 to 1440: it widens "
                    "the band every date carries")
        ->check(DashaCheck<double>([](auto& r, double minutes) { r.birthTimeMinutes = minutes; }));
    command
        .add_option("--levels", o.levels,
                    "1: the periods; 2: with their sub-periods (default); 3: one level further")
        ->check(DashaCheck<int>([](auto& r, int levels) { r.levels = levels; }));
}

void AddBatchOptions(CLI::App& command, BatchOptions& o)
{
    o.threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, kMostThreads);
    command.add_option("file", o.input, "The CSV file, or - for standard input (the default)");
    command.add_option("-o,--output", o.output,
                       "Where the CSV goes, or - for standard output (the default)");
    command.add_option("--threads", o.threads, "Worker threads (default: one per core)")
        ->check(CLI::Range(std::size_t{1}, kMostThreads));
    if (HasPrecise())
        command.add_flag("--precise", o.precise,
                         "The precise Moon's four texts too, in columns of their own");
    AddAtlasOption(command, o.atlas);
    command.footer(std::string(kBatchFooter) + (HasPrecise() ? kBatchPreciseFooter : ""));
}

/// Refuses a query with nothing to look for: it would list places at random.
std::string QueryHasAName(const std::string& query)
{
    return report::QueryNameProblem(query);
}

void AddPlaceOptions(CLI::App& command, PlaceOptions& o)
{
    command.add_option("query", o.query, "A place's name, optionally \", region or country\"")
        ->required()
        ->check(CLI::Validator(QueryHasAName, "TEXT"));
    CLI::Option* date =
        command.add_option("--date", o.date, "With --time: the clock at that local date");
    CLI::Option* time = command.add_option("--time", o.time, "Local clock time, HH:MM");
    date->needs(time);
    time->needs(date);
    AddOccurrenceOption(command, o.secondOccurrence)->needs(date);
    command.add_option("--limit", o.limit, "The most places listed")
        ->check(CLI::Range(std::size_t{1}, MostPlaces()));
    command.add_flag("--json", o.json, "Write JSON");
    AddAtlasOption(command, o.atlas);
}

/// Whether the first argument is a word that names none of the commands: the parser
/// would only say that a command is required. Says so, naming it.
bool RefusedAsUnknownCommand(const CLI::App& app, int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-')
        return false;
    const std::string name = argv[1];
    std::string commands;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        if (command->check_name(name))
            return false;
        commands += (commands.empty() ? "" : ", ") + command->get_name();
    }
    Complain("Unknown command \"" + name + "\": the commands are " + commands +
             "\nRun with --help for more information.");
    return true;
}

} // namespace

int RunCommandLine(int argc, char** argv)
{
    CLI::App app{"Where the Moon stood at a birth, sidereal and tropical, seen from the centre "
                 "of the Earth and from the birth place.",
                 "selenoscope-cli"};
    app.set_version_flag("--version", "selenoscope-cli " SELENOSCOPE_VERSION);
    app.require_subcommand(1);

    BirthOptions readingOptions;
    CLI::App* reading = app.add_subcommand("reading", "The four readings of one birth");
    AddBirthOptions(*reading, readingOptions);
    if (HasPrecise())
        reading->add_flag("--precise", readingOptions.precise,
                          "The precise Moon's four texts too, after the readings");

    BirthOptions detailsOptions;
    CLI::App* details = app.add_subcommand(
        "details", "How firm each reading is: sign and nakshatra edges and the times they hold");
    AddBirthOptions(*details, detailsOptions);

    DashaOptions dashaOptions;
    CLI::App* dasha = app.add_subcommand(
        "dasha", "The Vimshottari periods of one birth, from the Moon at birth, with their band");
    AddDashaOptions(*dasha, dashaOptions);

    BatchOptions batchOptions;
    CLI::App* batch = app.add_subcommand("batch", "The readings of every birth of a CSV file");
    AddBatchOptions(*batch, batchOptions);

    PlaceOptions placeOptions;
    CLI::App* place = nullptr;
    if (HasAtlas()) {
        place = app.add_subcommand("place", "Places in the offline atlas and their clocks");
        AddPlaceOptions(*place, placeOptions);
    }

    if (RefusedAsUnknownCommand(app, argc, argv))
        return kUsageError;
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help and version end well; every other parse error is a usage error.
        return app.exit(e) == 0 ? kSucceeded : kUsageError;
    }
    if (reading->parsed())
        return RunReading(readingOptions);
    if (details->parsed())
        return RunDetails(detailsOptions);
    if (dasha->parsed())
        return RunDasha(dashaOptions);
    if (batch->parsed())
        return RunBatch(batchOptions);
    if (place != nullptr && place->parsed())
        return RunPlace(placeOptions);
    return kUsageError;
}

} // namespace cli
