#include "shell/SingleInstance.h"

#include "shell/UserLockFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using State = LockOutcome::State;

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

/// Why the lock file cannot be made at `path` when something other than a
/// file stands there; empty when nothing does.
QString obstacleAt(const QString& path)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("a folder stands in its place");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("a symbolic link stands in its place");
    return QStringLiteral("something other than a file stands in its place");
}

/// Closes a file descriptor when it goes out of scope.
class OpenFile
{
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

private:
    int fd_;
};

/// Who holds a lock file that already exists.
struct Holder
{
    enum class Kind {
        None,           ///< nobody: the file was stale and is gone now
        ThisUser,       ///< a live process of this user
        AnotherAccount, ///< a live process of another account
        Unknown,        ///< the file could not be tested or removed
    };
    Kind kind;
    QString reason; ///< Unknown only
};

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// Every holder keeps its lock file flock()ed for its whole run and the kernel
/// drops that lock when the process ends, however it ends. So a file nobody
/// has locked is stale whatever it says inside (garbage, nothing, another
/// machine's name, a pid now used by another program), and is removed here.
Holder removeUnlessHeld(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // Never follow a link nor wait on a pipe swapped in since the path was checked.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) // its holder ended meanwhile
            return {Holder::Kind::None, {}};
        return {Holder::Kind::Unknown, QStringLiteral("it could not be opened: ") + systemError()};
    }
    const OpenFile file(fd);
    struct stat opened = {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            return {Holder::Kind::Unknown,
                    QStringLiteral("its lock could not be tested: ") + systemError()};
        const bool ours = ::fstat(fd, &opened) == 0 && opened.st_uid == ::geteuid();
        return {ours ? Holder::Kind::ThisUser : Holder::Kind::AnotherAccount, {}};
    }
    // Remove only the file tested: a copy starting beside us may have put a new one there.
    struct stat there = {};
    const bool stillThere = ::fstat(fd, &opened) == 0 && ::lstat(name.constData(), &there) == 0 &&
                            sameFile(opened, there);
    if (stillThere && ::unlink(name.constData()) != 0 && errno != ENOENT)
        return {Holder::Kind::Unknown,
                QStringLiteral("a stale lock file could not be removed: ") + systemError()};
    return {Holder::Kind::None, {}};
}

LockFolder defaultFolder()
{
    return userLockFolder(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                          QDir::tempPath());
}

} // namespace

QString LockOutcome::notice() const
{
    return QStringLiteral("selenoscope: running without the single-copy guard: cannot lock %1: %2")
        .arg(path, reason);
}

SingleInstance::SingleInstance() : SingleInstance(defaultFolder()) {}

SingleInstance::SingleInstance(const LockFolder& folder)
    : SingleInstance(QDir(folder.path).filePath(QStringLiteral("selenoscope.lock")))
{
    folderProblem_ = folder.problem;
}

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath)
{
    // A running copy may hold the lock for days: only the holder's end makes it stale.
    lock_.setStaleLockTime(0);
}

LockOutcome SingleInstance::acquire()
{
    if (!folderProblem_.isEmpty())
        return outcome(State::Unavailable, folderProblem_);
    if (lock_.isLocked())
        return outcome(State::Held);
    if (const QString obstacle = obstacleAt(lock_.fileName()); !obstacle.isEmpty())
        return outcome(State::Unavailable, obstacle);

    // Each round either settles it or clears a stale file; copies starting at
    // the same moment may take a round or two from each other.
    constexpr int kRounds = 3;
    for (int round = 0; round < kRounds; ++round) {
        if (lock_.tryLock(0))
            return outcome(State::Held);
        if (lock_.error() == QLockFile::PermissionError)
            return outcome(State::Unavailable,
                           QStringLiteral("its folder is read-only or not writable by this user"));
        if (lock_.error() != QLockFile::LockFailedError)
            return outcome(State::Unavailable,
                           QStringLiteral("the lock file could not be created or written"));

        const Holder holder = removeUnlessHeld(lock_.fileName());
        switch (holder.kind) {
        case Holder::Kind::ThisUser:
            return outcome(State::AnotherCopyRuns);
        case Holder::Kind::AnotherAccount:
            return outcome(State::Unavailable,
                           QStringLiteral("a program of another account holds it"));
        case Holder::Kind::Unknown:
            return outcome(State::Unavailable, holder.reason);
        case Holder::Kind::None:
            break;
        }
    }
    return outcome(State::Unavailable, QStringLiteral("it kept changing hands"));
}

LockOutcome SingleInstance::outcome(LockOutcome::State state, const QString& reason) const
{
    return {state, lock_.fileName(), reason};
}
