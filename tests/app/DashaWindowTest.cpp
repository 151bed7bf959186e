#include "display/frmDasha.h"
#include "display/frmDisplay.h"
#include "ephemeris/MoonChoice.h"
#include "support/EntryTyping.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <memory>

namespace {

/// The worked example's periods at noon, as the window should show them.
modEphemeris::VimshottariDasha expectedPeriods(double yearDays, double minutes)
{
    modEphemeris::DashaStart start = modEphemeris::DashaStartFor({birth::WorkedExample(), {}});
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

    void periodsAndTheirChoices_data();
    void periodsAndTheirChoices();
    void closingRules_data();
    void closingRules();

private:
    /// Reads the worked example and opens its periods from the menu or by Ctrl+P.
    frmDasha* openPeriods(bool fromMenu);

    std::unique_ptr<ProgramUnderTest> program;
    QPointer<frmDisplay> display;
};

void DashaWindowTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
}

frmDasha* DashaWindowTest::openPeriods(bool fromMenu)
{
    typeWorkedExample(program->entry);
    QTest::mouseClick(program->ui.cmdRashi, Qt::LeftButton);
    display = shownDisplay();
    if (display == nullptr || !QTest::qWaitForWindowActive(display))
        return nullptr;
    QGuiApplication::clipboard()->setText(QStringLiteral("copied elsewhere"));
    if (fromMenu)
        named<QAction>(*display, "mnuDasha")->trigger();
    else
        QTest::keyClick(display->windowHandle(), Qt::Key_P, Qt::ControlModifier);
    auto* periods = display->findChild<frmDasha*>();
    return periods != nullptr && periods->isVisible() && !periods->isModal() ? periods : nullptr;
}

void DashaWindowTest::periodsAndTheirChoices_data()
{
    QTest::addColumn<bool>("fromMenu"); // else Ctrl+P
    QTest::addColumn<int>("downKeys");  // in the list of dasha years, from the Julian year
    QTest::addColumn<int>("minutes");
    QTest::addColumn<double>("yearDays");
    QTest::addColumn<QString>("convention");

    QTest::newRow("File > Vimshottari Periods..., the Gregorian mean year")
        << true << 1 << 0 << 365.2425
        << "A dasha year here is 365.2425 days (the Gregorian calendar's mean year); other tools "
           "may use 365.25 or 360.";
    // A day of birth time either way is 12 degrees of the Moon, 16 years on Rahu's 18 years:
    // every period is shorter than twice that.
    QTest::newRow("Ctrl+P, twelve months of 30 days, a birth time known to a day")
        << false << 3 << 1440 << 360.0
        << "A dasha year here is 360 days (twelve months of 30 days); other tools may use 365.25 "
           "or 365.2425.";
}

void DashaWindowTest::periodsAndTheirChoices()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, downKeys);
    QFETCH(int, minutes);
    QFETCH(double, yearDays);
    QFETCH(QString, convention);

    QPointer<frmDasha> periods = openPeriods(fromMenu);
    QVERIFY(periods != nullptr);
    QVERIFY(display->isVisible()); // the reading stays where it was
    QCOMPARE(text(*periods, "lblNakshatra"), QStringLiteral("Swati, lord Rahu"));
    QCOMPARE(text(*periods, "lblMoon").startsWith(QLatin1String("The precise Moon: ")),
             modEphemeris::PreciseMoonBuilt());

    // Today's periods, and only they, stand out.
    QStringList running;
    const double now = 2440587.5 + QDateTime::currentSecsSinceEpoch() / 86400.0;
    const modEphemeris::VimshottariDasha expected = expectedPeriods(365.25, 0);
    for (const auto* p : RunningPeriodsAt(expected, now))
        running << QString::fromUtf8(p->LordName().data(),
                                     static_cast<qsizetype>(p->LordName().size()));
    QStringList bold;
    auto* table = named<QTreeWidget>(*periods, "lstPeriods");
    for (QTreeWidgetItemIterator it(table); *it != nullptr; ++it) {
        if ((*it)->font(0).bold())
            bold << (*it)->text(0);
    }
    QCOMPARE(bold, running);
    QCOMPARE(text(*periods, "lblToday"), running.join(QStringLiteral(" / ")));

    // The table's texts empty the clipboard, as the readings' do, and so does the mouse.
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("copied elsewhere"));
    QTest::mouseMove(table->viewport(), QPoint(20, fromMenu ? 10 : 30)); // not where it was
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());

    // A choice asks the controller, which refills the same window.
    const QString before = table->topLevelItem(9)->text(2);
    for (int i = 0; i < downKeys; ++i)
        QTest::keyClick(named<QComboBox>(*periods, "cboYearLength"), Qt::Key_Down);
    if (minutes > 0) {
        auto* uncertainty = named<QSpinBox>(*periods, "spnTimeUncertainty");
        uncertainty->selectAll();
        QTest::keyClicks(uncertainty, QString::number(minutes));
        QTest::keyClick(uncertainty, Qt::Key_Return);
    }
    QCOMPARE(display->findChild<frmDasha*>(), periods.data());
    const auto d = expectedPeriods(yearDays, minutes);
    QCOMPARE(text(*periods, "lblConvention"), convention);
    QCOMPARE(text(*periods, "lblBand"), QString::fromStdString(DashaBandInWords(d)));
    // The last end, 124 years on, moves with the year (0.9 days for the Gregorian mean year),
    // on the birth place's clock (5 h 30 min east) and with the band.
    const auto end = modEphemeris::UniversalMinuteOf(d.mahadashas.back().end + 5.5 / 24);
    QCOMPARE(table->topLevelItem(9)->text(2),
             QDate(end.year, end.month, end.day).toString(Qt::ISODate) + QStringLiteral(" ") +
                 QString::fromStdString(modEphemeris::PlusMinusDays(d.bandDays)));
    QVERIFY(table->topLevelItem(9)->text(2) != before);
    int marked = 0;
    for (QTreeWidgetItemIterator it(table); *it != nullptr; ++it)
        marked += (*it)->text(3).contains(QLatin1String(frmDasha::kShortMark)) ? 1 : 0;
    QCOMPARE(marked, minutes > 0 ? 10 + 90 + 810 : 0);
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
    QPointer<frmDasha> periods = openPeriods(true);
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
