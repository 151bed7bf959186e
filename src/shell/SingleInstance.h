#pragma once

#include <QLockFile>
#include <QString>

struct LockFolder;

/// What an attempt to take the single-instance lock found.
struct LockOutcome
{
    enum class State {
        Held,            ///< this process holds the lock
        AnotherCopyRuns, ///< a live copy run by this user on this machine holds it
        Unavailable,     ///< no lock could be had: the program runs unguarded
    };

    State state = State::Unavailable;
    QString path;   ///< the lock file
    QString reason; ///< why no lock could be had (Unavailable only)

    /// The line for standard error when the program runs unguarded.
    [[nodiscard]] QString notice() const;
};

/// Refuses a second running copy: the first copy holds a lock file for its
/// whole run. Only a live process on this machine that holds the file locked
/// counts; a lock file left by anything else (a killed copy, another machine,
/// garbage after a power loss) is stale and taken over.
class SingleInstance
{
public:
    /// The lock in a folder of the user's own (see userLockFolder()).
    SingleInstance();
    explicit SingleInstance(const QString& lockPath);

    /// Takes the lock, or says who holds it or why none could be had.
    [[nodiscard]] LockOutcome acquire();

private:
    explicit SingleInstance(const LockFolder& folder);
    [[nodiscard]] LockOutcome outcome(LockOutcome::State state, const QString& reason = {}) const;

    QLockFile lock_;
    QString folderProblem_;
};
