#include "lookup/frmBrowser.h"

#include "FakeSearchEngine.h"
#include "lookup/LocationLookup.h"
#include "support/WebEngineTestMain.h"
#include "support/WindowControls.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QWebEngineView>
#include <QtTest>

namespace {

using Fields = QList<QPair<QString, QString>>;

const QString kPune = QStringLiteral("Pune");
const QString kHostileCity = QStringLiteral("O'Brien \"x\" </script> Zürich");
constexpr int kPageTimeoutMs = 15000;
/// Long enough for a second, unwanted request to reach the server.
constexpr int kSettleMs = 400;

/// The browser window's named controls.
struct BrowserControls
{
    explicit BrowserControls(const QWidget& w)
        : tbToolBar(named<QToolBar>(w, "tbToolBar")), Picture1(named<QWidget>(w, "Picture1")),
          Label1(named<QLabel>(w, "Label1")), cboAddress(named<QComboBox>(w, "cboAddress")),
          brwWebBrowser(named<QWebEngineView>(w, "brwWebBrowser")),
          timTimer(named<QTimer>(w, "timTimer"))
    {
    }

    QToolBar* tbToolBar;
    QWidget* Picture1;
    QLabel* Label1;
    QComboBox* cboAddress;
    QWebEngineView* brwWebBrowser;
    QTimer* timTimer;
};

} // namespace

class frmBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void submitsTheSearchOnce_data();
    void submitsTheSearchOnce();
    void addressListKeepsEachAddressOnceNewestFirst();
    void refreshOrReturningToTheBlankPageDoesNotSubmitAgain();
    void toolbarNavigates_data();
    void toolbarNavigates();
    void captionShowsWorkingDuringToolbarNavigation();
    void stopSwitchesTheIndicatorOffAtOnce();
    void toolbarButtonsStayClearOfTheLabels();

private:
    frmBrowser* openBrowser(const LocationQuery& query);
    frmBrowser* openAtResults();
    void waitForTitle(const QString& title);
    void typeInAddressBox(const QString& text);
    void typeAddress(const QString& path);
    void clickButton(const char* key);
    QStringList addressList() const;
    QString address(const QString& path) const { return engine_->url(path).toString(); }

    std::unique_ptr<FakeSearchEngine> engine_;
    QPointer<frmBrowser> window_;
    std::unique_ptr<BrowserControls> ui_;
};

frmBrowser* frmBrowserTest::openBrowser(const LocationQuery& query)
{
    window_ = new frmBrowser(query, engine_->url(QStringLiteral("/search")));
    ui_ = std::make_unique<BrowserControls>(*window_);
    window_->load();
    return window_;
}

frmBrowser* frmBrowserTest::openAtResults()
{
    openBrowser({true, kPune, QStringLiteral("Maharashtra"), QStringLiteral("India")});
    waitForTitle(QStringLiteral("Search results"));
    return window_;
}

void frmBrowserTest::waitForTitle(const QString& title)
{
    QTRY_COMPARE_WITH_TIMEOUT(window_->windowTitle(), title, kPageTimeoutMs);
}

void frmBrowserTest::typeInAddressBox(const QString& text)
{
    ui_->cboAddress->lineEdit()->clear();
    QTest::keyClicks(ui_->cboAddress, text);
    QTest::keyClick(ui_->cboAddress, Qt::Key_Return);
}

void frmBrowserTest::typeAddress(const QString& path)
{
    typeInAddressBox(address(path));
}

void frmBrowserTest::clickButton(const char* key)
{
    auto* action = ui_->tbToolBar->findChild<QAction*>(QString::fromLatin1(key));
    QVERIFY(action != nullptr);
    QWidget* button = ui_->tbToolBar->widgetForAction(action);
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList frmBrowserTest::addressList() const
{
    QStringList items;
    for (int i = 0; i < ui_->cboAddress->count(); ++i)
        items.append(ui_->cboAddress->itemText(i));
    return items;
}

void frmBrowserTest::init()
{
    engine_ = std::make_unique<FakeSearchEngine>();
}

void frmBrowserTest::cleanup()
{
    ui_.reset();
    delete window_;
    engine_.reset();
}

void frmBrowserTest::submitsTheSearchOnce_data()
{
    QTest::addColumn<bool>("placeSearch");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("expectedQuery");

    QTest::newRow("place search") << true << kPune << "Maharashtra"
                                  << "India"
                                  << "Latitude Longitude Pune Maharashtra India";
    QTest::newRow("no place search") << false << kPune << "Maharashtra"
                                     << "India"
                                     << "Latitude Longitude ";
    QTest::newRow("state of a single space") << true << kPune << " "
                                             << "India"
                                             << "Latitude Longitude Pune   India";
    QTest::newRow("hostile city, letters beyond Latin-1")
        << true << kHostileCity << QStringLiteral("Łódź 東京") << "Schweiz"
        << QStringLiteral("Latitude Longitude O'Brien \"x\" </script> Zürich Łódź 東京 Schweiz");
}

void frmBrowserTest::submitsTheSearchOnce()
{
    QFETCH(bool, placeSearch);
    QFETCH(QString, city);
    QFETCH(QString, state);
    QFETCH(QString, country);
    QFETCH(QString, expectedQuery);

    openBrowser({placeSearch, city, state, country});
    QCOMPARE(window_->windowTitle(), QStringLiteral("Selenoscope v1.0"));
    waitForTitle(QStringLiteral("Search results"));
    QTest::qWait(kSettleMs);

    QCOMPARE(engine_->hits("/search"), 1);
    const Fields expected{
        {"q", expectedQuery},
        {"sa", "Search"},
        {"client", QStringLiteral(SELENOSCOPE_SEARCH_CLIENT)},
        {"forid", "1"},
        {"ie", "ISO-8859-1"},
        {"oe", "ISO-8859-1"},
        {"cof", "GALT:#008000;GL:1;DIV:#336699;VLC:663399;AH:center;BGC:FFFFFF;LBGC:336699;"
                "ALC:0000FF;LC:0000FF;T:000000;GFNT:0000FF;GIMP:0000FF;FORID:1;"},
        {"hl", "en"},
    };
    QCOMPARE(FakeSearchEngine::formFields(engine_->lastRequest("/search").query), expected);

    // The blank start page never enters the list; the result page stands first.
    QCOMPARE(addressList().size(), 1);
    QVERIFY(addressList().first().startsWith(address(QStringLiteral("/search?"))));
    QCOMPARE(ui_->cboAddress->currentText(), addressList().first());
}

void frmBrowserTest::addressListKeepsEachAddressOnceNewestFirst()
{
    openAtResults();
    const QString results = addressList().value(0);

    typeAddress(QStringLiteral("/a"));
    waitForTitle(QStringLiteral("Page A"));
    typeAddress(QStringLiteral("/b"));
    waitForTitle(QStringLiteral("Page B"));
    QCOMPARE(addressList(), QStringList({address("/b"), address("/a"), results}));

    // A revisited address moves to the top and stands there once.
    typeAddress(QStringLiteral("/a"));
    waitForTitle(QStringLiteral("Page A"));
    QCOMPARE(addressList(), QStringList({address("/a"), address("/b"), results}));

    // Letter case makes a different address.
    typeAddress(QStringLiteral("/A"));
    waitForTitle(QStringLiteral("Page capital A"));
    QCOMPARE(addressList(), QStringList({address("/A"), address("/a"), address("/b"), results}));
    QCOMPARE(engine_->hits("/a"), 2);
    QCOMPARE(engine_->hits("/A"), 1);

    // Picking an entry from the list goes there once; the list's own rewrite
    // after that page does not navigate again.
    QComboBox* box = ui_->cboAddress;
    box->showPopup();
    QAbstractItemView* list = box->view();
    QTRY_VERIFY(list->isVisible());
    QTest::qWait(QApplication::doubleClickInterval() + 100); // the popup ignores an early release
    const QRect pageB = list->visualRect(list->model()->index(2, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, pageB.center());
    waitForTitle(QStringLiteral("Page B"));
    QTest::qWait(kSettleMs);
    QCOMPARE(engine_->hits("/b"), 2);
    QCOMPARE(addressList(), QStringList({address("/b"), address("/A"), address("/a"), results}));
    QCOMPARE(box->currentText(), address("/b"));
}

void frmBrowserTest::refreshOrReturningToTheBlankPageDoesNotSubmitAgain()
{
    openAtResults();

    clickButton("Refresh");
    QTRY_COMPARE_WITH_TIMEOUT(engine_->hits("/search"), 2, kPageTimeoutMs);
    waitForTitle(QStringLiteral("Search results"));
    QTest::qWait(kSettleMs);
    QCOMPARE(engine_->hits("/search"), 2); // the reload, and nothing more

    clickButton("Back");
    QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(engine_->hits("/search"), 2);

    // The engine's Back skips the blank start page (the page was left without
    // the user's doing), so the sure way back to it is the address box.
    typeInAddressBox(QStringLiteral("about:blank"));
    QTRY_COMPARE_WITH_TIMEOUT(ui_->brwWebBrowser->url(), QUrl("about:blank"), kPageTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);
    QTest::qWait(kSettleMs);
    QCOMPARE(engine_->hits("/search"), 2);
    QCOMPARE(addressList().size(), 1);
    QVERIFY(!addressList().first().contains("about:blank"));
}

void frmBrowserTest::toolbarNavigates_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expectedTitle");

    QTest::newRow("Back") << QStringList{"Back"} << "Search results";
    QTest::newRow("Back then Forward") << QStringList{"Back", "Forward"} << "Page A";
    QTest::newRow("Home: the search's results") << QStringList{"Home"} << "Search results";
    QTest::newRow("Search: the engine's home page") << QStringList{"Search"} << "Engine home";
}

void frmBrowserTest::toolbarNavigates()
{
    QFETCH(QStringList, keys);
    QFETCH(QString, expectedTitle);

    openAtResults();
    typeAddress(QStringLiteral("/a"));
    waitForTitle(QStringLiteral("Page A"));
    for (const QString& key : keys) {
        QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);
        clickButton(qPrintable(key));
    }
    waitForTitle(expectedTitle);
    QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);
    QCOMPARE(window_->windowTitle(), expectedTitle);
}

void frmBrowserTest::captionShowsWorkingDuringToolbarNavigation()
{
    openAtResults();
    typeAddress(QStringLiteral("/slow"));
    waitForTitle(QStringLiteral("Slow page"));
    QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);

    clickButton("Refresh");
    QVERIFY(ui_->timTimer->isActive());
    QTRY_COMPARE(window_->windowTitle(), QStringLiteral("Working..."));
    QCOMPARE(engine_->hits("/slow"), 2); // the server is still holding the answer back

    waitForTitle(QStringLiteral("Slow page"));
    QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);
    QCOMPARE(window_->windowTitle(), QStringLiteral("Slow page"));
}

void frmBrowserTest::stopSwitchesTheIndicatorOffAtOnce()
{
    openAtResults();
    typeAddress(QStringLiteral("/slow"));
    waitForTitle(QStringLiteral("Slow page"));
    QTRY_VERIFY_WITH_TIMEOUT(!ui_->timTimer->isActive(), kPageTimeoutMs);

    clickButton("Refresh");
    QTRY_COMPARE(window_->windowTitle(), QStringLiteral("Working..."));
    clickButton("Stop");
    QVERIFY(!ui_->timTimer->isActive());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Slow page"));
    QTest::qWait(kSettleMs);
    QVERIFY(window_->windowTitle() != QStringLiteral("Working..."));
}

void frmBrowserTest::toolbarButtonsStayClearOfTheLabels()
{
    // The banner and "Pairstar" lie in the toolbar right of the buttons: no part
    // of a button may sit under them, or a click meant for it lands on a label.
    openBrowser({false, {}, {}, {}});
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
    const int labelsStart = std::min(ui_->Label1->x(), ui_->Picture1->x());
    for (QAction* action : ui_->tbToolBar->actions()) {
        QWidget* button = ui_->tbToolBar->widgetForAction(action);
        QVERIFY(button != nullptr);
        QVERIFY2(button->geometry().right() < labelsStart,
                 qPrintable(action->objectName() + QStringLiteral(" ends at ") +
                            QString::number(button->geometry().right())));
    }
}

WEBENGINE_TEST_MAIN(frmBrowserTest)

#include "frmBrowserTest.moc"
