#include "LockStage.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <algorithm>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kOtherAccount = 65534; // nobody

bool runAsRoot()
{
    return ::geteuid() == 0;
}

/// A lock record as a holder writes it: pid, program, host name, host id, boot id.
QByteArray record(qint64 pid, const QByteArray& host = QSysInfo::machineHostName().toUtf8(),
                  const QByteArray& hostId = QSysInfo::machineUniqueId())
{
    return QByteArray::number(pid) + "\nlock_holder\n" + host + '\n' + hostId + '\n' +
           QSysInfo::bootUniqueId() + '\n';
}

QByteArray anotherMachinesRecord()
{
    return record(4242, "elsewhere.example", "0123456789abcdef");
}

const QByteArray kGarbage = "\x7f\x01 not a lock record\n";

bool write(const QString& path, const QByteArray& content)
{
    QFile file(path); // rewritten in place: a holder keeps its lock on the same file
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

bool giveToAnotherAccount(const QString& path)
{
    return ::chown(QFile::encodeName(path).constData(), kOtherAccount, kOtherAccount) == 0;
}

bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

/// Starts lock_holder, as another account when asked (this run is root then).
void startLockHolder(QProcess& process, const QStringList& arguments, bool asAnotherAccount)
{
    const QString holder = QStringLiteral(LOCK_HOLDER_PATH);
    if (!asAnotherAccount) {
        process.start(holder, arguments);
        return;
    }
    process.start(QStringLiteral("setpriv"),
                  QStringList{QStringLiteral("--reuid=%1").arg(kOtherAccount),
                              QStringLiteral("--regid=%1").arg(kOtherAccount),
                              QStringLiteral("--clear-groups"), holder} +
                      arguments);
}

qint64 pidOfAnEndedProcess()
{
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    const qint64 pid = ended.waitForStarted() ? ended.processId() : 0;
    ended.waitForFinished();
    return pid;
}

} // namespace

LockStage::LockStage() : lockPath_(path(QStringLiteral("selenoscope.lock")))
{
    setMode(dir_.path(), 01777); // open to every account, as the temp folder is
}

LockStage::~LockStage()
{
    if (copy_.state() != QProcess::NotRunning)
        endCopy();
    paused_.kill();
    paused_.waitForFinished();
    for (const auto& holder : holders_) {
        holder->kill();
        holder->waitForFinished();
    }
    if (!readOnlyFolder_.isEmpty()) // so that the folder can be removed
        setMode(readOnlyFolder_, 0700);
}

bool LockStage::canStage(LockScene scene)
{
    switch (scene) {
    case LockScene::CopyOfAnotherAccount:
    case LockScene::UnopenableStaleLockOfAnotherAccount:
    case LockScene::AnotherAccountsCopyUnderTheSharedName:
    case LockScene::PrivateFolderOfAnotherAccount:
        return runAsRoot() && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
    default:
        return true;
    }
}

bool LockStage::stage(LockScene scene)
{
    switch (scene) {
    case LockScene::LiveCopy:
        return holderLocked(lockPath_, false);
    case LockScene::LiveCopyWhoseRecordNamesAnotherMachine:
        return holderLocked(lockPath_, false) && write(lockPath_, anotherMachinesRecord());
    case LockScene::RecordOfACopyHoldingAnotherLock:
        return holderLocked(path(QStringLiteral("other.lock")), false) &&
               write(lockPath_, record(holders_.back()->processId()));
    case LockScene::GarbageThreeDaysOld: {
        QFile file(lockPath_);
        return file.open(QIODevice::WriteOnly) && file.write(kGarbage) > 0 && file.flush() &&
               file.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                QFileDevice::FileModificationTime);
    }
    case LockScene::EmptyFile:
        return write(lockPath_, {});
    case LockScene::AnotherMachinesLock:
        return write(lockPath_, anotherMachinesRecord());
    case LockScene::PidNowUsedByAnotherProgram: // this test's own process
        return write(lockPath_, record(QCoreApplication::applicationPid()));
    case LockScene::DeadPid: {
        const qint64 pid = pidOfAnEndedProcess();
        return pid > 0 && write(lockPath_, record(pid));
    }
    case LockScene::FolderInTheWay:
        return QDir().mkdir(lockPath_);
    case LockScene::DanglingLink:
        return QFile::link(path(QStringLiteral("nowhere")), lockPath_);
    case LockScene::NamedPipeInTheWay:
        return ::mkfifo(QFile::encodeName(lockPath_).constData(), 0600) == 0;
    case LockScene::ReadOnlyFolder:
        lockPath_ = makeReadOnlyFolder({});
        return !lockPath_.isEmpty();
    case LockScene::StaleLockInReadOnlyFolder:
        lockPath_ = makeReadOnlyFolder(kGarbage);
        return !lockPath_.isEmpty();
    case LockScene::CopyOfAnotherAccount:
        return holderLocked(lockPath_, true);
    case LockScene::NoLockFileYet:
        return true;
    case LockScene::UnopenableStaleLockOfAnotherAccount: {
        // Root's file, mode 0600, in the folder of the account the copies run as.
        const QString folder = path(QStringLiteral("own"));
        lockPath_ = folder + QStringLiteral("/selenoscope.lock");
        unprivileged_ = true;
        return QDir().mkdir(folder) && write(lockPath_, kGarbage) && setMode(lockPath_, 0600) &&
               setMode(folder, 0700) && giveToAnotherAccount(folder);
    }
    case LockScene::GarbagePlantedUnderTheSharedName:
        useTheDefaultPlace();
        return write(path(QStringLiteral("selenoscope.lock")), kGarbage);
    case LockScene::AnotherAccountsCopyUnderTheSharedName:
        useTheDefaultPlace();
        return holderLocked(path(QStringLiteral("selenoscope.lock")), true);
    case LockScene::PrivateFolderOfAnotherAccount:
        useTheDefaultPlace();
        return QDir().mkdir(QFileInfo(lockPath_).path()) &&
               giveToAnotherAccount(QFileInfo(lockPath_).path());
    case LockScene::LinkInPlaceOfThePrivateFolder:
        useTheDefaultPlace();
        return QDir().mkdir(path(QStringLiteral("elsewhere"))) &&
               QFile::link(path(QStringLiteral("elsewhere")), QFileInfo(lockPath_).path());
    }
    return false;
}

QByteArray LockStage::startCopy()
{
    if (defaultPlace_) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        environment.insert(QStringLiteral("TMPDIR"), dir_.path());
        copy_.setProcessEnvironment(environment);
    }
    const QStringList lockArgument = defaultPlace_ ? QStringList() : QStringList{lockPath_};
    // Root passes every permission check: the copy then runs as another account.
    startLockHolder(copy_, lockArgument, unprivileged_ && runAsRoot());
    if (!copy_.waitForReadyRead(10000))
        return "no answer";
    return copy_.readLine().trimmed();
}

bool LockStage::startPausedCopy()
{
    const QString release = path(QStringLiteral("go"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(PAUSE_FLOCK_PATH));
    environment.insert(QStringLiteral("PAUSE_FLOCK_UNDER"), QDir(dir_.path()).canonicalPath());
    environment.insert(QStringLiteral("PAUSE_FLOCK_RELEASE"), release);
    // Under the sanitizers the preloaded library comes before their runtime.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       sanitizer + (sanitizer.isEmpty() ? "" : ":") +
                           QStringLiteral("verify_asan_link_order=0"));
    paused_.setProcessEnvironment(environment);
    startLockHolder(paused_, {lockPath_}, unprivileged_ && runAsRoot());
    const QString reached = release + QStringLiteral(".reached");
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(reached) && !deadline.hasExpired()) {
        // A copy that ends, or never started, comes to no lock.
        if (paused_.state() == QProcess::NotRunning || paused_.waitForFinished(10))
            break;
    }
    return QFile::exists(reached);
}

QByteArray LockStage::releasePausedCopy()
{
    write(path(QStringLiteral("go")), {});
    if (!paused_.waitForReadyRead(10000))
        return "no answer";
    return paused_.readLine().trimmed();
}

QByteArray LockStage::endCopy()
{
    copy_.kill();
    copy_.waitForFinished();
    return copy_.readAllStandardError();
}

bool LockStage::holdersStillRun() const
{
    return std::all_of(holders_.begin(), holders_.end(),
                       [](const auto& holder) { return holder->state() == QProcess::Running; });
}

bool LockStage::holderLocked(const QString& lockPath, bool asAnotherAccount)
{
    QProcess& holder = *holders_.emplace_back(std::make_unique<QProcess>());
    startLockHolder(holder, {lockPath}, asAnotherAccount);
    return holder.waitForReadyRead(10000) && holder.readLine().trimmed() == "locked";
}

void LockStage::useTheDefaultPlace()
{
    defaultPlace_ = true;
    lockPath_ = path(QStringLiteral("selenoscope-%1/selenoscope.lock").arg(::geteuid()));
    // The platform finds no runtime folder: a file stands where it would make one.
    write(
        path(QStringLiteral("runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)),
        {});
}

QString LockStage::makeReadOnlyFolder(const QByteArray& content)
{
    readOnlyFolder_ = path(QStringLiteral("read-only"));
    const QString lockPath = readOnlyFolder_ + QStringLiteral("/selenoscope.lock");
    unprivileged_ = true;
    if (!QDir().mkdir(readOnlyFolder_) || (!content.isEmpty() && !write(lockPath, content)))
        return {};
    return setMode(readOnlyFolder_, 0555) ? lockPath : QString();
}
