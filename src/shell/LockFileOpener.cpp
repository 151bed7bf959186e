#include "shell/LockFileOpener.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kOpenFlags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
constexpr mode_t kLockFileMode = 0600;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

/// Why the lock file cannot be made at `name` when something other than a file
/// stands there; empty when nothing does.
QString obstacleAt(const QByteArray& name)
{
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("a folder stands in its place");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("a symbolic link stands in its place");
    return QStringLiteral("something other than a file stands in its place");
}

bool fileStandsAt(const QByteArray& name, struct stat& info)
{
    return ::lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

/// Holds an exclusive lock on a folder while replacing a file in it. Waits a little
/// for another copy that is replacing the same file.
class FolderLock
{
public:
    explicit FolderLock(const QByteArray& folder)
        : fd_(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        constexpr int kTries = 200; // 2 s: replacing takes a few system calls
        for (int i = 0; fd_ >= 0 && i < kTries; ++i) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                locked_ = true;
                return;
            }
            if (errno != EWOULDBLOCK)
                break;
            ::usleep(10000);
        }
        error_ = errno;
    }
    ~FolderLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    [[nodiscard]] bool locked() const { return locked_; }
    [[nodiscard]] int error() const { return error_; }

private:
    int fd_;
    bool locked_ = false;
    int error_ = 0;
};

/// Replaces the file at `name` that this user cannot open (see openLockFile).
OpenedLockFile replaceUnopenable(const QByteArray& name, const QByteArray& folder)
{
    const FolderLock lock(folder);
    if (!lock.locked())
        return {-1, QStringLiteral("a lock file this user cannot open is in its place, and its "
                                   "folder could not be locked to replace it: ") +
                        systemError(lock.error())};
    // Another copy may have replaced it meanwhile: look again, under the lock.
    int fd = ::open(name.constData(), kOpenFlags);
    if (fd >= 0 || (errno != EACCES && errno != EPERM))
        return {fd, {}}; // opened, or gone: the caller makes it
    struct stat info = {};
    if (!fileStandsAt(name, info))
        return {-1, {}};
    if (info.st_uid == ::geteuid()) {
        // Ours, with a mode that locks us out: a copy of ours may hold it, so it stays.
        if (::chmod(name.constData(), kLockFileMode) != 0)
            return {-1, QStringLiteral("it cannot be opened, and could not be made readable: ") +
                            systemError(errno)};
    } else if (::unlink(name.constData()) != 0 && errno != ENOENT) {
        return {-1, QStringLiteral("a stale lock file of another account is in its place and "
                                   "could not be replaced: ") +
                        systemError(errno)};
    }
    fd = ::open(name.constData(), kOpenFlags | O_CREAT, kLockFileMode);
    return {fd, fd < 0
                    ? QStringLiteral("the lock file could not be made again: ") + systemError(errno)
                    : QString()};
}

QString openProblem(int error)
{
    if (error == EACCES || error == EPERM || error == EROFS)
        return QStringLiteral("its folder is read-only or not writable by this user");
    if (error == ELOOP) // put there since it was looked at
        return QStringLiteral("a symbolic link stands in its place");
    return QStringLiteral("the lock file could not be created or opened: ") + systemError(error);
}

} // namespace

OpenedLockFile openLockFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (const QString obstacle = obstacleAt(name); !obstacle.isEmpty())
        return {-1, obstacle};
    // Never O_EXCL and never removed: every copy opens the one file there, and only
    // the lock decides.
    int fd = ::open(name.constData(), kOpenFlags | O_CREAT, kLockFileMode);
    struct stat info = {};
    if (fd < 0 && (errno == EACCES || errno == EPERM) && fileStandsAt(name, info)) {
        OpenedLockFile replaced =
            replaceUnopenable(name, QFile::encodeName(QFileInfo(path).absolutePath()));
        if (!replaced.problem.isEmpty())
            return replaced;
        fd = replaced.fd >= 0 ? replaced.fd
                              : ::open(name.constData(), kOpenFlags | O_CREAT, kLockFileMode);
    }
    if (fd < 0)
        return {-1, openProblem(errno)};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {-1, QStringLiteral("something other than a file stands in its place")};
    }
    return {fd, {}};
}
