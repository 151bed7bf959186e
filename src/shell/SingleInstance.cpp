#include "shell/SingleInstance.h"

#include "shell/LockFileOpener.h"
#include "shell/UserLockFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

using State = LockOutcome::State;

LockFolder defaultFolder()
{
    return userLockFolder(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                          QDir::tempPath());
}

/// The holder's process id, for whoever looks into the file. The lock is what counts:
/// a record that cannot be written changes nothing.
void writeRecord(int fd)
{
    const QByteArray record = QByteArray::number(::getpid()) + '\n';
    if (::ftruncate(fd, 0) != 0)
        return;
    [[maybe_unused]] const ssize_t written = ::pwrite(fd, record.constData(), record.size(), 0);
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

SingleInstance::SingleInstance(QString lockPath) : path_(std::move(lockPath)) {}

SingleInstance::~SingleInstance()
{
    // Closing drops the lock; the file stays for the next copy to lock.
    if (fd_ >= 0)
        ::close(fd_);
}

LockOutcome SingleInstance::acquire()
{
    if (!folderProblem_.isEmpty())
        return outcome(State::Unavailable, folderProblem_);
    if (fd_ >= 0)
        return outcome(State::Held);

    OpenedLockFile opened = openLockFile(path_);
    if (opened.fd < 0)
        return outcome(State::Unavailable, opened.problem);
    if (::flock(opened.fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = opened.fd;
        writeRecord(fd_);
        return outcome(State::Held);
    }
    const int error = errno;
    struct stat info = {};
    const bool ours = ::fstat(opened.fd, &info) == 0 && info.st_uid == ::geteuid();
    ::close(opened.fd);
    if (error != EWOULDBLOCK)
        return outcome(State::Unavailable, QStringLiteral("its lock could not be taken: ") +
                                               QString::fromLocal8Bit(std::strerror(error)));
    if (!ours)
        return outcome(State::Unavailable, QStringLiteral("a program of another account holds it"));
    return outcome(State::AnotherCopyRuns);
}

LockOutcome SingleInstance::outcome(LockOutcome::State state, const QString& reason) const
{
    return {state, path_, reason};
}
