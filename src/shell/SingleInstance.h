#pragma once

#include <QLockFile>
#include <QString>

/// Refuses a second running copy: the first copy holds a lock file for its
/// whole run. A lock left by a copy that was killed is recognised as stale.
class SingleInstance
{
public:
    /// The lock in the user's runtime directory (the temp directory when there is none).
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    /// True when this process now holds the lock (or already did).
    bool acquire();

    static QString defaultLockPath();

private:
    QLockFile lock_;
};
