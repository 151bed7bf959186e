// selenoscope-cli: the program's readings, details and places without a window.
#include "cli/Arguments.h"
#include "cli/Commands.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    try {
        return cli::RunCommandLine(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "selenoscope-cli: %s\n", e.what());
        return cli::kRefused;
    }
}
