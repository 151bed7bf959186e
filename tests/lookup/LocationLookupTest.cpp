#include "lookup/LocationLookup.h"

#include "FakeSearchEngine.h"
#include "support/RecordingServices.h"
#include "support/WebEngineTestMain.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

namespace {

constexpr int kPageTimeoutMs = 15000;

bool webEngineMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngine");
}

QList<QWidget*> browserWindows()
{
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmBrowser"))
            windows.append(widget);
    }
    return windows;
}

LocationQuery placeQuery(const QString& city)
{
    return {true, city, QStringLiteral("Maharashtra"), QStringLiteral("India")};
}

} // namespace

/// The lookup command as the program runs it: the browser comes from its component.
class LocationLookupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // Runs first: once the component has loaded it stays loaded.
    void componentThatCannotLoadIsReported();
    void opensAFreshWindowEachTime();

private:
    FakeSearchEngine engine_;
};

void LocationLookupTest::initTestCase()
{
    locationBrowserSetup().searchAction = engine_.url(QStringLiteral("/search"));
}

void LocationLookupTest::componentThatCannotLoadIsReported()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString broken = dir.filePath(QStringLiteral("libselenoscope_browser.so"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();

    const QStringList installed = locationBrowserSetup().pluginFiles;
    locationBrowserSetup().pluginFiles = {dir.filePath(QStringLiteral("missing.so")), broken};
    RecordingServices services;
    OpenLocationBrowser(placeQuery(QStringLiteral("Pune")));
    locationBrowserSetup().pluginFiles = installed;

    QCOMPARE(services.messages.size(), 1);
    QCOMPARE(services.messages.first().icon, QMessageBox::Warning);
    QCOMPARE(services.messages.first().text,
             QStringLiteral("The location lookup is not available: its web browser component "
                            "could not be loaded. Please look up the latitude and longitude "
                            "elsewhere and type them in."));
    QVERIFY(browserWindows().isEmpty());
    QCOMPARE(engine_.requests.size(), 0);
}

void LocationLookupTest::opensAFreshWindowEachTime()
{
    RecordingServices services;
    QVERIFY2(!webEngineMapped(), "the test itself must not bring the web engine in");

    OpenLocationBrowser(placeQuery(QStringLiteral("Pune")));
    QCOMPARE(browserWindows().size(), 1);
    QPointer<QWidget> first = browserWindows().first();
    QVERIFY(first->isVisible());
    QCOMPARE(first->windowModality(), Qt::NonModal);
    QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), QStringLiteral("Search results"),
                              kPageTimeoutMs);
    QVERIFY(webEngineMapped());

    OpenLocationBrowser(placeQuery(QStringLiteral("Nagpur")));
    QTRY_VERIFY(first.isNull());
    QCOMPARE(browserWindows().size(), 1);
    QWidget* second = browserWindows().first();
    QVERIFY(second->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(second->windowTitle(), QStringLiteral("Search results"),
                              kPageTimeoutMs);

    // Each window submits its own query once.
    QCOMPARE(engine_.hits("/search"), 2);
    const auto fields = FakeSearchEngine::formFields(engine_.lastRequest("/search").query);
    QCOMPARE(fields.value(0).second, QStringLiteral("Latitude Longitude Nagpur Maharashtra India"));
    QVERIFY(services.messages.isEmpty());
    delete second;
}

WEBENGINE_TEST_MAIN(LocationLookupTest)

#include "LocationLookupTest.moc"
