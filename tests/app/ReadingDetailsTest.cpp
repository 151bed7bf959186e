#include "app/AppController.h"
#include "display/frmDetails.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "support/EntryTyping.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>

/// The details window as the program opens it: from the shown reading, through the controller.
class ReadingDetailsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void detailsOfTheShownReading_data();
    void detailsOfTheShownReading();
    void leavingTheReadingClosesThem_data();
    void leavingTheReadingClosesThem();
    void preciseMoonBesideTheReading();

private:
    /// Reads the worked example, at another hour (0 to 23) when one is given.
    frmDisplay* readWorkedExample(int hour = -1);

    std::unique_ptr<ProgramUnderTest> program;
    RecordingServices* services = nullptr;
    QPointer<frmMain> entry;
};

void ReadingDetailsTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void ReadingDetailsTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
    services = &program->services;
    entry = &program->entry;
}

void ReadingDetailsTest::cleanup()
{
    program.reset(); // the details go with the display windows that own them
}

frmDisplay* ReadingDetailsTest::readWorkedExample(int hour)
{
    typeWorkedExample(*entry);
    if (hour >= 0)
        EntryControls(*entry).cboHH->setCurrentIndex(hour);
    QTest::mouseClick(EntryControls(*entry).cmdRashi, Qt::LeftButton);
    frmDisplay* display = shownDisplay();
    if (display != nullptr && !QTest::qWaitForWindowActive(display))
        return nullptr;
    return display;
}

void ReadingDetailsTest::detailsOfTheShownReading_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("hour"); // in place of the worked example's; -1 to keep it
    QTest::newRow("worked example, File > Reading Details...") << true << -1;
    QTest::newRow("worked example, Ctrl+D") << false << -1;
    QTest::newRow("another hour, Ctrl+D") << false << 18;
}

void ReadingDetailsTest::detailsOfTheShownReading()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, hour);

    frmDisplay* display = readWorkedExample(hour);
    QVERIFY(display != nullptr);
    if (fromMenu)
        DisplayControls(*display).mnuDetails->trigger();
    else
        QTest::keyClick(display->windowHandle(), Qt::Key_D, Qt::ControlModifier);

    auto* details = display->findChild<frmDetails*>();
    QVERIFY(details != nullptr);
    QVERIFY(details->isVisible() && !details->isModal());
    QCOMPARE(DetailsControls(*details).readings(), shownReading(*display));
    if (hour < 0) {
        QCOMPARE(shownReading(*display), workedExampleReading());
        QCOMPARE(DetailsControls(*details).text("lblLocalTime"),
                 QStringLiteral("1 January 2000, 12:00"));
    } else {
        QCOMPARE(DetailsControls(*details).text("lblLocalTime"),
                 QStringLiteral("1 January 2000, 18:00"));
    }
    QVERIFY(display->isVisible()); // the reading stays where it was
    QVERIFY(services->messages.isEmpty());
}

void ReadingDetailsTest::leavingTheReadingClosesThem_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Back") << "Back";
    QTest::newRow("Exit") << "Exit";
    QTest::newRow("the window system's close") << "close";
}

void ReadingDetailsTest::leavingTheReadingClosesThem()
{
    QFETCH(QString, command);
    const bool back = command == QLatin1String("Back");
    QPointer<frmDisplay> display = readWorkedExample();
    QVERIFY(display != nullptr);
    DisplayControls(*display).mnuDetails->trigger();
    QPointer<frmDetails> details = display->findChild<frmDetails*>();
    QVERIFY(details != nullptr && details->isVisible());

    const DisplayControls ui(*display);
    if (command == QLatin1String("close"))
        display->windowHandle()->close();
    else
        QTest::mouseClick(back ? ui.cmdOK : ui.cmdExit, Qt::LeftButton);

    QVERIFY(details.isNull() || !details->isVisible());
    QCOMPARE(entry->isVisible(), back);
    QCOMPARE(services->endCount, back ? 0 : 1); // Exit still ends the program
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(details.isNull());
    QVERIFY(display.isNull());
}

void ReadingDetailsTest::preciseMoonBesideTheReading()
{
    // 2 January 14:38: the sidereal reading 1" before Sco, the precise Moon 17" past it.
#ifdef SELENOSCOPE_PRECISE
    const QString tip =
        QStringLiteral("A precise ephemeris places the Moon in Sco, 0° 0' 17\" past the edge");
    const QString note = tip;
#else
    const QString tip;
    const QString note =
        QStringLiteral("On the edge: a precise ephemeris may place the Moon in Sco");
#endif
    modEphemeris::BirthData birth = birth::WorkedExample();
    birth.BirthDay = 2;
    birth.BirthHour = 14;
    birth.BirthMinute = 38;
    typeBirth(*entry, birth);
    QTest::mouseClick(EntryControls(*entry).cmdRashi, Qt::LeftButton);
    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr && QTest::qWaitForWindowActive(display));
    QCOMPARE(DisplayControls(*display).txtSiderealNonParallax->toolTip(), tip);

    DisplayControls(*display).mnuDetails->trigger();
    auto* details = display->findChild<frmDetails*>();
    QVERIFY(details != nullptr);
    QCOMPARE(DetailsControls(*details).text("lblSignNote_0"), note);
}

QTEST_MAIN(ReadingDetailsTest)
#include "ReadingDetailsTest.moc"
