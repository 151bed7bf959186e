#include "entry/ReadingRequest.h"

#include "ReadingTexts.h"
#include "RecordingServices.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/modEphemeris.h"
#include "shell/LinkLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <memory>

namespace {

const QStringList kWorkedExampleReading{
    QStringLiteral("16° 42' 10\" Lib"), QStringLiteral("16° 13' 46\" Lib"),
    QStringLiteral("10° 33' 23\" Sco"), QStringLiteral("10° 4' 59\" Sco")};

/// The worked example as the computation takes it.
modEphemeris::BirthData workedExample()
{
    modEphemeris::BirthData birth;
    birth.PersonName = "ASHA RAO"; // the name box types in capitals
    birth.BirthMonth = 1;
    birth.BirthDay = 1;
    birth.BirthYear = 2000;
    birth.BirthHour = 12;
    birth.BirthMinute = 0;
    birth.ZoneHours = 5;
    birth.ZoneMinutes = 30;
    birth.LongitudeDegrees = 77;
    birth.LongitudeMinutes = 13;
    birth.LongitudeIsEast = true;
    birth.LatitudeDegrees = 28;
    birth.LatitudeMinutes = 37;
    birth.LatitudeIsSouth = false;
    birth.DaylightSaving = false;
    return birth;
}

/// What the user sees in every entry field, to tell whether anything changed.
QStringList entryFields(const frmMain& entry)
{
    QStringList fields;
    for (const QLineEdit* box :
         {entry.txtName, entry.txtZoneHour, entry.txtZoneMinute, entry.txtLonD, entry.txtLonM,
          entry.txtLatD, entry.txtLatM, entry.txtMCity, entry.txtMState, entry.txtMCountry})
        fields << box->objectName() + QLatin1Char('=') + box->text();
    for (const QComboBox* list :
         {entry.cboMonth, entry.cboDate, entry.cboYear, entry.cboHH, entry.cboMM, entry.cboSS})
        fields << list->objectName() + QLatin1Char('=') + list->currentText();
    fields << QStringLiteral("DST=%1").arg(entry.chkDST->checkState());
    fields << QStringLiteral("East=%1").arg(entry.optLong[0]->isChecked());
    fields << QStringLiteral("South=%1").arg(entry.optLat[1]->isChecked());
    return fields;
}

} // namespace

class ReadingRequestTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

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
    void type(QWidget* field, const QString& text);
    void typeWorkedExample();
    void askForReading();
    frmDisplay* shownDisplay() const;

    std::unique_ptr<RecordingServices> services;
    QPointer<frmMain> entry;
};

void ReadingRequestTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void ReadingRequestTest::init()
{
    services = std::make_unique<RecordingServices>();
    entry = new frmMain;
    entry->show();
    entry->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(entry));
}

void ReadingRequestTest::cleanup()
{
    // Deleted outright: closing them would run the program's exit.
    QList<QPointer<frmDisplay>> displays;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* display = qobject_cast<frmDisplay*>(window))
            displays.append(display);
    }
    qDeleteAll(displays);
    delete entry;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    services.reset();
}

/// Clicks into the field and types over what it holds, key by key; a list is opened
/// with the click, searched by typing and closed with Enter.
void ReadingRequestTest::type(QWidget* field, const QString& text)
{
    QVERIFY(field != nullptr);
    QTest::mouseClick(field, Qt::LeftButton);
    if (auto* box = qobject_cast<QLineEdit*>(field)) {
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(box, Qt::Key_End);
        while (!box->text().isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    } else {
        auto* list = qobject_cast<QComboBox*>(field);
        QWidget* popupList = QApplication::focusWidget();
        QVERIFY(list != nullptr && popupList != nullptr && popupList != field);
        QTest::keyClick(popupList, Qt::Key_Home);
        if (list->itemText(0) != text) // searching from the first item would pass over it
            QTest::keyClicks(popupList, text);
        QTest::keyClick(popupList, Qt::Key_Return);
    }
}

void ReadingRequestTest::typeWorkedExample()
{
    type(entry->txtName, QStringLiteral("Asha Rao"));
    type(entry->cboMonth, QStringLiteral("January"));
    type(entry->cboDate, QStringLiteral("1"));
    type(entry->cboYear, QStringLiteral("2000"));
    type(entry->cboHH, QStringLiteral("12"));
    type(entry->cboMM, QStringLiteral("0"));
    type(entry->txtZoneHour, QStringLiteral("5"));
    type(entry->txtZoneMinute, QStringLiteral("30"));
    type(entry->txtLonD, QStringLiteral("77"));
    type(entry->txtLonM, QStringLiteral("13"));
    QTest::mouseClick(entry->optLong[0], Qt::LeftButton, {},
                      QPoint(6, entry->optLong[0]->height() / 2));
    type(entry->txtLatD, QStringLiteral("28"));
    type(entry->txtLatM, QStringLiteral("37"));
    QTest::mouseClick(entry->optLat[0], Qt::LeftButton, {},
                      QPoint(6, entry->optLat[0]->height() / 2));

    const QStringList typed{"txtName=ASHA RAO",
                            "txtZoneHour=5",
                            "txtZoneMinute=30",
                            "txtLonD=77",
                            "txtLonM=13",
                            "txtLatD=28",
                            "txtLatM=37",
                            "cboMonth=January",
                            "cboDate=1",
                            "cboYear=2000",
                            "cboHH=12",
                            "cboMM=0",
                            "DST=0",
                            "East=1",
                            "South=0"};
    const QStringList fields = entryFields(*entry);
    for (const QString& field : typed)
        QVERIFY2(fields.contains(field), qPrintable(field));
}

void ReadingRequestTest::askForReading()
{
    QTest::mouseClick(entry->cmdRashi, Qt::LeftButton);
}

frmDisplay* ReadingRequestTest::shownDisplay() const
{
    frmDisplay* shown = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* display = qobject_cast<frmDisplay*>(window);
        if (display != nullptr && display->isVisible()) {
            if (shown != nullptr)
                return nullptr; // never two at once
            shown = display;
        }
    }
    return shown;
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
    typeWorkedExample();
    QGuiApplication::clipboard()->setText(QStringLiteral("copied in another program"));

    if (fromMenu)
        entry->mnuNext->trigger();
    else
        askForReading();

    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    QCOMPARE(shownReading(*display), kWorkedExampleReading);
    QVERIFY(entry->isHidden());
    QVERIFY(!entry.isNull()); // hidden, not unloaded
    QCOMPARE(display->SSTab1->currentIndex(), 0);
    QVERIFY(!display->isModal());
    QVERIFY(QTest::qWaitForWindowActive(display));
    QCOMPARE(QApplication::focusWidget(), display->cmdOK);
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

    typeWorkedExample();
    type(entry->txtZoneHour, zoneHour);
    QCOMPARE(entry->txtZoneHour->text(), zoneHour);
    entry->txtLonD->selectAll();
    entry->txtLonD->insert(lonD); // as a paste does
    QCOMPARE(entry->txtLonD->text(), lonD);
    entry->optLong[west ? 1 : 0]->click();
    entry->optLat[south ? 1 : 0]->click();
    if (dst)
        entry->chkDST->click();
    entry->cboSS->setCurrentIndex(seconds);
    askForReading();

    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    modEphemeris::BirthData expected = workedExample();
    expected.ZoneHours = static_cast<std::int16_t>(expectedZoneHours);
    expected.LongitudeDegrees = static_cast<std::int16_t>(expectedLonD);
    expected.LongitudeIsEast = !west;
    expected.LatitudeIsSouth = south;
    expected.DaylightSaving = dst;
    QCOMPARE(shownReading(*display), computedReading(expected));
    // Rows that keep the worked example's place and time must show its texts.
    if (expectedZoneHours == 5 && expectedLonD == 77 && !west && !south && !dst)
        QCOMPARE(shownReading(*display), kWorkedExampleReading);
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

    typeWorkedExample();
    if (!field.isEmpty())
        type(entry->findChild<QLineEdit*>(field), text);
    if (day >= 0) {
        entry->cboMonth->setCurrentIndex(3);
        entry->cboDate->setCurrentIndex(day);
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
    typeWorkedExample();
    type(entry->txtMCity, QStringLiteral("New Delhi"));

    // A zone written by the picker must survive the trip as well.
    services->onModal = [](QDialog& picker) {
        auto* list = picker.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QVERIFY(list != nullptr && list->count() > 6);
        const QPoint row = list->visualItemRect(list->item(6)).center(); // 9 hours 30 East
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
    };
    QTest::mouseClick(entry->lblTZHelp, Qt::LeftButton);
    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(entry->txtZoneMinute->text(), QStringLiteral("30"));
    QVERIFY(entry->txtZoneHour->text() != QStringLiteral("5"));
    const QStringList before = entryFields(*entry);
    askForReading();

    QPointer<frmDisplay> first = shownDisplay();
    QVERIFY(first != nullptr);
    const QStringList firstReading = shownReading(*first);
    QTest::mouseClick(first->SSTab1->tabBar(), Qt::LeftButton, {},
                      first->SSTab1->tabBar()->tabRect(1).center());
    QCOMPARE(first->SSTab1->currentIndex(), 1);

    if (fromMenu)
        first->mnuFileBack->trigger();
    else
        QTest::mouseClick(first->cmdOK, Qt::LeftButton);
    QVERIFY(entry->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(entry));
    QCOMPARE(entryFields(*entry), before);
    QCOMPARE(services->endCount, 0);
    QTRY_COMPARE(QApplication::activeWindow(), entry.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(first.isNull(), "Back unloads the display window");

    // Another hour and place: every one of the four texts changes.
    type(entry->cboHH, QStringLiteral("18"));
    type(entry->txtLatD, QStringLiteral("45"));
    askForReading();
    frmDisplay* second = shownDisplay();
    QVERIFY(second != nullptr);
    QCOMPARE(second->SSTab1->currentIndex(), 0);
    const QStringList secondReading = shownReading(*second);
    for (int box = 0; box < 4; ++box)
        QVERIFY2(secondReading[box] != firstReading[box], qPrintable(secondReading[box]));
    QVERIFY(entry->isHidden());
}

void ReadingRequestTest::loadedWindowIsOverwritten()
{
    typeWorkedExample();
    askForReading();
    QPointer<frmDisplay> display = shownDisplay();
    QVERIFY(display != nullptr);
    display->SSTab1->setCurrentIndex(1);

    // A second request while the window is still loaded fills the same window afresh.
    entry->txtLatD->setText(QStringLiteral("45"));
    RequestReading(*entry);
    QCOMPARE(shownDisplay(), display.data());
    modEphemeris::BirthData expected = workedExample();
    expected.LatitudeDegrees = 45;
    QCOMPARE(shownReading(*display), computedReading(expected));
    QCOMPARE(display->SSTab1->currentIndex(), 0);

    // Going back from it still shows the entry window, once.
    QTest::mouseClick(display->cmdOK, Qt::LeftButton);
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
    typeWorkedExample();
    askForReading();
    QPointer<frmDisplay> display = shownDisplay();
    QVERIFY(display != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(display));

    if (command == QLatin1String("cmdExit"))
        QTest::mouseClick(display->cmdExit, Qt::LeftButton);
    else if (command == QLatin1String("mnuExit"))
        display->mnuExit->trigger();
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
