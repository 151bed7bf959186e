// The tool at its edges, run as a process: output that cannot be written, CSV with any
// line end and rows past the limit, index paths that are not files, names in the index
// that would drive a terminal, and commands it does not have.
#include "BatchTexts.h"
#include "CliRun.h"

#ifdef SELENOSCOPE_ATLAS
#include "atlas/PlaceIndex.h"
#endif

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using cli_test::kAppended;
using cli_test::kWorkedReadings;
using cli_test::kWorkedRow;
using cli_test::Output;

struct Edge
{
    std::string name;
    std::vector<std::string> arguments; // "{dir}" stands for the folder the suite stages
    std::string input;
    cli_test::RunOptions options;
    int status;
    std::optional<std::string> out; // exactly; not compared when absent
    std::string err;                // exactly, "{dir}" standing for the staged folder
};

void PrintTo(const Edge& row, std::ostream* os)
{
    *os << row.name;
}

/// Things that are not index files, and an index whose names hold control characters,
/// staged once for every suite of rows.
class ToolEdge : public testing::TestWithParam<Edge>
{
public:
    static void SetUpTestSuite() { static const Stage stage; }

    static fs::path Dir() { return cli_test::TempFile("edges"); }

    static std::string Staged(std::string text)
    {
        for (std::size_t at = 0; (at = text.find("{dir}", at)) != std::string::npos;)
            text.replace(at, 5, Dir().string());
        return text;
    }

private:
    struct Stage
    {
        Stage()
        {
            const fs::path dir = Dir();
            fs::create_directories(dir / "shut");
            ::mkfifo((dir / "pipe").c_str(), 0600);
            fs::create_symlink(dir / "loop-b", dir / "loop-a");
            fs::create_symlink(dir / "loop-a", dir / "loop-b");
            fs::permissions(dir / "shut", fs::perms::none);
#ifdef SELENOSCOPE_ATLAS
            WriteHostileIndex(dir / "hostile.atlas");
#endif
        }
        // Before the scratch folder is removed, so that it can be.
        ~Stage()
        {
            fs::permissions(Dir() / "shut", fs::perms::owner_all);
        }
        Stage(const Stage&) = delete;
        Stage& operator=(const Stage&) = delete;
    };

#ifdef SELENOSCOPE_ATLAS
    /// One place, found by "evil", whose texts hold a terminal escape, a tab, a line feed,
    /// a carriage return, DEL, a backslash, a C1 control and a byte that is not UTF-8.
    static void WriteHostileIndex(const fs::path& file)
    {
        atlas::IndexData d;
        const auto text = [&d](const std::string& t) {
            const auto offset = static_cast<std::uint32_t>(d.strings.size());
            d.strings.insert(d.strings.end(), t.begin(), t.end());
            d.strings.push_back('\0');
            return offset;
        };
        d.countries.push_back({{'U', 'S'},
                               0,
                               text("Bad\xC2\x9B"
                                    "31mLand\xFF"),
                               text("")});
        d.regions.push_back({text("Illi\rnois\x7F"), text("IL"), 0});
        d.zones.push_back({text("America/Chicago")});
        const std::uint32_t name = text("Evil\x1B[2JT\xC3\xB6wn\tTab\nLine\\");
        d.places.push_back({39801050, -89643600, 1000, name, 0, 0, 0, 0});
        d.entries.push_back({name, 0 | atlas::format::kOwnName});
        std::string error;
        ASSERT_TRUE(atlas::writeIndex(file, d.sections(), error)) << error;
    }
#endif
};

TEST_P(ToolEdge, SaysWhatIsWrongAndExitsAsAUnixToolDoes)
{
    const Edge& row = GetParam();
    if (row.options.unprivileged && !cli_test::CanRunUnprivileged())
        GTEST_SKIP() << "running as root needs setpriv to run the tool as another account";
    std::vector<std::string> arguments;
    for (const std::string& argument : row.arguments)
        arguments.push_back(Staged(argument));
    const auto result = cli_test::RunCli(arguments, row.input, row.options);
    EXPECT_EQ(result.status, row.status) << result.err;
    if (row.out) {
        EXPECT_EQ(result.out, *row.out);
    }
    EXPECT_EQ(result.err, Staged(row.err));
}

/// A run with nothing on standard input that writes nothing on standard output.
Edge Refused(std::string name, std::vector<std::string> arguments, int status, std::string err,
             cli_test::RunOptions options = {})
{
    return {std::move(name), std::move(arguments), "", options, status, "", std::move(err)};
}

/// A batch run over the input.
Edge Batch(std::string name, std::string input, int status, std::string out, std::string err)
{
    return {std::move(name), {"batch"},      std::move(input), {},
            status,          std::move(out), std::move(err)};
}

const std::vector<std::string> kReading{"reading", "--date",     "2000-01-01", "--time",
                                        "12:00",   "--zone",     "5:30",       "--longitude",
                                        "77:13E",  "--latitude", "28:37N"};
const std::string kNoSpace = "Cannot write the output: No space left on device\n";

const std::string kHeader = "name,date,time,longitude,latitude,zone,dst";

/// A file of the worked example's rows with the given line end, and the batch's output.
std::string WorkedFile(const std::string& lineEnd, const std::vector<std::string>& names)
{
    std::string file = kHeader + lineEnd;
    for (const std::string& name : names)
        file += name + "," + kWorkedRow + lineEnd;
    return file;
}

std::string WorkedOutput(const std::string& lineEnd, const std::vector<std::string>& names)
{
    std::string out = kHeader + kAppended + lineEnd;
    for (const std::string& name : names)
        out += name + "," + kWorkedRow + "," + kWorkedReadings + lineEnd;
    return out;
}

/// A name that puts the first row's CR at the last byte of the tool's first read of
/// 64 KiB, so that the next row begins in the next read.
const std::string kNameEndingTheFirstRead((1 << 16) - 1 - (kHeader.size() + 2 + kWorkedRow.size()),
                                          'n');

#ifdef SELENOSCOPE_ATLAS
constexpr const char* kCommands = "reading, details, dasha, batch, place";
#else
constexpr const char* kCommands = "reading, details, dasha, batch";
#endif

INSTANTIATE_TEST_SUITE_P(
    OutputLineEndsAndCommands, ToolEdge,
    testing::Values(
        Refused("ReadingToAFullDisk", kReading, 1, kNoSpace, {Output::Full}),
        Refused("ReadingWithoutStandardOutput", kReading, 1,
                "Cannot write the output: Bad file descriptor\n", {Output::Closed}),
        Refused("HelpToAFullDisk", {"--help"}, 1, kNoSpace, {Output::Full}),
        Batch("CarriageReturnsEndRowsAndStayInTheOutput", WorkedFile("\r", {"A", "B"}), 0,
              WorkedOutput("\r", {"A", "B"}), ""),
        Batch("CarriageReturnEndingTheFirstRead", WorkedFile("\r", {kNameEndingTheFirstRead, "B"}),
              0, WorkedOutput("\r", {kNameEndingTheFirstRead, "B"}), ""),
        Batch("LineBreaksInsideQuotesStayInTheField",
              kHeader + "\r\"Rao\rAsha\n\r\n\"," + kWorkedRow + "\r", 0,
              kHeader + kAppended + "\r\"Rao\rAsha\n\r\n\"," + kWorkedRow + "," + kWorkedReadings +
                  "\r",
              ""),
        // Past the limit well before its line end; CR LF rows before it counted once each.
        Batch("RowPastTheLimitWithItsQuotesClosed",
              WorkedFile("\r\n", {"A", "\"B\""}) + "\"quoted\"," + std::string(1 << 21, 'x'), 1,
              WorkedOutput("\r\n", {"A", "\"B\""}),
              "Row 4 runs on past 1 MiB, the most a row may hold, with no line end: the rest of "
              "the input is not read\n"),
        Refused("UnknownCommandIsNamed", {"horoscope", "--date", "2000-01-01"}, 2,
                "Unknown command \"horoscope\": the commands are " + std::string(kCommands) +
                    "\nRun with --help for more information.\n")),
    [](const auto& info) { return info.param.name; });

#ifdef SELENOSCOPE_ATLAS

Edge UnusableIndex(std::string name, const std::string& index, const std::string& why,
                   cli_test::RunOptions options = {})
{
    return Refused(std::move(name), {"place", "Madrid", "--atlas", index}, 1,
                   "The place index " + index + " cannot be used: " + why + ".\n", options);
}

// The hostile place at a time its clock kept war time, five hours behind universal time.
const std::vector<std::string> kAtHostilePlace{"--date", "1943-06-01", "--time",
                                               "09:30",  "--atlas",    "{dir}/hostile.atlas"};

std::vector<std::string> AtHostilePlace(std::vector<std::string> arguments)
{
    arguments.insert(arguments.end(), kAtHostilePlace.begin(), kAtHostilePlace.end());
    return arguments;
}

INSTANTIATE_TEST_SUITE_P(
    IndexPathsAndPlaceTexts, ToolEdge,
    testing::Values(
        UnusableIndex("IndexIsANamedPipe", "{dir}/pipe", "it is a named pipe, not a file"),
        UnusableIndex("IndexPathLoopsThroughLinks", "{dir}/loop-a",
                      "its path runs round a loop of symbolic links"),
        UnusableIndex("IndexNameTooLong", "{dir}/" + std::string(300, 'x'), "its name is too long"),
        UnusableIndex("IndexBehindAFolderThatCannotBeSearched", "{dir}/shut/places.atlas",
                      "a folder on its path cannot be searched by this user", {Output::File, true}),
        Edge{"PlaceTextsAreEscapedAndOffsetsAscii",
             AtHostilePlace({"place", "evil"}),
             "",
             {},
             0,
             "Evil\\x1B[2JTöwn\\tTab\\nLine\\\\\tIlli\\rnois\\x7F\tBad\\u009B31mLand\\xFF\t39:48N\t"
             "89:39W\tAmerica/Chicago\tUTC-05:00 CWT\tzone 5:00\n",
             ""},
        Edge{"PlaceNoteOfAReadingIsEscaped",
             AtHostilePlace({"reading", "--place", "evil"}),
             "",
             {},
             0,
             std::nullopt,
             "Place: Evil\\x1B[2JTöwn\\tTab\\nLine\\\\, Illi\\rnois\\x7F, Bad\\u009B31mLand\\xFF "
             "(39:48N 89:39W)\nClock: America/Chicago on 1 June 1943 at 09:30: UTC−05:00, CWT, "
             "standard time\n"
             "Offsets before 1970 are the best record available.\n"},
        Refused("PlaceQueryEmpty", {"place", " , "}, 2,
                "query: the place to look for is empty: give a place's name, such as "
                "\"Springfield, Illinois\"\nRun with --help for more information.\n")),
    [](const auto& info) { return info.param.name; });

#endif

} // namespace
