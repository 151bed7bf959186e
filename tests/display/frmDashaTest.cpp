#include "display/frmDasha.h"

#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>
#include <cmath>

Q_DECLARE_METATYPE(modEphemeris::MoonSource)

namespace {

using modEphemeris::MoonSource;

constexpr double kJ2000 = 2451545; // 2000-01-01 12:00 UT

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
    return {modEphemeris::ComputeVimshottari(r), {}, offsetSeconds, kJ2000 + todayYears * 365.25};
}

/// The date on a clock offsetSeconds ahead of universal time, by Qt's own calendar.
QString clockDate(double julianDay, int offsetSeconds)
{
    const auto minutes = std::llround((julianDay - 2440587.5) * 1440);
    return QDateTime::fromMSecsSinceEpoch(minutes * 60000, Qt::OffsetFromUTC, offsetSeconds)
        .toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

/// The periods' window shown periods directly, without the program around it.
class frmDashaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup();

    void periodsAsShown_data();
    void periodsAsShown();
    void clipboardRule();

private:
    QTreeWidget* open(const DashaView& view);

    RecordingServices services;
    QPointer<frmDasha> window;
};

void frmDashaTest::cleanup()
{
    delete window;
}

QTreeWidget* frmDashaTest::open(const DashaView& view)
{
    window = new frmDasha;
    window->showDasha(view);
    return QTest::qWaitForWindowActive(window) ? named<QTreeWidget>(*window, "lstPeriods")
                                               : nullptr;
}

void frmDashaTest::periodsAsShown_data()
{
    QTest::addColumn<double>("longitude");
    QTest::addColumn<MoonSource>("source");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("todayYears"); // after J2000
    QTest::addColumn<int>("offsetSeconds");
    QTest::addColumn<QString>("today"); // the running periods' lords; empty for none
    QTest::addColumn<int>("marked");    // rows marked shorter than twice the band
    QTest::addColumn<bool>("firstLordMark");

    // Rahu's balance of 4.44 years ends in June 2004; Jupiter's Mercury sub-period runs from
    // February 2009, its Mercury, Ketu, Venus and Sun parts 117, 48, 138 and 41 days long.
    QTest::newRow("Swati in India, 1 January 2010")
        << 196.7112 << MoonSource::precise << 0.0 << 10.0 << 19800 << "Jupiter / Mercury / Sun" << 0
        << false;
    // The round began in 1986.
    QTest::newRow("New York, today before the periods")
        << 196.7112 << MoonSource::precise << 0.0 << -20.0 << -4 * 3600 << "" << 0 << false;
    // Half a second past Ashwini's start, a day of birth time either way: 46805" on Ketu's 7
    // years is 2493 days. Shorter than twice that: every sub-period (90, with their 810) and
    // the mahadashas of Ketu (twice), the Sun, the Moon and Mars.
    QTest::newRow("Madrid's mean time, a day's uncertainty at Ashwini's edge")
        << 0.5 / 3600 << MoonSource::precise << 1440.0 << 200.0 << -884 << "" << 905 << true;
    // This program's Moon 5 degrees into Ashwini: 150.6" on Ketu's 7 years is 8.0 days, and
    // twice that is longer than 78 sub-sub-periods (years a x b x c / 14400 below 632.5). Birth
    // falls 2.625 years into Ketu's round: in Mars's sub-period (2.508 to 2.917), in its
    // Jupiter part (0.085 to 0.140 into it).
    QTest::newRow("this program's Moon at Greenwich, today at birth")
        << 5.0 << MoonSource::described << 0.0 << 0.0 << 0 << "Ketu / Mars / Jupiter" << 78
        << false;
}

void frmDashaTest::periodsAsShown()
{
    QFETCH(double, longitude);
    QFETCH(MoonSource, source);
    QFETCH(double, minutes);
    QFETCH(double, todayYears);
    QFETCH(int, offsetSeconds);
    QFETCH(QString, today);
    QFETCH(int, marked);
    QFETCH(bool, firstLordMark);

    const DashaView view = viewOf(longitude, source, minutes, todayYears, offsetSeconds);
    QTreeWidget* table = open(view);
    QVERIFY(table != nullptr);
    QCOMPARE(named<QLabel>(*window, "lblToday")->text(),
             today.isEmpty() ? QStringLiteral("none: today lies outside these periods") : today);

    // Dates on the birth place's clock, each with the band.
    const QString band = QStringLiteral(" ") +
                         QString::fromStdString(modEphemeris::PlusMinusDays(view.dasha.bandDays));
    QCOMPARE(table->topLevelItemCount(), 10);
    for (int i = 0; i < 10; ++i) {
        const auto& period = view.dasha.mahadashas[static_cast<std::size_t>(i)];
        QCOMPARE(table->topLevelItem(i)->text(1), clockDate(period.start, offsetSeconds) + band);
        QCOMPARE(table->topLevelItem(i)->text(2), clockDate(period.end, offsetSeconds) + band);
    }

    // Only the running rows stand out, each open down to the running one; the marks.
    QStringList bold;
    int shownMarked = 0;
    for (QTreeWidgetItemIterator it(table); *it != nullptr; ++it) {
        if ((*it)->font(0).bold()) {
            bold << (*it)->text(0);
            QVERIFY((*it)->isExpanded() || (*it)->childCount() == 0);
        }
        shownMarked += (*it)->text(3).contains(QLatin1String(frmDasha::kShortMark)) ? 1 : 0;
    }
    QCOMPARE(bold.join(QStringLiteral(" / ")), today);
    QCOMPARE(shownMarked, marked);
    QCOMPARE(table->topLevelItem(0)->text(3).contains(QLatin1String(frmDasha::kFirstLordMark)),
             firstLordMark);
}

void frmDashaTest::clipboardRule()
{
    const QString elsewhere = QStringLiteral("copied in another program");
    QGuiApplication::clipboard()->setText(elsewhere);
    QTreeWidget* table = open(viewOf(5, MoonSource::described, 0, 0, 0));
    QVERIFY(table != nullptr);
    QVERIFY2(QGuiApplication::clipboard()->text().isEmpty(), "filling the table empties it");

    QGuiApplication::clipboard()->setText(elsewhere);
    QTest::mouseMove(named<QLabel>(*window, "lblBand"));
    QCOMPARE(QGuiApplication::clipboard()->text(), elsewhere);
    QTest::mouseMove(table->viewport(), QPoint(20, 10));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

QTEST_MAIN(frmDashaTest)
#include "frmDashaTest.moc"
