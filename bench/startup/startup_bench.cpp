// Start-up of the program against a minimal Qt Widgets window: wall time from
// process start until the first idle moment after its window is shown, and
// peak memory (the kernel's high-water mark of resident memory). Both programs
// run with the same preloaded probe, alternately, and the medians are compared.
//
// startup_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kProbeExitStatus = 77;

struct Run
{
    double wallMs = 0;
    double peakMiB = 0;
};

struct Program
{
    const char* label;
    const char* path;
    std::vector<Run> runs;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool runOnce(const char* path, Run& run)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // The programs' own chatter would bury the table.
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execl(path, path, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != kProbeExitStatus) {
        std::fprintf(stderr, "%s did not reach an idle shown window (status %d)\n", path, status);
        return false;
    }
    run.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    // Another build of the program may be measured against the same yardsticks.
    const char* program = argc > 2 ? argv[2] : SELENOSCOPE;

    // Each run gets a fresh, private runtime directory: the program refuses to
    // start beside a running copy, and it finds running copies there.
    char runtimeTemplate[] = "/tmp/startup_bench.XXXXXX";
    const char* runtimeDir = mkdtemp(runtimeTemplate);
    if (runtimeDir == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    setenv("XDG_RUNTIME_DIR", runtimeDir, 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LD_PRELOAD", FIRST_IDLE_EXIT_PROBE, 1);

    std::vector<Program> programs{{"minimal window", MINIMAL_WINDOW, {}},
                                  {"label and menus", LABELLED_WINDOW, {}},
                                  {"selenoscope", program, {}}};
    bool ok = true;
    for (int round = -1; round < runs && ok; ++round) { // round -1 warms the caches
        for (Program& program : programs) {
            Run run;
            ok = ok && runOnce(program.path, run);
            if (round >= 0)
                program.runs.push_back(run);
        }
    }
    std::filesystem::remove_all(runtimeDir);
    if (!ok)
        return 1;

    std::printf("platform %s, %d runs each, medians\n", std::getenv("QT_QPA_PLATFORM"), runs);
    std::printf("%-16s %10s %10s\n", "", "wall ms", "peak MiB");
    std::vector<std::pair<double, double>> medians;
    for (const Program& program : programs) {
        std::vector<double> wall;
        std::vector<double> peak;
        for (const Run& run : program.runs) {
            wall.push_back(run.wallMs);
            peak.push_back(run.peakMiB);
        }
        medians.emplace_back(median(wall), median(peak));
        std::printf("%-16s %10.1f %10.1f\n", program.label, medians.back().first,
                    medians.back().second);
    }
    // The program against each yardstick: a window that draws nothing, and one
    // with a line of text and a menu bar, which pays the font system's set-up too.
    for (std::size_t yardstick : {0U, 1U}) {
        const double wallRatio = medians[2].first / medians[yardstick].first;
        const double peakRatio = medians[2].second / medians[yardstick].second;
        std::printf("ratio to %-16s %5.2f %10.2f%s\n", programs[yardstick].label, wallRatio,
                    peakRatio, yardstick == 1 ? "   (target at most 1.10)" : "");
    }
    return 0;
}
