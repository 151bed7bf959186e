// Tries the program's single-instance lock as a starting copy does and says
// what it got: "locked" (it then holds the lock until killed), "refused"
// (another copy runs) or "unguarded" (no lock could be had; the reason goes to
// standard error). Without an argument it uses the program's own lock path.
#include "shell/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const auto instance = argc > 1
                              ? std::make_unique<SingleInstance>(QString::fromLocal8Bit(argv[1]))
                              : std::make_unique<SingleInstance>();
    const LockOutcome lock = instance->acquire();
    switch (lock.state) {
    case LockOutcome::State::Held:
        std::puts("locked");
        break;
    case LockOutcome::State::AnotherCopyRuns:
        std::puts("refused");
        break;
    case LockOutcome::State::Unavailable:
        std::fprintf(stderr, "%s\n", qPrintable(lock.notice()));
        std::puts("unguarded");
        break;
    }
    std::fflush(stdout);
    return QCoreApplication::exec();
}
