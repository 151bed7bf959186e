#pragma once

#include <QString>

/// The single-instance lock file, opened for locking, or why it cannot be.
struct OpenedLockFile
{
    int fd = -1;     ///< open for reading and writing; -1 when it could not be opened
    QString problem; ///< why not, in words
};

/// Opens the lock file at `path`, making it when there is none, never through a
/// symbolic link nor by waiting on a named pipe. A file there that this user cannot
/// open is replaced when the folder lets this user do it: a file of another account
/// is no lock of this user's copies; a file of this user's is made readable again.
/// Replacing is done under a lock on the folder, so that copies starting together
/// replace it once and then meet at the same new file.
OpenedLockFile openLockFile(const QString& path);
