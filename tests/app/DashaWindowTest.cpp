#include "display/frmDasha.h"
#include "display/frmDisplay.h"
#include "ephemeris/MoonChoice.h"
#include "support/EntryTyping.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <memory>

namespace {

/// The worked example's periods at an hour of the day, as the window should show them.
modEphemeris::VimshottariDasha expectedPeriods(int hour, double yearDays, double minutes)
{
    modEphemeris::BirthData birth = birth::WorkedExample();
    birth.BirthHour = static_cast<std::int16_t>(hour);
    modEphemeris::DashaStart start = modEphemeris::DashaStartFor({birth, {}});
    start.request.yearDays = yearDays;
    start.request.birthTimeMinutes = minutes;
    start.request.levels = 3;
    return modEphemeris::ComputeVimshottari(start.request);
}

QString text(const QWidget& window, const char* label)
{
    return named<QLabel>(window, label)->text();
}

} // namespace

/// The periods' window as the program opens it: from the shown reading, through the controller.
class DashaWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { program.reset(); } // the periods go with the display windows that own them

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

void DashaWindowTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
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
    return periods != nullptr && periods->isVisible() && !periods->isModal() ? periods : nullptr;
}

void DashaWindowTest::periodsOfTheShownReading_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("hour");
    QTest::addColumn<QString>("nakshatra");
    QTest::newRow("File > Vimshottari Periods...") << true << 12 << "Swati, lord Rahu";
    // Eight hours on, the Moon has moved 4 degrees, 43' into the next nakshatra.
    QTest::newRow("Ctrl+P, at 20:00") << false << 20 << "Vishakha, lord Jupiter";
}

void DashaWindowTest::periodsOfTheShownReading()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, hour);
    QFETCH(QString, nakshatra);

    const frmDasha* periods = openPeriods(hour, fromMenu);
    QVERIFY(periods != nullptr);
    QVERIFY(display->isVisible()); // the reading stays where it was
    QCOMPARE(text(*periods, "lblNakshatra"), nakshatra);
    QCOMPARE(text(*periods, "lblMoon").startsWith(QLatin1String("The precise Moon: ")),
             modEphemeris::PreciseMoonBuilt());
    const auto d = expectedPeriods(hour, 365.25, 0);
    QCOMPARE(text(*periods, "lblMoon"), QString::fromStdString(DashaMoonInWords(d, {})));
    QCOMPARE(text(*periods, "lblBalance"), QString::fromStdString(DashaBalanceInWords(d)));
    QCOMPARE(named<QTreeWidget>(*periods, "lstPeriods")->topLevelItemCount(), 10);
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
    QTest::newRow("twelve months of 30 days, a birth time known to ten minutes")
        << 3 << 10 << 360.0
        << "A dasha year here is 360 days (twelve months of 30 days); other tools may use 365.25 "
           "or 365.2425.";
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
    const QTreeWidgetItem* last = table->topLevelItem(table->topLevelItemCount() - 1);
    const QString before = last->text(2);

    for (int i = 0; i < downKeys; ++i)
        QTest::keyClick(named<QComboBox>(*periods, "cboYearLength"), Qt::Key_Down);
    if (minutes > 0) {
        auto* uncertainty = named<QSpinBox>(*periods, "spnTimeUncertainty");
        uncertainty->selectAll();
        QTest::keyClicks(uncertainty, QString::number(minutes));
        QTest::keyClick(uncertainty, Qt::Key_Return);
    }

    QCOMPARE(display->findChild<frmDasha*>(), periods.data()); // the same window, refilled
    const auto d = expectedPeriods(12, yearDays, minutes);
    QCOMPARE(text(*periods, "lblConvention"), convention);
    QCOMPARE(text(*periods, "lblBand"), QString::fromStdString(DashaBandInWords(d)));
    // The last end, 124 years on, moves with the year (0.9 days for the Gregorian mean year).
    last = table->topLevelItem(table->topLevelItemCount() - 1);
    const modEphemeris::CivilTime end = modEphemeris::ClockMinuteOf(d.mahadashas.back().end, 19800);
    QCOMPARE(last->text(2), QDate(end.year, end.month, end.day).toString(Qt::ISODate) +
                                QStringLiteral(" ") +
                                QString::fromStdString(modEphemeris::PlusMinusDays(d.bandDays)));
    QVERIFY(last->text(2) != before);
}

void DashaWindowTest::closingRules_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("readingStays");
    QTest::addColumn<int>("ends"); // how often the program's exit ran
    QTest::newRow("Esc") << "Esc" << true << 0;
    QTest::newRow("Back") << "Back" << false << 0;
    QTest::newRow("Exit") << "Exit" << false << 1;
    QTest::newRow("the window system's close") << "close" << false << 1;
    QTest::newRow("a new reading") << "reading" << true << 0;
}

void DashaWindowTest::closingRules()
{
    QFETCH(QString, command);
    QFETCH(bool, readingStays);
    QFETCH(int, ends);
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
    QCOMPARE(display->isVisible(), readingStays);
    QCOMPARE(program->services.endCount, ends);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(periods.isNull());
}

QTEST_MAIN(DashaWindowTest)
#include "DashaWindowTest.moc"
