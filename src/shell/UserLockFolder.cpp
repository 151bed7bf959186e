#include "shell/UserLockFolder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

LockFolder userLockFolder(const QString& runtimeDir, const QString& tempDir)
{
    if (!runtimeDir.isEmpty())
        return {runtimeDir, {}};

    const uid_t uid = ::geteuid();
    const QString path = QDir(tempDir).filePath(QStringLiteral("selenoscope-%1").arg(uid));
    const QByteArray name = QFile::encodeName(path);
    const auto failed = [&path](const char* what) {
        return LockFolder{path, QStringLiteral("no runtime folder, and %1 %2: %3")
                                    .arg(path, QLatin1String(what),
                                         QString::fromLocal8Bit(std::strerror(errno)))};
    };
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return failed("could not be created");
    // lstat, not stat: a symbolic link planted under this name is not our folder.
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0)
        return failed("could not be examined");
    if (!S_ISDIR(info.st_mode))
        return {path, QStringLiteral("no runtime folder, and %1 is not a folder").arg(path)};
    if (info.st_uid != uid)
        return {path,
                QStringLiteral("no runtime folder, and %1 belongs to another account").arg(path)};
    // Ours, but others could plant files in it while it is open to them.
    if ((info.st_mode & 077) != 0 && ::chmod(name.constData(), 0700) != 0)
        return failed("could not be made private");
    return {path, {}};
}
