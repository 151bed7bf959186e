#pragma once

#include <QMetaType>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

/// What a starting copy finds where its lock belongs.
enum class LockScene {
    LiveCopy,
    LiveCopyWhoseRecordNamesAnotherMachine, // the host was renamed while it ran
    RecordOfACopyHoldingAnotherLock,
    GarbageThreeDaysOld,
    EmptyFile,
    AnotherMachinesLock,
    PidNowUsedByAnotherProgram,
    DeadPid,
    FolderInTheWay,
    DanglingLink,
    NamedPipeInTheWay,
    ReadOnlyFolder,
    StaleLockInReadOnlyFolder,
    CopyOfAnotherAccount,
    NoLockFileYet,
    // In a folder of the copy's own, a lock file of another account it cannot open.
    UnopenableStaleLockOfAnotherAccount,
    // No runtime folder: the lock goes to the temp folder.
    GarbagePlantedUnderTheSharedName,
    AnotherAccountsCopyUnderTheSharedName,
    PrivateFolderOfAnotherAccount,
    LinkInPlaceOfThePrivateFolder,
};
Q_DECLARE_METATYPE(LockScene)

/// A temporary folder laid out as one LockScene, the lock holders it started,
/// and a copy started into it as the program starts (see lock_holder).
class LockStage
{
public:
    LockStage();
    ~LockStage();
    LockStage(const LockStage&) = delete;
    LockStage& operator=(const LockStage&) = delete;

    /// Whether this run can stage the scene: some need a second account.
    static bool canStage(LockScene scene);
    bool stage(LockScene scene);

    /// The copy's first line: "locked", "refused" or "unguarded".
    QByteArray startCopy();
    /// What the copy wrote on standard error, once it is ended.
    QByteArray endCopy();
    /// Starts a first copy that stops just before it first locks anything in the
    /// stage (see pause_flock); true once it stands there.
    bool startPausedCopy();
    /// Lets the paused copy go on; its first line, as startCopy() gives it.
    QByteArray releasePausedCopy();
    /// Where the copy's lock is, or would be.
    QString lockPath() const { return lockPath_; }
    bool holdersStillRun() const;

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    bool holderLocked(const QString& lockPath, bool asAnotherAccount);
    void useTheDefaultPlace();
    QString makeReadOnlyFolder(const QByteArray& content);

    QTemporaryDir dir_;
    QString lockPath_;
    QString readOnlyFolder_;
    bool defaultPlace_ = false;
    bool unprivileged_ = false;
    std::vector<std::unique_ptr<QProcess>> holders_;
    QProcess copy_;
    QProcess paused_;
};
