#include "lookup/LocationLookup.h"
#include "support/RecordingServices.h"
#include "support/WebEngineTestMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <QtTest>

namespace {

/// The files of the browser component this process has mapped.
QStringList mappedComponents()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    QStringList files;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype path = line.indexOf('/');
        if (path >= 0 && line.contains("libselenoscope_browser"))
            files.append(QString::fromLocal8Bit(line.mid(path)));
    }
    files.removeDuplicates();
    return files;
}

} // namespace

/// Run from the bin folder of an installed tree: the lookup finds the browser
/// component where the installation put it.
class InstalledLookupTest : public QObject
{
    Q_OBJECT

private slots:
    void findsTheInstalledComponent();
};

void InstalledLookupTest::findsTheInstalledComponent()
{
    // Nowhere to go: the search itself is not what this is about.
    locationBrowserSetup().searchAction = QUrl(QStringLiteral("http://127.0.0.1:1/search"));
    RecordingServices services;

    OpenLocationBrowser(
        {true, QStringLiteral("Pune"), QStringLiteral("Maharashtra"), QStringLiteral("India")});

    for (const RecordingServices::Message& message : services.messages)
        qWarning("message: %s", qPrintable(message.text));
    QVERIFY(services.messages.isEmpty());
    QPointer<QWidget> browser;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("frmBrowser"))
            browser = window;
    }
    QVERIFY(browser != nullptr);
    QVERIFY(browser->isVisible());

    const QStringList components = mappedComponents();
    QCOMPARE(components.size(), 1);
    const QString prefix = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/..") + '/';
    QVERIFY2(components.first().startsWith(prefix), qPrintable(components.first()));
    delete browser;
}

WEBENGINE_TEST_MAIN(InstalledLookupTest)

#include "InstalledLookupTest.moc"
