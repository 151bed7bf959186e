#pragma once

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

/// Refuses a second running copy: the first copy holds a lock file locked
/// (flock) for its whole run, and the kernel drops that lock when the process
/// ends, however it ends. A lock file nobody holds is simply locked by the next
/// copy, whatever it says inside; it is never removed, so that two copies
/// starting together always lock the same file and only one of them runs.
class SingleInstance
{
public:
    /// The lock in a folder of the user's own (see userLockFolder()).
    SingleInstance();
    explicit SingleInstance(QString lockPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the lock, or says who holds it or why none could be had.
    [[nodiscard]] LockOutcome acquire();

private:
    explicit SingleInstance(const LockFolder& folder);
    [[nodiscard]] LockOutcome outcome(LockOutcome::State state, const QString& reason = {}) const;

    QString path_;
    QString folderProblem_;
    int fd_ = -1; ///< the lock file, locked, while held
};
