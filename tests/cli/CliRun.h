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

/// Runs the tool with the arguments, the input on its standard input.
CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input = "");

/// A file in a folder of its own, removed with it at the end of the test program.
std::string TempFile(const std::string& name);

/// Writes text to a file.
void WriteFile(const std::string& path, const std::string& text);

/// A file's whole content.
std::string ReadFile(const std::string& path);

} // namespace cli_test
