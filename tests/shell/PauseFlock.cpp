// Preloaded into a starting copy (LD_PRELOAD), holds its first flock() on anything in
// a test's folder until the test says go: the moment between making the lock file and
// locking it, or before replacing one, stretched so that a second copy starts inside.
//   PAUSE_FLOCK_UNDER    the folder whose files and folders are paused on
//   PAUSE_FLOCK_RELEASE  a file: PAUSE_FLOCK_RELEASE.reached is made on pausing, and
//                        the call goes on once the file itself exists (at most 30 s)
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

bool refersUnder(int fd, const std::string& folder)
{
    char target[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    return length > 0 && std::string(target, static_cast<std::size_t>(length)).starts_with(folder);
}

void pause(const std::string& release)
{
    const int reached =
        ::open((release + ".reached").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (reached >= 0)
        ::close(reached);
    for (int waited = 0; waited < 3000 && ::access(release.c_str(), F_OK) != 0; ++waited)
        ::usleep(10000);
}

} // namespace

extern "C" int flock(int fd, int operation) noexcept
{
    using Flock = int (*)(int, int);
    static const auto real = reinterpret_cast<Flock>(::dlsym(RTLD_NEXT, "flock"));
    static bool paused = false;
    const char* under = std::getenv("PAUSE_FLOCK_UNDER");
    const char* release = std::getenv("PAUSE_FLOCK_RELEASE");
    if (!paused && under != nullptr && release != nullptr && refersUnder(fd, under)) {
        paused = true;
        pause(release);
    }
    return real(fd, operation);
}
