#include "CliRun.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace cli_test {
namespace {

/// The test program's scratch folder, removed when it ends.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "cli_test_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

const ScratchFolder& Scratch()
{
    static const ScratchFolder folder;
    return folder;
}

} // namespace

std::string TempFile(const std::string& name)
{
    return (Scratch().Path() / name).string();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

bool CanRunUnprivileged()
{
    return !RunningAsRoot() || ::access("/usr/bin/setpriv", X_OK) == 0;
}

CliResult RunCli(const std::vector<std::string>& arguments, const std::string& input,
                 const RunOptions& options)
{
    // Files rather than pipes: no deadlock whatever the sizes.
    static int run = 0;
    const std::string stem = TempFile("run" + std::to_string(++run));
    WriteFile(stem + ".in", input);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, (stem + ".in").c_str(), O_RDONLY, 0);
    switch (options.output) {
    case Output::File:
        posix_spawn_file_actions_addopen(&actions, 1, (stem + ".out").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        break;
    case Output::Full:
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
        break;
    case Output::Closed:
        posix_spawn_file_actions_addclose(&actions, 1);
        break;
    }
    posix_spawn_file_actions_addopen(&actions, 2, (stem + ".err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // The files are opened before the tool starts, as this account; the tool then runs
    // as the other one.
    std::vector<std::string> all;
    if (options.unprivileged && RunningAsRoot())
        all = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    all.emplace_back(SELENOSCOPE_CLI);
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    CliResult result;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start " SELENOSCOPE_CLI);
    // A hang is a fault to report, not a reason to stop the whole test program.
    int status = 0;
    constexpr int kMostWaits = 6000; // a minute in 10 ms steps
    int waits = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (++waits == kMostWaits) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        ::usleep(10000);
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(stem + ".out");
    result.err = ReadFile(stem + ".err");
    return result;
}

} // namespace cli_test
