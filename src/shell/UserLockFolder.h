#pragma once

#include <QString>

/// The folder that holds this user's single-instance lock.
struct LockFolder
{
    QString path;
    QString problem; ///< why the folder cannot be used; empty when it can
};

/// The user's runtime folder `runtimeDir` when there is one (the platform has
/// checked that it is the user's own); otherwise "selenoscope-<uid>" inside
/// `tempDir`, created with mode 0700 and used only when this user owns it, so
/// that no other account can plant or hold the lock.
LockFolder userLockFolder(const QString& runtimeDir, const QString& tempDir);
