// Runs the built selenoscope-cli as a process: its arguments, what it reads on standard
// input, and what it wrote and how it ended.
#pragma once

#include <string>
#include <vector>

namespace cli_test {

struct CliResult
{
    int status = -1; // the exit status; -1 when the process did not exit by itself
    std::string out; // standard output
    std::string err; // standard error
};

/// Where the tool's standard output goes.
enum class Output {
    File,   // a file, read back into CliResult::out
    Full,   // /dev/full: every write fails with "No space left on device"
    Closed, // no standard output at all
};

/// How the tool is run besides its arguments and input.
struct RunOptions
{
    Output output = Output::File;
    bool unprivileged = false; // as the account "nobody" when this test runs as root
};

/// Runs the tool with the arguments, the input on its standard input. A run that has not
/// ended after a minute is killed: status -1.
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "",
                 const RunOptions& options = {});

/// Whether RunOptions::unprivileged can be had: as root, it needs setpriv.
bool CanRunUnprivileged();

/// A file in a folder of its own, removed with it at the end of the test program.
std::string TempFile(const std::string& name);

/// Writes text to a file.
void WriteFile(const std::string& path, const std::string& text);

/// A file's whole content.
std::string ReadFile(const std::string& path);

} // namespace cli_test
