#include "display/frmDasha.h"

#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <memory>

namespace {

using modEphemeris::MoonSource;

constexpr double kJ2000 = 2451545; // 2000-01-01 12:00 UT
constexpr double kDaysPerYear = 365.25;
constexpr double kWorkedExampleMoon = 196.7112; // Swati, 20' before its middle
constexpr int kIndia = 19800;                   // UTC+05:30

/// Periods to three levels of a Moon at the longitude at J2000, moving 13 degrees a day.
DashaView viewOf(double longitude, MoonSource source, double minutes, double todayYears,
                 int offsetSeconds)
{
    modEphemeris::DashaRequest r;
    r.longitude = longitude;
    r.source = source;
    r.moonErrorArcseconds = source == MoonSource::precise ? 5 : 150.6;
    r.julianDay = kJ2000;
    r.moonMotion = 13;
    r.birthTimeMinutes = minutes;
    r.levels = 3;
    return {
        modEphemeris::ComputeVimshottari(r), {}, offsetSeconds, kJ2000 + todayYears * kDaysPerYear};
}

/// The date on a clock offsetSeconds ahead of universal time, by Qt's own calendar.
QString clockDate(double julianDay, int offsetSeconds)
{
    const auto minutes = std::llround((julianDay - 2440587.5) * 1440);
    return QDateTime::fromMSecsSinceEpoch(minutes * 60000, Qt::OffsetFromUTC, offsetSeconds)
        .toString(QStringLiteral("yyyy-MM-dd"));
}

/// Every row of the table, each before the rows below it.
QList<QTreeWidgetItem*> allRows(const QTreeWidget& table)
{
    QList<QTreeWidgetItem*> rows;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&table)); *it != nullptr; ++it)
        rows << *it;
    return rows;
}

const QString kCopiedElsewhere = QStringLiteral("copied in another program");

} // namespace

/// The periods' window shown a birth's periods directly, without the program around it.
class frmDashaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void todayAndMarks_data();
    void todayAndMarks();
    void datesOnTheBirthPlacesClock_data();
    void datesOnTheBirthPlacesClock();
    void choicesAreAskedForNotShown();
    void clipboardRule();

private:
    void open(const DashaView& view);

    std::unique_ptr<RecordingServices> services;
    QPointer<frmDasha> window;
    QTreeWidget* table = nullptr;
};

void frmDashaTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void frmDashaTest::init()
{
    services = std::make_unique<RecordingServices>();
}

void frmDashaTest::cleanup()
{
    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    services.reset();
}

void frmDashaTest::open(const DashaView& view)
{
    window = new frmDasha;
    table = named<QTreeWidget>(*window, "lstPeriods");
    window->showDasha(view);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void frmDashaTest::todayAndMarks_data()
{
    QTest::addColumn<double>("longitude");
    QTest::addColumn<MoonSource>("source");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("todayYears"); // after J2000
    QTest::addColumn<QString>("today");     // the running periods' lords, as shown
    QTest::addColumn<int>("marked");        // rows marked shorter than twice the band
    QTest::addColumn<bool>("firstLordMark");

    // Rahu's balance of 4.44 years ends in June 2004; Jupiter's Mercury sub-period runs from
    // February 2009, its Mercury, Ketu, Venus and Sun parts 117, 48, 138 and 41 days long.
    QTest::newRow("Swati, today 1 January 2010") << kWorkedExampleMoon << MoonSource::precise << 0.0
                                                 << 10.0 << "Jupiter / Mercury / Sun" << 0 << false;
    // The round began in 1986: 1980 lies before every period.
    QTest::newRow("today before the periods")
        << kWorkedExampleMoon << MoonSource::precise << 0.0 << -20.0
        << "none: today lies outside these periods" << 0 << false;
    // Half a second past Ashwini's start, a day of birth time either way: 46805" on Ketu's
    // 7 years is 2493 days. Shorter than twice that: every sub-period (90, with their 810) and
    // the mahadashas of Ketu (twice), the Sun, the Moon and Mars.
    QTest::newRow("a day's uncertainty at Ashwini's edge")
        << 0.5 / 3600 << MoonSource::precise << 1440.0 << 200.0
        << "none: today lies outside these periods" << 905 << true;
    // This program's own Moon 5 degrees into Ashwini, 150.6" on Ketu's 7 years: 8.0 days.
    // Twice that is longer than 78 of the 810 sub-sub-periods (years a x b x c / 14400 below
    // 632.5), among them the Sun's own 5.5 days. Birth falls 2.625 years into Ketu's round:
    // in Mars's sub-period (2.508 to 2.917), in its Jupiter part (0.085 to 0.140 into it).
    QTest::newRow("this program's Moon in Ashwini, today at birth")
        << 5.0 << MoonSource::described << 0.0 << 0.0 << "Ketu / Mars / Jupiter" << 78 << false;
}

void frmDashaTest::todayAndMarks()
{
    QFETCH(double, longitude);
    QFETCH(MoonSource, source);
    QFETCH(double, minutes);
    QFETCH(double, todayYears);
    QFETCH(QString, today);
    QFETCH(int, marked);
    QFETCH(bool, firstLordMark);

    open(viewOf(longitude, source, minutes, todayYears, kIndia));
    QCOMPARE(named<QLabel>(*window, "lblToday")->text(), today);

    // The running rows stand out, and only they; each is open down to the running one.
    QStringList bold;
    int shownShort = 0;
    for (QTreeWidgetItem* row : allRows(*table)) {
        if (row->font(0).bold()) {
            bold << row->text(0);
            QVERIFY(row->isExpanded() || row->childCount() == 0);
        }
        shownShort += row->text(3).contains(QLatin1String(frmDasha::kShortMark)) ? 1 : 0;
    }
    QCOMPARE(bold.join(QStringLiteral(" / ")),
             today.startsWith(QLatin1String("none")) ? QString() : today);
    QCOMPARE(shownShort, marked);
    QCOMPARE(table->topLevelItem(0)->text(3).contains(QLatin1String(frmDasha::kFirstLordMark)),
             firstLordMark);
    QCOMPARE(table->topLevelItem(0)->childCount(), 9);
    QCOMPARE(table->topLevelItem(0)->child(0)->childCount(), 9);
}

void frmDashaTest::datesOnTheBirthPlacesClock_data()
{
    QTest::addColumn<int>("offsetSeconds");
    QTest::addColumn<QString>("clock");

    // Ignoring the offset moves boundaries across midnight in India and in New York.
    QTest::newRow("India") << kIndia << "UTC+05:30";
    QTest::newRow("New York in summer") << -4 * 3600 << "UTC\u221204:00";
    QTest::newRow("Madrid's local mean time in 1900") << -884 << "UTC\u221200:14:44";
}

void frmDashaTest::datesOnTheBirthPlacesClock()
{
    QFETCH(int, offsetSeconds);
    QFETCH(QString, clock);

    const DashaView view = viewOf(kWorkedExampleMoon, MoonSource::precise, 0, 0, offsetSeconds);
    open(view);
    const QString band = QStringLiteral(" \u00B1 0.7 days");
    const auto& mahadashas = view.dasha.mahadashas;
    QCOMPARE(table->topLevelItemCount(), static_cast<int>(mahadashas.size()));
    for (int i = 0; i < table->topLevelItemCount(); ++i) {
        const auto& period = mahadashas[static_cast<std::size_t>(i)];
        const QTreeWidgetItem* row = table->topLevelItem(i);
        QCOMPARE(row->text(0), QString::fromUtf8(period.LordName().data(),
                                                 static_cast<qsizetype>(period.LordName().size())));
        QCOMPARE(row->text(1), clockDate(period.start, offsetSeconds) + band);
        QCOMPARE(row->text(2), clockDate(period.end, offsetSeconds) + band);
    }
    QVERIFY(named<QLabel>(*window, "lblFootnote")
                ->text()
                .contains(clock + QStringLiteral(" as at birth")));
}

void frmDashaTest::choicesAreAskedForNotShown()
{
    open(viewOf(kWorkedExampleMoon, MoonSource::precise, 0, 0, kIndia));
    QSignalSpy asked(window.data(), &frmDasha::conventionsChanged);
    window->showDasha(viewOf(kWorkedExampleMoon, MoonSource::precise, 7, 0, kIndia));
    QCOMPARE(asked.count(), 0); // what is shown is no new choice
    auto* minutes = named<QSpinBox>(*window, "spnTimeUncertainty");
    QCOMPARE(minutes->value(), 7);

    auto* years = named<QComboBox>(*window, "cboYearLength");
    QTest::keyClick(years, Qt::Key_Down); // the next length: the Gregorian mean year
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.at(0), (QVariantList{365.2425, 7.0}));

    // Digits typed are one choice when Enter ends them, not one per digit.
    minutes->selectAll();
    QTest::keyClicks(minutes, QStringLiteral("15"));
    QCOMPARE(asked.count(), 1);
    QTest::keyClick(minutes, Qt::Key_Return);
    QCOMPARE(asked.count(), 2);
    QCOMPARE(asked.at(1), (QVariantList{365.2425, 15.0}));
}

void frmDashaTest::clipboardRule()
{
    QGuiApplication::clipboard()->setText(kCopiedElsewhere);
    open(viewOf(kWorkedExampleMoon, MoonSource::precise, 0, 0, kIndia));
    QVERIFY2(QGuiApplication::clipboard()->text().isEmpty(), "filling the table empties it");

    QGuiApplication::clipboard()->setText(kCopiedElsewhere);
    QTest::mouseMove(named<QLabel>(*window, "lblBand"));
    QCOMPARE(QGuiApplication::clipboard()->text(), kCopiedElsewhere);
    QTest::mouseMove(table->viewport(), QPoint(20, 10));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

QTEST_MAIN(frmDashaTest)
#include "frmDashaTest.moc"
