// The batch command run as a process: readings as the core computes them, the same bytes
// whatever the threads, RFC 4180 in and out, and malformed or hostile input refused with a
// message, never a crash.
#include "BatchTexts.h"
#include "CliRun.h"
#include "RandomBirths.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using cli_test::kAppended;
using cli_test::kWorkedReadings;
using cli_test::kWorkedRow;
using cli_test::RunCli;
using cli_test::TempFile;
using cli_test::WriteFile;

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

/// Births, a few refused and a few with quoted names, as one file.
std::string MixedFile(std::size_t rows)
{
    std::string file = std::string("name,") + cli_test::kBirthColumns + "\n";
    std::size_t i = 0;
    for (const cli_test::TextBirth& birth : cli_test::RandomBirths(rows, 11U)) {
        ++i;
        const std::string number = std::to_string(i);
        const std::string name = i % 7 == 0 ? Quoted("Doe, \"J\"\n" + number) : "P" + number;
        const std::string row = i % 13 == 0 ? "2001-02-29,12:00,1:00E,1:00N,1,," : birth.CsvRow();
        file += name + "," + row + "\n";
    }
    return file;
}

TEST(BatchCommand, RandomBirthsReadAsTheCoreComputesThem)
{
    const auto births = cli_test::RandomBirths(400, 5U);
    std::string input = std::string(cli_test::kBirthColumns) + "\n";
    std::string expected = std::string(cli_test::kBirthColumns) + kAppended + "\n";
    for (const cli_test::TextBirth& birth : births) {
        input += birth.CsvRow() + "\n";
        expected += birth.CsvRow();
        for (const std::string& text : birth.expected)
            expected.append(",").append(Quoted(text));
        expected += ",\n";
    }
    const auto result = RunCli({"batch"}, input);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
}

TEST(BatchCommand, OutputIsTheSameWhateverTheThreads)
{
    // Many blocks' worth, so that the workers finish them out of order.
    const std::string input = TempFile("mixed.csv");
    WriteFile(input, MixedFile(30000));
    const auto one = RunCli({"batch", input, "--threads", "1"});
    EXPECT_EQ(one.status, 1); // its refused rows
    EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 30001 + 30000 / 7);
    for (const std::string threads : {"2", "3", "8"}) {
        const auto many = RunCli({"batch", input, "--threads", threads});
        EXPECT_EQ(many.status, 1);
        EXPECT_TRUE(many.out == one.out) << threads << " threads give other bytes";
    }
    const std::string output = TempFile("mixed.out.csv");
    EXPECT_EQ(RunCli({"batch", input, "-o", output}).status, 1);
    EXPECT_TRUE(cli_test::ReadFile(output) == one.out);
}

TEST(BatchCommand, QuotedFieldsAndLineEndsAsRfc4180WritesThem)
{
    // Byte-order mark, header in its own order and case, CR LF line ends, a quoted name
    // holding a comma, quotes and a line break, an empty dst and a blank line.
    const std::string input =
        "\xEF\xBB\xBF"
        "Notes,ZONE,Time,LONGITUDE,Latitude,date, Dst \r\n"
        "\"Rao, \"\"Asha\"\"\r\nDelhi\",5:30,12:00,77:13E,28:37N,2000-01-01,\r\n"
        "\r\n"
        "plain,5:30,12:00:45,77:13e,28:37n,2000-01-01,\r\n";
    const std::string& readings = kWorkedReadings;
    const auto result = RunCli({"batch", "-"}, input);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "\xEF\xBB\xBF"
              "Notes,ZONE,Time,LONGITUDE,Latitude,date, Dst " +
                  kAppended + "\r\n" +
                  "\"Rao, \"\"Asha\"\"\r\nDelhi\",5:30,12:00,77:13E,28:37N,2000-01-01,," +
                  readings + "\r\n" + "plain,5:30,12:00:45,77:13e,28:37n,2000-01-01,," + readings +
                  "\r\n");
}

TEST(BatchCommand, DaylightSavingColumnTakesItsWords)
{
    const std::string header = "date,time,longitude,latitude,zone,dst\n";
    const auto withDst = RunCli({"batch"}, header + "2000-01-01,12:00,77:13E,28:37N,4:30,TRUE\n");
    const auto without = RunCli({"batch"}, header + "2000-01-01,12:00,77:13E,28:37N,5:30,no\n");
    EXPECT_EQ(withDst.status, 0) << withDst.out;
    EXPECT_EQ(withDst.out.substr(withDst.out.find('\n') + 1),
              "2000-01-01,12:00,77:13E,28:37N,4:30,TRUE," + kWorkedReadings + "\n");
    EXPECT_EQ(without.out.substr(without.out.find('\n') + 1),
              "2000-01-01,12:00,77:13E,28:37N,5:30,no," + kWorkedReadings + "\n");
}

// --- Refused rows and malformed files ------------------------------------------------

struct Malformed
{
    std::string name;
    std::string input;
    int status;
    std::string out; // standard output, exactly
    std::string err; // standard error, exactly
};

void PrintTo(const Malformed& row, std::ostream* os)
{
    *os << row.name;
}

class BatchMalformed : public testing::TestWithParam<Malformed>
{
};

TEST_P(BatchMalformed, SaysWhyAndGoesOn)
{
    const auto result = RunCli({"batch"}, GetParam().input);
    EXPECT_EQ(result.status, GetParam().status);
    EXPECT_EQ(result.out, GetParam().out);
    EXPECT_EQ(result.err, GetParam().err);
}

const std::string kHeader = "name,date,time,longitude,latitude,zone,dst";
const std::string kOneRefused = "1 of 1 rows refused: their error column says why\n";
const std::string kOneOfTwoRefused = "1 of 2 rows refused: their error column says why\n";

INSTANTIATE_TEST_SUITE_P(
    Files, BatchMalformed,
    testing::Values(
        Malformed{"EmptyFile", "", 1, "",
                  "The input is empty: it needs a header row naming the columns\n"},
        Malformed{"HeaderOnly", kHeader + "\n", 0, kHeader + kAppended + "\n",
                  "The input has a header row but no rows\n"},
        Malformed{"HeaderWithoutTime",
                  "name,date,longitude,latitude,zone\nA,2000-01-01,1:00E,1:00N,1\n", 1, "",
                  "The header has no time column: it must name date, time, longitude and latitude, "
                  "and zone, utc_offset or place (in any order)\n"},
        Malformed{"HeaderNamesDateTwice", "date,time,longitude,latitude,zone,Date\n", 1, "",
                  "The header names the date column twice\n"},
        Malformed{"HeaderNotCsv", "date,\"time\"x,longitude\n", 1, "",
                  "The header row is not valid CSV\n"},
        Malformed{"UnclosedQuote", kHeader + "\nA," + kWorkedRow + "\n\"B,2000-01-01\n", 1,
                  kHeader + kAppended + "\nA," + kWorkedRow + "," + kWorkedReadings +
                      "\n"
                      "\"B,2000-01-01\",,,,,,,,,,,The row is not valid CSV: a quoted field is not "
                      "closed before the end of the input\n",
                  kOneOfTwoRefused},
        Malformed{"QuoteInsideAField",
                  kHeader + "\n5'10\" tall," + kWorkedRow + "\nA," + kWorkedRow + "\n", 1,
                  kHeader + kAppended + "\n\"5'10\"\" tall\"," + kWorkedRow +
                      ",,,,,The row is not valid CSV: a double quote inside a field that does not "
                      "begin with one\n"
                      "A," +
                      kWorkedRow + "," + kWorkedReadings + "\n",
                  kOneOfTwoRefused},
        Malformed{"TextAfterClosingQuote", kHeader + "\n\"A\"B," + kWorkedRow + "\n", 1,
                  kHeader + kAppended + "\nAB," + kWorkedRow +
                      ",,,,,The row is not valid CSV: text after the closing quote of a field\n",
                  kOneRefused},
        Malformed{
            "RowMissingAColumn", kHeader + "\nA,2000-01-01,12:00\n", 1,
            kHeader + kAppended +
                "\nA,2000-01-01,12:00,,,,,,,,,The row has 3 fields where the header names 7\n",
            kOneRefused},
        Malformed{"RowWithAColumnTooMany", kHeader + "\nA," + kWorkedRow + ",extra\n", 1,
                  kHeader + kAppended + "\nA," + kWorkedRow +
                      ",,,,,The row has 8 fields where the header names 7\n",
                  kOneRefused},
        Malformed{"DaylightSavingMaybe",
                  kHeader + "\nA,2000-01-01,12:00,77:13E,28:37N,5:30,maybe\n", 1,
                  kHeader + kAppended +
                      "\nA,2000-01-01,12:00,77:13E,28:37N,5:30,maybe,,,,,\"The dst column must "
                      "hold 1, 0, true, false, yes, no or nothing\"\n",
                  kOneRefused},
        Malformed{"EntryCheckInARow", kHeader + "\nA,2000-01-01,12:00,77:13E,28:37N,13,\n", 1,
                  kHeader + kAppended +
                      "\nA,2000-01-01,12:00,77:13E,28:37N,13,,,,,,Please Enter Value Between 0 And "
                      "12 in the Zone Hour\n",
                  kOneRefused},
        Malformed{"ZoneWithAFractionInARow", kHeader + "\nA,2000-01-01,12:00,77:13E,28:37N,5.5,\n",
                  1,
                  kHeader + kAppended +
                      "\nA,2000-01-01,12:00,77:13E,28:37N,5.5,,,,,,\"The zone must be written as "
                      "hours or hours:minutes, such as 5:30 for five and a half hours\"\n",
                  kOneRefused},
        Malformed{
            "NoInstantInARow",
            "date,time,longitude,latitude,zone,utc_offset\n2000-01-01,12:00,77:13E,28:37N,,\n", 1,
            "date,time,longitude,latitude,zone,utc_offset" + kAppended +
                "\n2000-01-01,12:00,77:13E,28:37N,,,,,,,\"Give the zone, the UTC offset or the "
                "place of the birth\"\n",
            kOneRefused},
        Malformed{"TwoInstantsInARow",
                  "date,time,longitude,latitude,zone,utc_offset\n2000-01-01,12:00,77:13E,28:37N,5:"
                  "30,+05:30\n",
                  1,
                  "date,time,longitude,latitude,zone,utc_offset" + kAppended +
                      "\n2000-01-01,12:00,77:13E,28:37N,5:30,+05:30,,,,,\"Give only one of the "
                      "zone, the UTC offset and the place of the birth\"\n",
                  kOneRefused},
        Malformed{"DaylightSavingWithOffset",
                  "date,time,longitude,latitude,dst,utc_offset\n2000-01-01,12:00,77:13E,28:37N,1,+"
                  "05:30\n",
                  1,
                  "date,time,longitude,latitude,dst,utc_offset" + kAppended +
                      "\n2000-01-01,12:00,77:13E,28:37N,1,+05:30,,,,,Daylight saving goes with a "
                      "zone only\n",
                  kOneRefused}),
    [](const auto& info) { return info.param.name; });

TEST(BatchCommand, HostileRowsAreRefusedNotACrash)
{
    // Every byte value in long fields, invalid UTF-8, NULs, huge numbers, words for numbers.
    std::mt19937 rng(3U);
    std::string junk;
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>(rng() % 256);
    const std::string nul(1, '\0');
    const std::string input =
        kHeader + "\n" +                                                          //
        Quoted(junk) + "," + Quoted(junk) + ",12:00,77:13E,28:37N,1,\n" +         // the date
        Quoted(junk) + ",2000-01-01,23:59,99999999999999999999:99E,-0:-0N,1,\n" + // longitude
        "\x80\xff,2000-01-01,23:59,1:00E,1e308:nanN,1,\n" +                       // latitude
        "x,2000-01-01,23:59,1:00E,1:00N,inf" + nul + ",\n" +                      // zone
        "A," + kWorkedRow + "\n";
    const auto result = RunCli({"batch"}, input);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "4 of 5 rows refused: their error column says why\n");
    EXPECT_TRUE(result.out.ends_with("A," + kWorkedRow + "," + kWorkedReadings + "\n"));
}

TEST(BatchCommand, QuoteLeftOpenPastAMebibyteStopsTheRun)
{
    const std::string input =
        kHeader + "\nA," + kWorkedRow + "\n\"" + std::string(1 << 21, 'x') + "\n";
    const auto result = RunCli({"batch"}, input);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, kHeader + kAppended + "\nA," + kWorkedRow + "," + kWorkedReadings + "\n");
    EXPECT_EQ(result.err, "Row 3 runs on past 1 MiB, the most a row may hold, inside a quoted "
                          "field still open there: the rest of the input is not read\n");
}

TEST(BatchCommand, RefusesToWriteOverItsInput)
{
    const std::string file = TempFile("same.csv");
    const std::string input = kHeader + "\nA," + kWorkedRow + "\n";
    WriteFile(file, input);
    const auto result = RunCli({"batch", file, "--output", file});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "The output would overwrite the input " + file + "\n");
    EXPECT_EQ(cli_test::ReadFile(file), input);
}

TEST(BatchCommand, MissingInputFileIsNamed)
{
    const std::string file = TempFile("absent.csv");
    const auto result = RunCli({"batch", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Cannot open " + file + ": No such file or directory\n");
}

} // namespace
