#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray readProc(qint64 pid, const char* entry)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(entry)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// User plus system time the process has used so far, in clock ticks.
qint64 cpuTicks(qint64 pid)
{
    const QByteArray stat = readProc(pid, "stat");
    // The fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLongLong() + fields.value(12).toLongLong();
}

} // namespace

/// Starts the real program and looks at it from outside.
class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithoutTheWebEngine();
};

void StartupTest::startsWithoutTheWebEngine()
{
    QTemporaryDir runtimeDir; // its own single-instance lock
    QVERIFY(runtimeDir.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());

    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(SELENOSCOPE_EXECUTABLE), {});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    const qint64 pid = program.processId();

    // Up when the widgets library is in and the program has gone quiet.
    QTRY_VERIFY_WITH_TIMEOUT(readProc(pid, "maps").contains("libQt6Widgets"), 10000);
    QTest::qWait(1000);
    qint64 ticks = cpuTicks(pid);
    for (int quietRounds = 0, round = 0; quietRounds < 2 && round < 50; ++round) {
        QTest::qWait(200);
        const qint64 now = cpuTicks(pid);
        quietRounds = now == ticks ? quietRounds + 1 : 0;
        ticks = now;
    }
    QCOMPARE(program.state(), QProcess::Running);

    const QByteArray maps = readProc(pid, "maps");
    QVERIFY(maps.contains("libQt6Widgets"));
    QVERIFY2(!maps.contains("WebEngine"), "the web engine was loaded at start-up");

    program.kill();
    QVERIFY(program.waitForFinished());
}

QTEST_GUILESS_MAIN(StartupTest)
#include "StartupTest.moc"
