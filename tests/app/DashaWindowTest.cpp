#include "app/AppController.h"
#include "display/frmDasha.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/MoonChoice.h"
#include "support/EntryTyping.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <memory>

namespace {

using modEphemeris::VimshottariDasha;

constexpr int kIndia = 19800; // the worked example's zone, 5 h 30 min east

/// The periods the window should show for the worked example at an hour of the day.
VimshottariDasha expectedPeriods(int hour, double yearDays, double minutes)
{
    modEphemeris::BirthData birth = birth::WorkedExample();
    birth.BirthHour = static_cast<std::int16_t>(hour);
    modEphemeris::DashaStart start = modEphemeris::DashaStartFor({birth, {}});
    start.request.yearDays = yearDays;
    start.request.birthTimeMinutes = minutes;
    start.request.levels = 3;
    return modEphemeris::ComputeVimshottari(start.request);
}

/// A date cell as the window should write it.
QString dateCell(double julianDay, const VimshottariDasha& d)
{
    const modEphemeris::CivilTime t = modEphemeris::ClockMinuteOf(julianDay, kIndia);
    return QDate(t.year, t.month, t.day).toString(QStringLiteral("yyyy-MM-dd ")) +
           QString::fromStdString(modEphemeris::PlusMinusDays(d.bandDays));
}

QString labelText(const QWidget& window, const char* name)
{
    return named<QLabel>(window, name)->text();
}

} // namespace

/// The periods' window as the program opens it: from the shown reading, through the controller.
class DashaWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void periodsOfTheShownReading_data();
    void periodsOfTheShownReading();
    void choicesBringNewPeriods_data();
    void choicesBringNewPeriods();
    void closingRules_data();
    void closingRules();

private:
    /// Reads the worked example at an hour and opens its periods from the menu or by Ctrl+P.
    frmDasha* openPeriods(int hour, bool fromMenu);

    std::unique_ptr<ProgramUnderTest> program;
    QPointer<frmDisplay> display;
};

void DashaWindowTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void DashaWindowTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
}

void DashaWindowTest::cleanup()
{
    program.reset(); // the periods go with the display windows that own them
}

frmDasha* DashaWindowTest::openPeriods(int hour, bool fromMenu)
{
    typeWorkedExample(program->entry);
    program->ui.cboHH->setCurrentIndex(hour);
    QTest::mouseClick(program->ui.cmdRashi, Qt::LeftButton);
    display = shownDisplay();
    if (display == nullptr || !QTest::qWaitForWindowActive(display))
        return nullptr;
    if (fromMenu)
        named<QAction>(*display, "mnuDasha")->trigger();
    else
        QTest::keyClick(display->windowHandle(), Qt::Key_P, Qt::ControlModifier);
    auto* periods = display->findChild<frmDasha*>();
    return periods != nullptr && periods->isVisible() ? periods : nullptr;
}

void DashaWindowTest::periodsOfTheShownReading_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("hour");
    QTest::newRow("worked example, File > Vimshottari Periods...") << true << 12;
    QTest::newRow("worked example, Ctrl+P") << false << 12;
    // Eight hours on, the Moon has moved 4 degrees, 43' into Vishakha, Jupiter's.
    QTest::newRow("at 20:00, Ctrl+P") << false << 20;
}

void DashaWindowTest::periodsOfTheShownReading()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, hour);

    frmDasha* periods = openPeriods(hour, fromMenu);
    QVERIFY(periods != nullptr);
    QVERIFY(!periods->isModal());
    QVERIFY(display->isVisible()); // the reading stays where it was

    const VimshottariDasha d = expectedPeriods(hour, 365.25, 0);
    QCOMPARE(labelText(*periods, "lblNakshatra"), hour == 12
                                                      ? QStringLiteral("Swati, lord Rahu")
                                                      : QStringLiteral("Vishakha, lord Jupiter"));
    QCOMPARE(labelText(*periods, "lblMoon").startsWith(QLatin1String("The precise Moon: ")),
             modEphemeris::PreciseMoonBuilt());
    QCOMPARE(labelText(*periods, "lblMoon"), QString::fromStdString(DashaMoonInWords(d, {})));
    QCOMPARE(labelText(*periods, "lblConvention"),
             QStringLiteral("A dasha year here is 365.25 days (the Julian year); other tools may "
                            "use 360 or 365.2425."));

    const auto* table = named<QTreeWidget>(*periods, "lstPeriods");
    QCOMPARE(table->topLevelItemCount(), 10); // from the period running at birth for 120 years
    QCOMPARE(table->topLevelItem(0)->text(1), dateCell(d.mahadashas.front().start, d));
    QStringList today;
    const double now = 2440587.5 + QDateTime::currentMSecsSinceEpoch() / 86400000.0;
    for (const modEphemeris::DashaPeriod* p : RunningPeriodsAt(d, now))
        today << QString::fromUtf8(p->LordName().data(),
                                   static_cast<qsizetype>(p->LordName().size()));
    QCOMPARE(labelText(*periods, "lblToday"), today.join(QStringLiteral(" / ")));
    QVERIFY(program->services.messages.isEmpty());
}

void DashaWindowTest::choicesBringNewPeriods_data()
{
    QTest::addColumn<int>("downKeys"); // in the list of dasha years, from the Julian year
    QTest::addColumn<int>("minutes");
    QTest::addColumn<double>("yearDays");
    QTest::addColumn<QString>("convention");

    QTest::newRow("the Gregorian mean year")
        << 1 << 0 << 365.2425
        << "A dasha year here is 365.2425 days (the Gregorian calendar's mean year); other tools "
           "may use 365.25 or 360.";
    QTest::newRow("twelve months of 30 days")
        << 3 << 0 << 360.0
        << "A dasha year here is 360 days (twelve months of 30 days); other tools may use 365.25 "
           "or 365.2425.";
    QTest::newRow("a birth time known to ten minutes")
        << 0 << 10 << 365.25
        << "A dasha year here is 365.25 days (the Julian year); other tools may use 360 or "
           "365.2425.";
}

void DashaWindowTest::choicesBringNewPeriods()
{
    QFETCH(int, downKeys);
    QFETCH(int, minutes);
    QFETCH(double, yearDays);
    QFETCH(QString, convention);

    QPointer<frmDasha> periods = openPeriods(12, true);
    QVERIFY(periods != nullptr);
    const auto* table = named<QTreeWidget>(*periods, "lstPeriods");
    const int last = table->topLevelItemCount() - 1;
    const QString before = table->topLevelItem(last)->text(2);

    auto* years = named<QComboBox>(*periods, "cboYearLength");
    for (int i = 0; i < downKeys; ++i)
        QTest::keyClick(years, Qt::Key_Down);
    if (minutes > 0) {
        auto* uncertainty = named<QSpinBox>(*periods, "spnTimeUncertainty");
        uncertainty->selectAll();
        QTest::keyClicks(uncertainty, QString::number(minutes));
        QTest::keyClick(uncertainty, Qt::Key_Return);
    }

    QCOMPARE(display->findChild<frmDasha*>(), periods.data()); // the same window, refilled
    const VimshottariDasha d = expectedPeriods(12, yearDays, minutes);
    QCOMPARE(labelText(*periods, "lblConvention"), convention);
    QCOMPARE(labelText(*periods, "lblBand"), QString::fromStdString(DashaBandInWords(d)));
    QCOMPARE(labelText(*periods, "lblBand").contains(QLatin1String("a birth time off by")),
             minutes > 0);
    // The last period's end, 124 years on, moves with the year (by 0.9 days for the Gregorian
    // mean year); its band widens with the birth time.
    QCOMPARE(table->topLevelItem(last)->text(2), dateCell(d.mahadashas.back().end, d));
    QVERIFY(table->topLevelItem(last)->text(2) != before);
}

void DashaWindowTest::closingRules_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("Back") << "Back";
    QTest::newRow("Exit") << "Exit";
    QTest::newRow("the window system's close") << "close";
    QTest::newRow("a new reading") << "reading";
}

void DashaWindowTest::closingRules()
{
    QFETCH(QString, command);
    QPointer<frmDasha> periods = openPeriods(12, true);
    QVERIFY(periods != nullptr);

    const DisplayControls ui(*display);
    if (command == QLatin1String("Esc"))
        QTest::keyClick(periods->windowHandle(), Qt::Key_Escape);
    else if (command == QLatin1String("Back"))
        QTest::mouseClick(ui.cmdOK, Qt::LeftButton);
    else if (command == QLatin1String("Exit"))
        QTest::mouseClick(ui.cmdExit, Qt::LeftButton);
    else if (command == QLatin1String("close"))
        display->windowHandle()->close();
    else
        emit program->entry.readingRequested(); // File > "Get Selenoscope Calculator"

    QVERIFY(periods.isNull() || !periods->isVisible());
    const bool readingStays =
        command == QLatin1String("Esc") || command == QLatin1String("reading");
    QCOMPARE(display->isVisible(), readingStays);
    QCOMPARE(program->services.endCount,
             command == QLatin1String("Exit") || command == QLatin1String("close") ? 1 : 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(periods.isNull());
}

QTEST_MAIN(DashaWindowTest)
#include "DashaWindowTest.moc"
