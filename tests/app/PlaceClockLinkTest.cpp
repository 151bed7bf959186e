// The offline atlas through the entry window: "Find Place Offline..." fills the
// fields, a reading asks which universal time to use where the zone fields
// cannot say the place's clock, and a hand edit ends the link to that clock.
#include "app/AppController.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/modEphemeris.h"
#include "shell/LinkLabel.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"
#include "support/ZoneListClicks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace {

/// The four texts of the birth at the true instant of a clock that offset seconds ahead.
QStringList readingAtOffset(const modEphemeris::BirthData& birth, int offsetSeconds)
{
    const modEphemeris::MoonReadings reading =
        modEphemeris::ComputeMoonReadings({birth, offsetSeconds});
    return {QString::fromStdString(reading.sidereal.GeocentricText),
            QString::fromStdString(reading.sidereal.TopocentricText),
            QString::fromStdString(reading.tropical.GeocentricText),
            QString::fromStdString(reading.tropical.TopocentricText)};
}

} // namespace

class PlaceClockLinkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void choosingAPlaceFillsTheFields_data();
    void choosingAPlaceFillsTheFields();
    void cancelWritesNothing();
    void readingAsksWhenTheFieldsCannotSayTheClock_data();
    void readingAsksWhenTheFieldsCannotSayTheClock();
    void fieldsThatSayTheClockAskNothing();
    void aHandEditEndsTheLink_data();
    void aHandEditEndsTheLink();
    void aPlaceNameEditKeepsTheLink_data();
    void aPlaceNameEditKeepsTheLink();
    void aCoordinateEditTakesTheUnsaidZoneAlong_data();
    void aCoordinateEditTakesTheUnsaidZoneAlong();
    void localMeanTimeIsReadToTheSecond();
    void aNewDateRederivesTheZoneFields();

private:
    void setBirth(const QString& month, const QString& day, const QString& year,
                  const QString& hour);
    /// Opens the finder with Ctrl+F, types the query and takes the first place with Enter.
    void findPlace(const QString& query);
    /// Types a character at the end of the box, or clicks the control, as a user would.
    void editByHand(const QString& control);
    QStringList zoneFields() const;

    std::unique_ptr<ProgramUnderTest> program;
    RecordingServices* services = nullptr;
    QPointer<frmMain> entry;
    const EntryControls* ui = nullptr;
};

void PlaceClockLinkTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void PlaceClockLinkTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
    services = &program->services;
    entry = &program->entry;
    ui = &program->ui;
    ui->txtName->setText(QStringLiteral("ASHA"));
}

void PlaceClockLinkTest::cleanup()
{
    program.reset();
}

void PlaceClockLinkTest::setBirth(const QString& month, const QString& day, const QString& year,
                                  const QString& hour)
{
    ui->cboMonth->setCurrentText(month);
    ui->cboDate->setCurrentText(day);
    ui->cboYear->setCurrentText(year);
    ui->cboHH->setCurrentText(hour);
    ui->cboMM->setCurrentText(QStringLiteral("0"));
}

void PlaceClockLinkTest::findPlace(const QString& query)
{
    services->onModal = [query](QDialog& finder) {
        auto* search = finder.findChild<QLineEdit*>(QStringLiteral("txtSearch"));
        QVERIFY(search != nullptr);
        QTest::keyClicks(search, query);
        QTest::keyClick(search, Qt::Key_Return);
    };
    ui->txtName->setFocus();
    QTest::keySequence(entry, QKeySequence(Qt::CTRL | Qt::Key_F));
    services->onModal = nullptr;
}

void PlaceClockLinkTest::editByHand(const QString& control)
{
    if (control == QLatin1String("picker")) {
        services->onModal = [](QDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
            QVERIFY(list != nullptr);
            doubleClickRow(list, rowWithText(list, QStringLiteral("Indian Time, IST, -5.5")));
        };
        QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);
        services->onModal = nullptr;
        return;
    }
    QWidget* field = entry->findChild<QWidget*>(control);
    QVERIFY(field != nullptr);
    if (auto* box = qobject_cast<QLineEdit*>(field)) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, control.startsWith(QLatin1String("txtM")) ? "x" : "2");
    } else {
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(6, field->height() / 2));
    }
}

QStringList PlaceClockLinkTest::zoneFields() const
{
    return {ui->txtZoneHour->text(), ui->txtZoneMinute->text(),
            ui->chkDST->isChecked() ? QStringLiteral("DST") : QStringLiteral("no DST")};
}

void PlaceClockLinkTest::choosingAPlaceFillsTheFields_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("date"); // month, day, year, hour
    QTest::addColumn<QStringList>("place");
    QTest::addColumn<QStringList>("coordinates"); // degrees, minutes, side
    QTest::addColumn<QStringList>("zone");

    QTest::newRow("London in summer: no zone, daylight saving")
        << "London" << QStringList{"July", "1", "1985", "12"}
        << QStringList{"London", "England", "United Kingdom"}
        << QStringList{"0", "8", "West", "51", "31", "North"} << QStringList{"0", "0", "DST"};
    QTest::newRow("Madrid in 1980: ahead of Greenwich although west of it")
        << "Madrid" << QStringList{"July", "1", "1980", "12"}
        << QStringList{"Madrid", "Madrid", "Spain"}
        << QStringList{"3", "42", "West", "40", "25", "North"} << QStringList{"-2", "0", "no DST"};
    QTest::newRow("Kolkata, found as Calcutta")
        << "Calcutta" << QStringList{"January", "1", "2000", "12"}
        << QStringList{"Kolkata", "West Bengal", "India"}
        << QStringList{"88", "22", "East", "22", "34", "North"} << QStringList{"5", "30", "no DST"};
}

void PlaceClockLinkTest::choosingAPlaceFillsTheFields()
{
    QFETCH(QString, query);
    QFETCH(QStringList, date);
    QFETCH(QStringList, place);
    QFETCH(QStringList, coordinates);
    QFETCH(QStringList, zone);

    setBirth(date[0], date[1], date[2], date[3]);
    findPlace(query);

    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(services->modals[0].objectName, QStringLiteral("frmPlaceFinder"));
    QCOMPARE((QStringList{ui->txtMCity->text(), ui->txtMState->text(), ui->txtMCountry->text()}),
             place);
    QCOMPARE((QStringList{ui->txtLonD->text(), ui->txtLonM->text(),
                          ui->optLong[0]->isChecked() ? "East" : "West", ui->txtLatD->text(),
                          ui->txtLatM->text(), ui->optLat[1]->isChecked() ? "South" : "North"}),
             coordinates);
    QCOMPARE(zoneFields(), zone);
    QVERIFY(services->messages.isEmpty());
}

void PlaceClockLinkTest::cancelWritesNothing()
{
    // The finder stands above "Exit", the usual separator between them.
    QStringList file;
    for (const QAction* action : entry->findChild<QMenu*>(QStringLiteral("mnuFile"))->actions())
        file << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(file,
             (QStringList{"Get Selenoscope Calculator", "Find Place &Offline...", "-", "E&xit"}));

    ui->txtMCity->setText(QStringLiteral("Pune"));
    services->onModal = [](QDialog& finder) {
        QTest::keyClicks(finder.findChild<QLineEdit*>(QStringLiteral("txtSearch")),
                         QStringLiteral("Madrid"));
        QTest::keyClick(&finder, Qt::Key_Escape);
    };
    const QStringList before = {ui->txtMCity->text(), ui->txtLonD->text(), ui->txtZoneHour->text()};
    entry->findChild<QAction*>(QStringLiteral("mnuFindPlace"))->trigger();
    QCOMPARE(services->modals.size(), 1);
    QCOMPARE((QStringList{ui->txtMCity->text(), ui->txtLonD->text(), ui->txtZoneHour->text()}),
             before);
}

void PlaceClockLinkTest::readingAsksWhenTheFieldsCannotSayTheClock_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("atTrueInstant"); // else by the zone as entered
    QTest::addColumn<bool>("shown");
    QTest::newRow("use the place's clock") << 0 << true << true;
    QTest::newRow("use the zone as entered") << 1 << false << true;
    QTest::newRow("question closed without an answer") << -1 << false << false;
}

void PlaceClockLinkTest::readingAsksWhenTheFieldsCannotSayTheClock()
{
    QFETCH(int, answer);
    QFETCH(bool, atTrueInstant);
    QFETCH(bool, shown);

    setBirth(QStringLiteral("July"), QStringLiteral("1"), QStringLiteral("1980"),
             QStringLiteral("12"));
    findPlace(QStringLiteral("Madrid"));
    services->answer = answer;
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

    QCOMPARE(services->questions.size(), 1);
    const RecordingServices::Question& asked = services->questions[0];
    QCOMPARE(asked.text,
             QStringLiteral("Madrid kept UTC+02:00 (CEST) at this birth, so it was 10:00 universal "
                            "time. The zone as entered counts a place west of Greenwich as behind "
                            "Greenwich and would give 14:00."));
    QCOMPARE(asked.answers, (QStringList{QStringLiteral("Use 10:00 UT"),
                                         QStringLiteral("Use the zone as entered")}));
    QCOMPARE(asked.defaultAnswer, 0);

    frmDisplay* display = shownDisplay();
    QCOMPARE(display != nullptr, shown);
    if (!shown)
        return;
    const std::optional<modEphemeris::BirthData> birth = entry->birthData();
    QVERIFY(birth);
    QCOMPARE(shownReading(*display),
             atTrueInstant ? readingAtOffset(*birth, 2 * 3600) : computedReading(*birth));
    QVERIFY(readingAtOffset(*birth, 2 * 3600) != computedReading(*birth)); // four hours apart

    // The details are those of the instant the reading used.
    DisplayControls(*display).mnuDetails->trigger();
    QWidget* details = display->findChild<QWidget*>(QStringLiteral("frmDetails"));
    QVERIFY(details != nullptr);
    QCOMPARE(DetailsControls(*details).readings(), shownReading(*display));
    QCOMPARE(DetailsControls(*details).text("lblRule").startsWith(
                 QStringLiteral("The clock at the place kept UTC+02:00")),
             atTrueInstant);
}

void PlaceClockLinkTest::fieldsThatSayTheClockAskNothing()
{
    setBirth(QStringLiteral("July"), QStringLiteral("1"), QStringLiteral("1985"),
             QStringLiteral("12"));
    findPlace(QStringLiteral("London"));
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

    QVERIFY(services->questions.isEmpty());
    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    const std::optional<modEphemeris::BirthData> birth = entry->birthData();
    QVERIFY(birth);
    // The described reading is the true one here: British Summer Time, one hour ahead.
    QCOMPARE(shownReading(*display), computedReading(*birth));
    QCOMPARE(shownReading(*display), readingAtOffset(*birth, 3600));
}

void PlaceClockLinkTest::aHandEditEndsTheLink_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("zone hour typed") << "txtZoneHour";
    QTest::newRow("DST clicked") << "chkDST";
    QTest::newRow("zone picked from the list") << "picker";
}

void PlaceClockLinkTest::aHandEditEndsTheLink()
{
    QFETCH(QString, edit);
    setBirth(QStringLiteral("July"), QStringLiteral("1"), QStringLiteral("1980"),
             QStringLiteral("12"));
    findPlace(QStringLiteral("Madrid"));
    editByHand(edit);
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

    QVERIFY2(services->questions.isEmpty(), "no question once the zone is the user's");
    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    const std::optional<modEphemeris::BirthData> birth = entry->birthData();
    QVERIFY(birth);
    QCOMPARE(shownReading(*display), computedReading(*birth));
}

void PlaceClockLinkTest::aPlaceNameEditKeepsTheLink_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("city typed") << "txtMCity";
    QTest::newRow("state typed") << "txtMState";
    QTest::newRow("country typed") << "txtMCountry";
}

void PlaceClockLinkTest::aPlaceNameEditKeepsTheLink()
{
    QFETCH(QString, edit);
    setBirth(QStringLiteral("July"), QStringLiteral("1"), QStringLiteral("1980"),
             QStringLiteral("12"));
    findPlace(QStringLiteral("Madrid"));
    editByHand(edit);
    services->answer = 0;
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

    // The names do not change the instant: still 10:00 UT, not the 14:00 of the zone rule.
    QCOMPARE(services->questions.size(), 1);
    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    const std::optional<modEphemeris::BirthData> birth = entry->birthData();
    QVERIFY(birth);
    QCOMPARE(shownReading(*display), readingAtOffset(*birth, 2 * 3600));
}

void PlaceClockLinkTest::aCoordinateEditTakesTheUnsaidZoneAlong_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("West clicked again") << "optLong_1";
    QTest::newRow("longitude minutes typed") << "txtLonM";
    QTest::newRow("latitude degrees typed") << "txtLatD";
}

void PlaceClockLinkTest::aCoordinateEditTakesTheUnsaidZoneAlong()
{
    QFETCH(QString, edit);
    setBirth(QStringLiteral("July"), QStringLiteral("1"), QStringLiteral("1980"),
             QStringLiteral("12"));
    findPlace(QStringLiteral("Madrid"));
    QCOMPARE(zoneFields(), (QStringList{"-2", "0", "no DST"}));
    editByHand(edit);

    // Left behind, "-2" would read as two hours behind Greenwich: 14:00 UT, silently.
    QCOMPARE(zoneFields(), (QStringList{"", "", "no DST"}));
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);
    QVERIFY(services->questions.isEmpty());
    QVERIFY(shownDisplay() == nullptr);
    QCOMPARE(services->messages.size(), 1);
    QCOMPARE(services->messages[0].text,
             QStringLiteral("Please Enter Value Between 0 And 12 in the Zone Hour"));
}

void PlaceClockLinkTest::localMeanTimeIsReadToTheSecond()
{
    // Kathmandu kept its local mean time, 5:41:16 ahead of Greenwich: the fields say 5:41.
    setBirth(QStringLiteral("January"), QStringLiteral("1"), QStringLiteral("1910"),
             QStringLiteral("10"));
    findPlace(QStringLiteral("Kathmandu"));
    QCOMPARE(zoneFields(), (QStringList{"5", "41", "no DST"}));
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

    QVERIFY(services->questions.isEmpty());
    frmDisplay* display = shownDisplay();
    QVERIFY(display != nullptr);
    DisplayControls(*display).mnuDetails->trigger();
    QWidget* details = display->findChild<QWidget*>(QStringLiteral("frmDetails"));
    QVERIFY(details != nullptr);
    QVERIFY2(DetailsControls(*details).text("lblUniversalTime").contains("04:18:44"),
             qPrintable(DetailsControls(*details).text("lblUniversalTime")));
}

void PlaceClockLinkTest::aNewDateRederivesTheZoneFields()
{
    setBirth(QStringLiteral("January"), QStringLiteral("15"), QStringLiteral("1985"),
             QStringLiteral("12"));
    findPlace(QStringLiteral("London"));
    QCOMPARE(zoneFields(), (QStringList{"0", "0", "no DST"}));

    // July chosen from the month list as a user does: British Summer Time.
    ui->cboMonth->setFocus();
    QTest::keyClick(ui->cboMonth, Qt::Key_End);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(ui->cboMonth, Qt::Key_Up);
    QCOMPARE(ui->cboMonth->currentText(), QStringLiteral("July"));
    QCOMPARE(zoneFields(), (QStringList{"0", "0", "DST"}));

    // 1941: double summer time, which the fields cannot say; the link asks at the reading.
    ui->cboYear->setFocus();
    while (ui->cboYear->currentText() != QLatin1String("1941"))
        QTest::keyClick(ui->cboYear, Qt::Key_Up);
    QCOMPARE(zoneFields(), (QStringList{"-2", "0", "no DST"}));
    services->answer = 0;
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);
    QCOMPARE(services->questions.size(), 1);
    QVERIFY(services->questions[0].text.startsWith(QStringLiteral("London kept UTC+02:00 (BDST)")));
}

QTEST_MAIN(PlaceClockLinkTest)
#include "PlaceClockLinkTest.moc"
