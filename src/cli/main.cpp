// selenoscope-cli: the program's readings, details and places without a window.
#include "cli/Arguments.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    int status = cli::kRefused;
    try {
        status = cli::RunCommandLine(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "selenoscope-cli: %s\n", e.what());
    }
    // A result that did not reach standard output is a failure, not a success.
    return cli::FinishOutput(status);
}
