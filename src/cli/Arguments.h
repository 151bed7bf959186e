// The command line: its commands and options, parsed and handed to the command named.
#pragma once

namespace cli {

/// Parses the arguments and runs the command they name; the exit status.
int RunCommandLine(int argc, char** argv);

} // namespace cli
