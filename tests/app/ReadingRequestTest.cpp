#include "app/AppController.h"
#include "birth/ExampleBirths.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/modEphemeris.h"
#include "shell/LinkLabel.h"
#include "support/EntryTyping.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <memory>

class ReadingRequestTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void readingCommandsRunTheChecks();
    void workedExampleTypedByHand_data();
    void workedExampleTypedByHand();
    void fieldsReachTheComputation_data();
    void fieldsReachTheComputation();
    void refusedFieldStopsTheRequest_data();
    void refusedFieldStopsTheRequest();
    void backThenReadAgain_data();
    void backThenReadAgain();
    void loadedWindowIsOverwritten();
    void exitEndsTheProgram_data();
    void exitEndsTheProgram();

private:
    void askForReading();

    std::unique_ptr<ProgramUnderTest> program;
    RecordingServices* services = nullptr;
    QPointer<frmMain> entry;
    const EntryControls* ui = nullptr;
};

void ReadingRequestTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void ReadingRequestTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
    services = &program->services;
    entry = &program->entry;
    ui = &program->ui;
}

void ReadingRequestTest::cleanup()
{
    program.reset();
}

void ReadingRequestTest::askForReading()
{
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);
}

void ReadingRequestTest::readingCommandsRunTheChecks()
{
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);
    ui->mnuNext->trigger();

    QCOMPARE(services->messages.size(), 2);
    for (const RecordingServices::Message& message : services->messages)
        QCOMPARE(message.text, QStringLiteral("Please Enter Name"));
}

void ReadingRequestTest::workedExampleTypedByHand_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Get My Parallax Reading") << false;
    QTest::newRow("File > Get Selenoscope Calculator") << true;
}

void ReadingRequestTest::workedExampleTypedByHand()
{
    QFETCH(bool, fromMenu);
    typeWorkedExample(*entry);
    QGuiApplication::clipboard()->setText(QStringLiteral("copied in another program"));

    if (fromMenu)
        ui->mnuNext->trigger();
    else
        askForReading();

    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    QCOMPARE(shownReading(*display), workedExampleReading());
    QVERIFY(entry->isHidden());
    QVERIFY(!entry.isNull()); // hidden, not unloaded
    QCOMPARE(DisplayControls(*display).SSTab1->currentIndex(), 0);
    QVERIFY(!display->isModal());
    QVERIFY(QTest::qWaitForWindowActive(display));
    QCOMPARE(QApplication::focusWidget(), DisplayControls(*display).cmdOK);
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    QVERIFY(services->messages.isEmpty());
}

void ReadingRequestTest::fieldsReachTheComputation_data()
{
    QTest::addColumn<QString>("zoneHour");
    QTest::addColumn<QString>("lonD"); // set as pasted text, which may carry a fraction
    QTest::addColumn<bool>("west");
    QTest::addColumn<bool>("south");
    QTest::addColumn<bool>("dst");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("expectedZoneHours");
    QTest::addColumn<int>("expectedLonD");

    QTest::newRow("worked example") << "5"
                                    << "77" << false << false << false << 0 << 5 << 77;
    QTest::newRow("zone hour -5 reads as 5") << "-5"
                                             << "77" << false << false << false << 0 << 5 << 77;
    QTest::newRow("seconds list is not read") << "5"
                                              << "77" << false << false << false << 45 << 5 << 77;
    QTest::newRow("West and South") << "5"
                                    << "77" << true << true << false << 0 << 5 << 77;
    QTest::newRow("East and South") << "5"
                                    << "77" << false << true << false << 0 << 5 << 77;
    QTest::newRow("West and North with daylight saving")
        << "5"
        << "77" << true << false << true << 0 << 5 << 77;
    QTest::newRow("pasted 8.5 rounds to even 8") << "5"
                                                 << "8.5" << false << false << false << 0 << 5 << 8;
    QTest::newRow("pasted 9.5 rounds to even 10")
        << "5"
        << "9.5" << false << false << false << 0 << 5 << 10;
    QTest::newRow("pasted 7.6 rounds to 8") << "5"
                                            << "7.6" << false << false << false << 0 << 5 << 8;
    QTest::newRow("zone hour -12 reads as 12") << "-12"
                                               << "77" << false << false << false << 0 << 12 << 77;
}

void ReadingRequestTest::fieldsReachTheComputation()
{
    QFETCH(QString, zoneHour);
    QFETCH(QString, lonD);
    QFETCH(bool, west);
    QFETCH(bool, south);
    QFETCH(bool, dst);
    QFETCH(int, seconds);
    QFETCH(int, expectedZoneHours);
    QFETCH(int, expectedLonD);

    typeWorkedExample(*entry);
    typeInto(ui->txtZoneHour, zoneHour);
    QCOMPARE(ui->txtZoneHour->text(), zoneHour);
    ui->txtLonD->selectAll();
    ui->txtLonD->insert(lonD); // as a paste does
    QCOMPARE(ui->txtLonD->text(), lonD);
    ui->optLong[west ? 1 : 0]->click();
    ui->optLat[south ? 1 : 0]->click();
    if (dst)
        ui->chkDST->click();
    ui->cboSS->setCurrentIndex(seconds);
    askForReading();

    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    modEphemeris::BirthData expected = birth::WorkedExample();
    expected.ZoneHours = static_cast<std::int16_t>(expectedZoneHours);
    expected.LongitudeDegrees = static_cast<std::int16_t>(expectedLonD);
    expected.LongitudeIsEast = !west;
    expected.LatitudeIsSouth = south;
    expected.DaylightSaving = dst;
    QCOMPARE(shownReading(*display), computedReading(expected));
    // Rows that keep the worked example's place and time must show its texts.
    if (expectedZoneHours == 5 && expectedLonD == 77 && !west && !south && !dst)
        QCOMPARE(shownReading(*display), workedExampleReading());
}

void ReadingRequestTest::refusedFieldStopsTheRequest_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("day"); // position in the day list, -1 to keep
    QTest::addColumn<QString>("message");

    QTest::newRow("name of spaces") << "txtName"
                                    << "   " << -1 << "Please Enter Name";
    QTest::newRow("zone minute 60")
        << "txtZoneMinute"
        << "60" << -1 << "Please Enter Value Between 0 And 59 in the Zone Minute";
    QTest::newRow("latitude 90") << "txtLatD"
                                 << "90" << -1
                                 << "Please Enter Value Between 0 And 89 in the Degree of Latitude";
    QTest::newRow("31 April") << QString() << QString() << 30
                              << "Please Enter Correct Date Or Month !";
}

void ReadingRequestTest::refusedFieldStopsTheRequest()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, day);
    QFETCH(QString, message);

    typeWorkedExample(*entry);
    if (!field.isEmpty())
        typeInto(entry->findChild<QLineEdit*>(field), text);
    if (day >= 0) {
        ui->cboMonth->setCurrentIndex(3);
        ui->cboDate->setCurrentIndex(day);
    }
    askForReading();

    QCOMPARE(services->messages.size(), 1);
    QCOMPARE(services->messages.first().text, message);
    QVERIFY(shownDisplay() == nullptr);
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(qobject_cast<frmDisplay*>(window) == nullptr, "no display window is loaded");
    QVERIFY(entry->isVisible());
}

void ReadingRequestTest::backThenReadAgain_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Back button") << false;
    QTest::newRow("File > Back") << true;
}

void ReadingRequestTest::backThenReadAgain()
{
    QFETCH(bool, fromMenu);
    typeWorkedExample(*entry);
    typeInto(ui->txtMCity, QStringLiteral("New Delhi"));

    // A zone written by the picker must survive the trip as well.
    services->onModal = [](QDialog& picker) {
        auto* list = picker.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QVERIFY(list != nullptr && list->count() > 6);
        const QPoint row = list->visualItemRect(list->item(6)).center(); // 9 hours 30 East
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    };
    QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);
    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(ui->txtZoneMinute->text(), QStringLiteral("30"));
    QVERIFY(ui->txtZoneHour->text() != QStringLiteral("5"));
    const QStringList before = entryFields(*entry);
    askForReading();

    QPointer<frmDisplay> first = shownDisplay();
    QVERIFY(first != nullptr);
    const QStringList firstReading = shownReading(*first);
    QTest::mouseClick(DisplayControls(*first).SSTab1->tabBar(), Qt::LeftButton, {},
                      DisplayControls(*first).SSTab1->tabBar()->tabRect(1).center());
    QCOMPARE(DisplayControls(*first).SSTab1->currentIndex(), 1);

    if (fromMenu)
        DisplayControls(*first).mnuFileBack->trigger();
    else
        QTest::mouseClick(DisplayControls(*first).cmdOK, Qt::LeftButton);
    QVERIFY(entry->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(entry));
    QCOMPARE(entryFields(*entry), before);
    QCOMPARE(services->endCount, 0);
    QTRY_COMPARE(QApplication::activeWindow(), entry.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(first.isNull(), "Back unloads the display window");

    // Another hour and place: every one of the four texts changes.
    typeInto(ui->cboHH, QStringLiteral("18"));
    typeInto(ui->txtLatD, QStringLiteral("45"));
    askForReading();
    frmDisplay* second = shownDisplay();
    QVERIFY(second != nullptr);
    QCOMPARE(DisplayControls(*second).SSTab1->currentIndex(), 0);
    const QStringList secondReading = shownReading(*second);
    for (int box = 0; box < 4; ++box)
        QVERIFY2(secondReading[box] != firstReading[box], qPrintable(secondReading[box]));
    QVERIFY(entry->isHidden());
}

void ReadingRequestTest::loadedWindowIsOverwritten()
{
    typeWorkedExample(*entry);
    askForReading();
    QPointer<frmDisplay> display = shownDisplay();
    QVERIFY(display != nullptr);
    DisplayControls(*display).SSTab1->setCurrentIndex(1);

    // A second request while the window is still loaded fills the same window afresh.
    ui->txtLatD->setText(QStringLiteral("45"));
    ui->mnuNext->trigger();
    QCOMPARE(shownDisplay(), display.data());
    modEphemeris::BirthData expected = birth::WorkedExample();
    expected.LatitudeDegrees = 45;
    QCOMPARE(shownReading(*display), computedReading(expected));
    QCOMPARE(DisplayControls(*display).SSTab1->currentIndex(), 0);

    // Going back from it still shows the entry window, once.
    QTest::mouseClick(DisplayControls(*display).cmdOK, Qt::LeftButton);
    QVERIFY(entry->isVisible());
    QCOMPARE(services->endCount, 0);
}

void ReadingRequestTest::exitEndsTheProgram_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Exit button") << "cmdExit";
    QTest::newRow("File > Exit") << "mnuExit";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close command") << "close";
}

void ReadingRequestTest::exitEndsTheProgram()
{
    QFETCH(QString, command);
    typeWorkedExample(*entry);
    askForReading();
    QPointer<frmDisplay> display = shownDisplay();
    QVERIFY(display != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(display));

    if (command == QLatin1String("cmdExit"))
        QTest::mouseClick(DisplayControls(*display).cmdExit, Qt::LeftButton);
    else if (command == QLatin1String("mnuExit"))
        DisplayControls(*display).mnuExit->trigger();
    else if (command == QLatin1String("Esc"))
        QTest::keyClick(display->windowHandle(), Qt::Key_Escape);
    else
        display->windowHandle()->close();

    QCOMPARE(services->endCount, 1);
    QVERIFY(display.isNull() || !display->isVisible());
    QVERIFY2(entry.isNull() || !entry->isVisible(), "the entry window is not shown again");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(display.isNull());
}

QTEST_MAIN(ReadingRequestTest)
#include "ReadingRequestTest.moc"
