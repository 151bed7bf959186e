// The tool's commands, each given its options as plain values once the command line
// is parsed. Each returns the exit status.
#pragma once

#include <cstddef>
#include <string>

namespace cli {

/// 0: everything read and computed; 1: an input or a row refused; 2: a usage error.
enum ExitStatus : int { kSucceeded = 0, kRefused = 1, kUsageError = 2 };

/// What reading and details take.
struct BirthOptions
{
    std::string date;
    std::string time;
    std::string longitude;
    std::string latitude;
    std::string zone;
    bool daylightSaving = false;
    std::string utcOffset;
    std::string place;
    bool secondOccurrence = false; // with a place: the second of a local time the clock repeated
    bool json = false;
    bool precise = false; // the precise Moon's texts too (reading)
    std::string atlas;    // the atlas's index file; empty: the one installed with the tool
};

/// What dasha takes: a birth as for reading, and how its periods are counted.
struct DashaOptions
{
    BirthOptions birth;
    double yearDays = 365.25;   // a dasha year, days
    double timeUncertainty = 0; // how far the birth time may be off either way, minutes
    int levels = 2;             // 1 the periods, 2 with their sub-periods, 3 one level further
};

struct BatchOptions
{
    std::string input = "-"; // a file, or - for standard input
    std::string output = "-";
    std::size_t threads = 1;
    bool precise = false; // the precise Moon's four texts in columns of their own
    std::string atlas;
};

struct PlaceOptions
{
    std::string query;
    std::string date; // with time: the clock at that moment
    std::string time;
    bool secondOccurrence = false;
    std::size_t limit = 10;
    bool json = false;
    std::string atlas;
};

int RunReading(const BirthOptions& options);
int RunDetails(const BirthOptions& options);
int RunDasha(const DashaOptions& options);
int RunBatch(const BatchOptions& options);
int RunPlace(const PlaceOptions& options);

} // namespace cli
