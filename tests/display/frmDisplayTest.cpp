#include "display/frmDisplay.h"

#include "birth/ExampleBirths.h"
#include "display/frmDetails.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "shell/LinkLabel.h"
#include "shell/Twips.h"
#include "shell/modHelp.h"
#include "support/RecordingServices.h"
#include "support/UrlRecorder.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <memory>

namespace {

const QString kCopiedElsewhere = QStringLiteral("copied in another program");

using Opener = void (*)();

// Shows the worked example's reading at another minute of January 2000, with the precise
// Moon beside it where the build has it and it is asked for.
void showReadingAt(frmDisplay& window, int day, int hour, int minute, bool precise)
{
    modEphemeris::BirthData birth = birth::WorkedExample();
    birth.BirthDay = static_cast<std::int16_t>(day);
    birth.BirthHour = static_cast<std::int16_t>(hour);
    birth.BirthMinute = static_cast<std::int16_t>(minute);
    const modEphemeris::BirthMoment moment{birth, {}};
    const modEphemeris::MoonReadings readings = modEphemeris::ComputeMoonReadings(moment);
    std::optional<modEphemeris::PreciseBeside> beside;
#ifdef SELENOSCOPE_PRECISE
    if (precise)
        beside = modEphemeris::PreciseBesideReadings(moment, readings);
#else
    (void)precise;
#endif
    window.showReading(readings, beside);
}

Opener openerNamed(const QString& name)
{
    if (name == QLatin1String("full brand"))
        return &modHelp::OpenFullBrandPage;
    if (name == QLatin1String("home"))
        return &modHelp::OpenHomePage;
    if (name == QLatin1String("online help"))
        return &modHelp::OpenOnlineHelp;
    if (name == QLatin1String("donate"))
        return &modHelp::OpenDonatePage;
    return nullptr;
}

} // namespace

class frmDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsSitWhereDrawn_data();
    void controlsSitWhereDrawn();
    void tabsAndExplanations();
    void readingBoxesRefuseTyping();
    void keyboardStartsOnBackAndFollowsTabOrder();
    void leavingTheWindow_data();
    void leavingTheWindow();
    void clipboardRule_data();
    void clipboardRule();
    void settingAReadingEmptiesTheClipboard();
    void linksOpenTheirPages_data();
    void linksOpenTheirPages();
    void menuBarOrder();
    void detailsAreAskedFor_data();
    void detailsAreAskedFor();
    void detailsOpenOnce();
    void preciseSignInTooltip_data();
    void preciseSignInTooltip();

private:
    frmDetails* openDetails();
    void open();
    template <typename T> T* control(const QString& name)
    {
        auto* found = window->findChild<T*>(name);
        if (found == nullptr)
            qWarning("no control named %s", qPrintable(name));
        return found;
    }

    std::unique_ptr<RecordingServices> services;
    std::unique_ptr<UrlRecorder> urls;
    QPointer<frmDisplay> window;
    std::unique_ptr<DisplayControls> ui;
};

void frmDisplayTest::initTestCase()
{
    // As in the program: a window that closes while another is hidden ends nothing by itself.
    QApplication::setQuitOnLastWindowClosed(false);
}

void frmDisplayTest::init()
{
    services = std::make_unique<RecordingServices>();
    urls = std::make_unique<UrlRecorder>();
}

void frmDisplayTest::cleanup()
{
    ui.reset();
    delete window; // straight away: a close here would run the exit
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    urls.reset();
    services.reset();
}

void frmDisplayTest::open()
{
    window = new frmDisplay;
    ui = std::make_unique<DisplayControls>(*window);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void frmDisplayTest::controlsSitWhereDrawn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<int>("tab"); // the tab to bring forward first, -1 for none
    QTest::addColumn<QRect>("twipsRect");

    const auto row = [](const char* description, const char* name, const char* container, int tab,
                        QRect rect) {
        QTest::newRow(description)
            << QString::fromLatin1(name) << QString::fromLatin1(container) << tab << rect;
    };
    row("top banner", "fraTopBanner", "client", -1, {0, 0, 8295, 615});
    row("forum promotion", "Label61", "fraTopBanner", -1, {120, 120, 8040, 585});
    row("tab control", "SSTab1", "client", -1, {0, 720, 8295, 3135});
    row("parallax explanation", "Label2", "SSTab1", 0, {240, 480, 7935, 495});
    row("sidereal group", "fraSidereal", "SSTab1", 0, {0, 1320, 8295, 1695});
    row("sidereal non-parallax frame", "fraSiderealNonParallax", "fraSidereal", 0,
        {120, 240, 3975, 1335});
    row("sidereal parallax frame", "fraSiderealParallax", "fraSidereal", 0,
        {4200, 240, 3975, 1335});
    row("sidereal non-parallax box", "txtSiderealNonParallax", "fraSiderealNonParallax", 0,
        {120, 480, 3735, 375});
    row("sidereal parallax box", "txtSiderealParallax", "fraSiderealParallax", 0,
        {120, 480, 3735, 375});
    row("non-parallax explanation", "Label1", "SSTab1", 1, {240, 480, 7935, 495});
    row("western group", "fraWestern", "SSTab1", 1, {0, 1320, 8295, 1695});
    row("western non-parallax frame", "fraWesternNonParallax", "fraWestern", 1,
        {120, 240, 3975, 1335});
    row("western parallax frame", "fraWesternParallax", "fraWestern", 1, {4200, 240, 3975, 1335});
    row("western non-parallax box", "txtWesternNonParallax", "fraWesternNonParallax", 1,
        {120, 480, 3735, 375});
    row("western parallax box", "txtWesternParallax", "fraWesternParallax", 1,
        {120, 480, 3735, 375});
    row("exit button", "cmdExit", "client", -1, {0, 3960, 1620, 465});
    row("back button", "cmdOK", "client", -1, {1875, 3960, 6420, 465});
    row("bottom banner", "fraBottomBanner", "client", -1, {-120, 4560, 9255, 855});
    row("full-branding offer", "lblFullBrand", "fraBottomBanner", -1, {120, 120, 8235, 615});
    row("co-branding offer", "lblCobrand", "fraBottomBanner", -1, {120, 120, 8235, 615});
}

void frmDisplayTest::controlsSitWhereDrawn()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(int, tab);
    QFETCH(QRect, twipsRect);

    open();
    QCOMPARE(window->centralWidget()->size(), QSize(twips(8310), twips(5160)));
    if (tab >= 0)
        ui->SSTab1->setCurrentIndex(tab);

    auto* widget = control<QWidget>(name);
    auto* reference = control<QWidget>(container);
    QVERIFY(widget != nullptr && reference != nullptr);
    QVERIFY(reference->isAncestorOf(widget));
    QVERIFY(widget->isVisible());
    const QRect expected = tw(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    QCOMPARE(QRect(widget->mapTo(reference, QPoint(0, 0)), widget->size()), expected);
}

void frmDisplayTest::tabsAndExplanations()
{
    open();
    QCOMPARE(ui->SSTab1->count(), 2);
    QCOMPARE(ui->SSTab1->tabText(0), QStringLiteral("Sidereal Astrology"));
    QCOMPARE(ui->SSTab1->tabText(1), QStringLiteral("Western Astrology"));
    QCOMPARE(ui->SSTab1->currentIndex(), 0);

    // Which tab holds what, and where, is the layout test's; here the words.
    QCOMPARE(ui->Label2->text(),
             QStringLiteral("Parallax View : This signifies the location of the Moon as seen by an "
                            "observer on the surface of the earth."));
    QCOMPARE(ui->Label1->text(),
             QStringLiteral("Non Parallax View : This signifies the location of the Moon as seen "
                            "by an observer in the centre of the earth."));
    for (QGroupBox* left : {ui->fraSiderealNonParallax, ui->fraWesternNonParallax})
        QCOMPARE(left->title(), QStringLiteral("Non-Parallax"));
    for (QGroupBox* right : {ui->fraSiderealParallax, ui->fraWesternParallax})
        QCOMPARE(right->title(), QStringLiteral("Parallax"));
}

void frmDisplayTest::readingBoxesRefuseTyping()
{
    open();
    for (QLineEdit* box : {ui->txtSiderealNonParallax, ui->txtSiderealParallax,
                           ui->txtWesternNonParallax, ui->txtWesternParallax}) {
        ui->SSTab1->setCurrentWidget(box->parentWidget()->parentWidget()->parentWidget());
        box->setText(QStringLiteral("16° 42' 10\" Lib"));
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("x9"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("16° 42' 10\" Lib"));
    }
}

void frmDisplayTest::keyboardStartsOnBackAndFollowsTabOrder()
{
    open();
    QCOMPARE(QApplication::focusWidget(), ui->cmdOK);

    const auto pressTab = [this] { QTest::keyClick(window->windowHandle(), Qt::Key_Tab); };
    const auto focusedOn = [](QWidget* expected) {
        QWidget* focused = QApplication::focusWidget();
        // The tab control hands its focus to its strip.
        return focused == expected || (focused != nullptr && focused->parentWidget() == expected &&
                                       expected->focusProxy() == focused);
    };

    // The links follow the boxes: the banner, then the promotion in front.
    QWidget* const siderealOrder[] = {ui->cmdExit,
                                      ui->SSTab1,
                                      ui->txtSiderealNonParallax,
                                      ui->txtSiderealParallax,
                                      ui->Label61,
                                      ui->lblCobrand,
                                      ui->cmdOK};
    for (QWidget* next : siderealOrder) {
        pressTab();
        QVERIFY2(focusedOn(next), qPrintable(QApplication::focusWidget()->objectName()));
    }

    // With the Western tab in front its boxes follow the tab control.
    ui->SSTab1->setCurrentIndex(1);
    ui->cmdOK->setFocus();
    QWidget* const westernOrder[] = {ui->cmdExit,
                                     ui->SSTab1,
                                     ui->txtWesternNonParallax,
                                     ui->txtWesternParallax,
                                     ui->Label1,
                                     ui->Label61,
                                     ui->lblCobrand,
                                     ui->cmdOK};
    for (QWidget* next : westernOrder) {
        pressTab();
        QVERIFY2(focusedOn(next), qPrintable(QApplication::focusWidget()->objectName()));
    }
}

void frmDisplayTest::leavingTheWindow_data()
{
    QTest::addColumn<QString>("before"); // "tab N": Tab pressed N times; "click X": X clicked
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("goesBack");

    QTest::newRow("Back button") << QString() << "click cmdOK" << true;
    QTest::newRow("File > Back") << QString() << "trigger mnuFileBack" << true;
    QTest::newRow("Enter right after opening") << QString() << "key Return" << true;
    QTest::newRow("Enter on the Exit button") << "tab 1"
                                              << "key Return" << false;
    QTest::newRow("keypad Enter on the tab strip") << "tab 2"
                                                   << "key Enter" << false;
    QTest::newRow("Enter after clicking into a reading box") << "click txtSiderealParallax"
                                                             << "key Return" << false;
    QTest::newRow("Exit button") << QString() << "click cmdExit" << false;
    QTest::newRow("File > Exit") << QString() << "trigger mnuExit" << false;
    QTest::newRow("Esc") << QString() << "key Escape" << false;
    QTest::newRow("Esc in a reading box") << "click txtSiderealNonParallax"
                                          << "key Escape" << false;
    QTest::newRow("close command") << QString() << "close" << false;
}

void frmDisplayTest::leavingTheWindow()
{
    QFETCH(QString, before);
    QFETCH(QString, command);
    QFETCH(bool, goesBack);

    open();
    QSignalSpy back(window.data(), &frmDisplay::backRequested);
    QWidget* const focusedAtFirst = QApplication::focusWidget();
    if (before.startsWith(QLatin1String("tab "))) {
        for (int presses = before.mid(4).toInt(); presses > 0; --presses)
            QTest::keyClick(window->windowHandle(), Qt::Key_Tab);
    } else if (before.startsWith(QLatin1String("click "))) {
        auto* target = control<QWidget>(before.mid(6));
        QVERIFY(target != nullptr);
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), target);
    }
    QVERIFY(before.isEmpty() || QApplication::focusWidget() != focusedAtFirst);

    const QString verb = command.section(QLatin1Char(' '), 0, 0);
    const QString object = command.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("click")) {
        QTest::mouseClick(control<QPushButton>(object), Qt::LeftButton);
    } else if (verb == QLatin1String("trigger")) {
        control<QAction>(object)->trigger();
    } else if (verb == QLatin1String("key")) {
        const Qt::Key key = object == QLatin1String("Return")  ? Qt::Key_Return
                            : object == QLatin1String("Enter") ? Qt::Key_Enter
                                                               : Qt::Key_Escape;
        QTest::keyClick(window->windowHandle(), key);
    } else {
        window->windowHandle()->close(); // as the window system's close button does
    }

    QVERIFY(window.isNull() || !window->isVisible());
    QCOMPARE(back.count(), goesBack ? 1 : 0);
    QCOMPARE(services->endCount, goesBack ? 0 : 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(window.isNull(), "the window is unloaded when left");
}

void frmDisplayTest::clipboardRule_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("empties");

    QTest::newRow("hover over the Western parallax box") << 1 << "txtWesternParallax"
                                                         << "move" << true;
    QTest::newRow("hover over the sidereal non-parallax box") << 0 << "txtSiderealNonParallax"
                                                              << "move" << true;
    QTest::newRow("press on a box") << 0 << "txtSiderealParallax"
                                    << "press" << true;
    QTest::newRow("click on a box") << 1 << "txtWesternNonParallax"
                                    << "click" << true;
    QTest::newRow("hover over a frame caption") << 1 << "fraWesternParallax"
                                                << "move" << false;
    QTest::newRow("hover over a tab") << 0 << "tab 1"
                                      << "move" << false;
    QTest::newRow("hover over a button") << 0 << "cmdOK"
                                         << "move" << false;
    QTest::newRow("click on the explanation") << 0 << "Label2"
                                              << "click" << false;
}

void frmDisplayTest::clipboardRule()
{
    QFETCH(int, tab);
    QFETCH(QString, target);
    QFETCH(QString, gesture);
    QFETCH(bool, empties);

    open();
    ui->SSTab1->setCurrentIndex(tab);
    QWidget* widget = nullptr;
    QPoint point;
    if (target == QLatin1String("tab 1")) {
        widget = ui->SSTab1->tabBar();
        point = ui->SSTab1->tabBar()->tabRect(1).center();
    } else {
        widget = control<QWidget>(target);
        QVERIFY(widget != nullptr);
        // A frame's caption runs along its top edge; elsewhere the middle will do.
        point =
            qobject_cast<QGroupBox*>(widget) != nullptr ? QPoint(20, 4) : widget->rect().center();
    }
    QVERIFY(widget->isVisible());
    QVERIFY(widget->childAt(point) == nullptr);

    QTest::mouseMove(ui->cmdExit); // start from a neutral place
    QGuiApplication::clipboard()->setText(kCopiedElsewhere);
    if (gesture == QLatin1String("move"))
        QTest::mouseMove(widget, point);
    else if (gesture == QLatin1String("press"))
        QTest::mousePress(widget, Qt::LeftButton, {}, point);
    else
        QTest::mouseClick(widget, Qt::LeftButton, {}, point);

    // On a real X server the pointer's move arrives through the server: give it time.
    if (empties) {
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QString());
    } else {
        QTest::qWait(50);
        QCOMPARE(QGuiApplication::clipboard()->text(), kCopiedElsewhere);
    }
    if (gesture == QLatin1String("press"))
        QTest::mouseRelease(widget, Qt::LeftButton, {}, point);
}

void frmDisplayTest::settingAReadingEmptiesTheClipboard()
{
    window = new frmDisplay; // filled before it is shown, as a reading is
    ui = std::make_unique<DisplayControls>(*window);
    for (QLineEdit* box : {ui->txtSiderealNonParallax, ui->txtSiderealParallax,
                           ui->txtWesternNonParallax, ui->txtWesternParallax}) {
        QGuiApplication::clipboard()->setText(kCopiedElsewhere);
        box->setText(QStringLiteral("10° 4' 59\" Sco"));
        QVERIFY2(QGuiApplication::clipboard()->text().isEmpty(), qPrintable(box->objectName()));
        QCOMPARE(box->text(), QStringLiteral("10° 4' 59\" Sco")); // the box keeps its text
    }
}

void frmDisplayTest::linksOpenTheirPages_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page"); // empty: opens nothing

    QTest::newRow("non-parallax explanation") << 1 << "Label1"
                                              << "full brand";
    QTest::newRow("parallax explanation") << 0 << "Label2" << QString();
    QTest::newRow("a frame caption") << 0 << "fraSiderealParallax" << QString();
    QTest::newRow("forum banner") << 0 << "Label61"
                                  << "home";
    QTest::newRow("Help > Online Help") << 0 << "mnuOnline"
                                        << "online help";
    QTest::newRow("Donate") << 0 << "mnuDonate"
                            << "donate";
}

void frmDisplayTest::linksOpenTheirPages()
{
    QFETCH(int, tab);
    QFETCH(QString, control);
    QFETCH(QString, page);

    QList<QUrl> expected;
    if (!page.isEmpty()) {
        openerNamed(page)();
        expected = urls->opened;
        urls->opened.clear();
        QCOMPARE(expected.size(), 1);
    }

    open();
    ui->SSTab1->setCurrentIndex(tab);
    if (auto* action = window->findChild<QAction*>(control)) {
        action->trigger();
    } else {
        auto* widget = this->control<QWidget>(control);
        QVERIFY(widget != nullptr && widget->isVisible());
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, 4));
    }
    QCOMPARE(urls->opened, expected);
    QVERIFY(window->isVisible()); // a link leaves the window as it is
    QCOMPARE(services->endCount, 0);
}

void frmDisplayTest::menuBarOrder()
{
    open();
    QStringList bar;
    for (QAction* action : window->menuBar()->actions())
        bar << action->text();
    QCOMPARE(bar, (QStringList{"&File", "&Help", "&Donate", "Make Money &Online"}));

    QStringList file;
    for (QAction* action : ui->mnuFile->actions())
        file << action->objectName() + QLatin1Char('=') + action->text();
    // The described items keep their places; the details and the periods follow below a
    // separator.
    QCOMPARE(file, (QStringList{"mnuFileBack=&Back", "mnuExit=E&xit",
                                "mnuDetailsSep=", "mnuDetails=Reading &Details...",
                                "mnuDasha=Vimshottari &Periods..."}));
    QVERIFY(ui->mnuFile->actions().at(2)->isSeparator());
    QCOMPARE(ui->mnuDetails->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(ui->mnuFile->actions().at(4)->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));

    // The about box opens modally from this window too.
    window->findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(services->modals.first().objectName, QStringLiteral("frmAbout"));
    QVERIFY(window->isVisible());
}

void frmDisplayTest::detailsAreAskedFor_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("File > Reading Details...") << "menu";
    QTest::newRow("Ctrl+D on the Back button") << "shortcut";
    QTest::newRow("Ctrl+D in a reading box") << "shortcut in box";
}

void frmDisplayTest::detailsAreAskedFor()
{
    QFETCH(QString, how);
    open();
    QSignalSpy asked(window.data(), &frmDisplay::detailsRequested);
    if (how == QLatin1String("menu")) {
        ui->mnuDetails->trigger();
    } else {
        if (how == QLatin1String("shortcut in box")) {
            QTest::mouseClick(ui->txtSiderealParallax, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), ui->txtSiderealParallax);
        }
        QTest::keyClick(window->windowHandle(), Qt::Key_D, Qt::ControlModifier);
    }
    QCOMPARE(asked.count(), 1);
    QVERIFY(window->isVisible()); // asking changes nothing here
    QCOMPARE(services->endCount, 0);
}

frmDetails* frmDisplayTest::openDetails()
{
    window->showDetails(modEphemeris::ComputeMoonDetails({birth::WorkedExample(), {}}));
    auto* details = window->findChild<frmDetails*>();
    if (details != nullptr && !QTest::qWaitForWindowExposed(details))
        return nullptr;
    return details;
}

void frmDisplayTest::detailsOpenOnce()
{
    open();
    QPointer<frmDetails> first = openDetails();
    QVERIFY(first != nullptr);
    QCOMPARE(openDetails(), first.data()); // asked again: the open one comes forward

    // Its own close leaves the reading as it is.
    QSignalSpy back(window.data(), &frmDisplay::backRequested);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(window->isVisible());
    QCOMPARE(back.count(), 0);
    QCOMPARE(services->endCount, 0);

    // A new reading in this window takes the old one's details away.
    QPointer<frmDetails> second = openDetails();
    QVERIFY(second != nullptr);
    window->showReading(modEphemeris::ComputeMoonReadings({birth::WorkedExample(), {}}));
    QVERIFY(second.isNull() || !second->isVisible());
}

void frmDisplayTest::preciseSignInTooltip_data()
{
    QTest::addColumn<int>("day"); // of January 2000, at the worked example's place and zone
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<bool>("precise"); // given to the window; else as a build without it
    QTest::addColumn<QString>("box");  // the one box with a tooltip; "" for none
    QTest::addColumn<QString>("tip");

#ifdef SELENOSCOPE_PRECISE
    QTest::newRow("sidereal 1\" before Sco, the precise Moon 17\" past it")
        << 2 << 14 << 38 << true << "txtSiderealNonParallax"
        << "A precise ephemeris places the Moon in Sco, 0° 0' 17\" past the edge";
    QTest::newRow("Western parallax 8\" before Sag, the precise Moon 7\" past it")
        << 3 << 1 << 32 << true << "txtWesternParallax"
        << "A precise ephemeris places the Moon in Sag, 0° 0' 7\" past the edge";
    QTest::newRow("the precise Moon on its own edge, in the reading's sign")
        << 5 << 17 << 30 << true << QString() << QString();
#endif
    QTest::newRow("a build without it") << 2 << 14 << 38 << false << QString() << QString();
}

void frmDisplayTest::preciseSignInTooltip()
{
    QFETCH(int, day);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(bool, precise);
    QFETCH(QString, box);
    QFETCH(QString, tip);

    open();
    // After a reading whose sign differs: the next one must not keep its tooltip.
    showReadingAt(*window, 2, 14, 38, true);
    showReadingAt(*window, day, hour, minute, precise);
    for (QLineEdit* text : {ui->txtSiderealNonParallax, ui->txtSiderealParallax,
                            ui->txtWesternNonParallax, ui->txtWesternParallax}) {
        const QString expected = text->objectName() == box ? tip : QString();
        QCOMPARE(text->toolTip(), expected);
        QCOMPARE(text->accessibleDescription(), expected);
    }
}

QTEST_MAIN(frmDisplayTest)
#include "frmDisplayTest.moc"
