#include "shell/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance() : SingleInstance(defaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath)
{
    // A running copy may hold the lock for days; only a dead holder makes it stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return lock_.isLocked() || lock_.tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("selenoscope.lock"));
}
