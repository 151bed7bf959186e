#include "display/frmDetails.h"

#include "birth/ExampleBirths.h"
#include "display/ReadingColours.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <memory>

Q_DECLARE_METATYPE(modEphemeris::BirthData)

namespace {

const QString kCopiedElsewhere = QStringLiteral("copied in another program");

// The worked example's zone and place, at another local minute.
modEphemeris::BirthData workedExampleAt(int day, int hour, int minute)
{
    modEphemeris::BirthData birth = birth::WorkedExample();
    birth.BirthDay = static_cast<std::int16_t>(day);
    birth.BirthHour = static_cast<std::int16_t>(hour);
    birth.BirthMinute = static_cast<std::int16_t>(minute);
    return birth;
}

// The precise Moon as the program gives it to the window: none in a build without it.
std::optional<modEphemeris::PreciseBeside>
preciseBesideDetails([[maybe_unused]] const modEphemeris::BirthMoment& moment,
                     [[maybe_unused]] const modEphemeris::MoonDetails& details)
{
#ifdef SELENOSCOPE_PRECISE
    return modEphemeris::PreciseBesideDetails(moment, details);
#else
    return std::nullopt;
#endif
}

const char* const kNotes[] = {"lblSignNote_0",      "lblSignNote_1",      "lblSignNote_2",
                              "lblSignNote_3",      "lblNakshatraNote_0", "lblNakshatraNote_1",
                              "lblNakshatraNote_2", "lblNakshatraNote_3"};

} // namespace

class frmDetailsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void workedExample_data();
    void workedExample();
    void onTheEdgeInWords_data();
    void onTheEdgeInWords();
    void noEdgeWithinReach();
    void preciseBeside_data();
    void preciseBeside();
    void closesWithEsc_data();
    void closesWithEsc();
    void clipboardRule_data();
    void clipboardRule();

private:
    void open(const modEphemeris::BirthData& birth);

    std::unique_ptr<RecordingServices> services;
    QPointer<frmDetails> window;
    std::unique_ptr<DetailsControls> ui;
};

void frmDetailsTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void frmDetailsTest::init()
{
    services = std::make_unique<RecordingServices>();
}

void frmDetailsTest::cleanup()
{
    ui.reset();
    delete window;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    services.reset();
}

void frmDetailsTest::open(const modEphemeris::BirthData& birth)
{
    window = new frmDetails;
    ui = std::make_unique<DetailsControls>(*window);
    window->showDetails(modEphemeris::ComputeMoonDetails({birth, {}}));
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void frmDetailsTest::workedExample_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    const auto row = [](const char* label, const char* text) {
        QTest::newRow(label) << QString::fromLatin1(label) << QString::fromUtf8(text);
    };
    row("lblLocalTime", "1 January 2000, 12:00");
    row("lblRule", "Zone 5 h 30 min east of Greenwich (East longitude), no daylight saving: "
                   "universal time = local time \u2212 5:30");
    row("lblUniversalTime", "1 January 2000, 06:30:00 UT");
    row("lblJulianDay", "2451544.77083");
    row("lblLongitude_0", "196.7028°");
    row("lblSign_2", "Sco");
    row("lblSignEdge_0", "Sco, 13° 17' 50\" away");
    row("lblSignEdge_3", "Lib, 10° 5' 0\" away");
    // Minutes on another date carry it; minutes on the birth date do not.
    row("lblSignSince_0", "31 December 1999 03:07");
    row("lblSignUntil_3", "3 January 2000 01:32");
    row("lblNakshatra_1", "Swati");
    row("lblPada_0", "4");
    row("lblPada_1", "3");
    row("lblNakshatraEdge_1", "Vishakha, 3° 46' 14\" away");
    row("lblNakshatraUntil_0", "18:34");
    // The tropical zodiac has no nakshatras.
    row("lblNakshatra_2", "");
    row("lblNakshatraUntil_3", "");
}

void frmDetailsTest::workedExample()
{
    QFETCH(QString, label);
    QFETCH(QString, text);

    open(birth::WorkedExample());
    QStringList expected;
    for (const std::string_view reading : birth::kWorkedExampleTexts)
        expected << QString::fromUtf8(reading.data(), static_cast<qsizetype>(reading.size()));
    QCOMPARE(ui->readings(), expected);
    QCOMPARE(ui->text(qPrintable(label)), text);
}

void frmDetailsTest::onTheEdgeInWords_data()
{
    QTest::addColumn<modEphemeris::BirthData>("birth");
    QTest::addColumn<QString>("note"); // the one note shown; empty for none
    QTest::addColumn<QString>("words");

    QTest::newRow("worked example: nowhere near an edge")
        << birth::WorkedExample() << QString() << QString();
    QTest::newRow("sidereal Moon 31\" before Sco")
        << workedExampleAt(2, 14, 37) << "lblSignNote_0"
        << "On the edge: a precise ephemeris may place the Moon in Sco";
    QTest::newRow("tropical parallax Moon a minute into Sag")
        << workedExampleAt(3, 1, 34) << "lblSignNote_3"
        << "On the edge: a precise ephemeris may place the Moon in Sco";
    QTest::newRow("sidereal parallax Moon 3\" into Vishakha")
        << workedExampleAt(1, 19, 0) << "lblNakshatraNote_1"
        << "On the edge: a precise ephemeris may place the Moon in Swati";
}

void frmDetailsTest::onTheEdgeInWords()
{
    QFETCH(modEphemeris::BirthData, birth);
    QFETCH(QString, note);
    QFETCH(QString, words);

    open(birth);
    for (const char* name : kNotes) {
        auto* label = named<QLabel>(*window, name);
        const bool shown = note == QLatin1String(name);
        QVERIFY2(label->isVisible() == shown, name);
        QCOMPARE(label->text(), shown ? words : QString());
    }
}

void frmDetailsTest::noEdgeWithinReach()
{
    // The last hour a birth can hold: the signs' last minutes lie beyond the calendar.
    modEphemeris::BirthData birth = workedExampleAt(31, 23, 0);
    birth.BirthMonth = 12;
    birth.BirthYear = 32767;
    open(birth);
    for (const char* label : {"lblSignUntil_0", "lblSignUntil_3", "lblNakshatraUntil_1"})
        QCOMPARE(ui->text(label), QStringLiteral("more than four days"));
}

void frmDetailsTest::preciseBeside_data()
{
    QTest::addColumn<modEphemeris::BirthData>("birth");
    QTest::addColumn<bool>("precise"); // given to the window; else as a build without it
    QTest::addColumn<QString>("note"); // the note checked, and its words ("": hidden)
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("warning"); // the words stand out
    QTest::addColumn<QString>("line"); // a precise line's label, and its text ("": hidden)
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unavailable"); // the one line saying so ("": hidden)

#ifdef SELENOSCOPE_PRECISE
    QTest::newRow("sidereal reading 31\" before Sco: the precise Moon agrees, no may")
        << workedExampleAt(2, 14, 37) << true << "lblSignNote_0"
        << "A precise ephemeris agrees: Lib" << false << "lblPrecise_0"
        << "29° 59' 47\" Lib" << QString();
    QTest::newRow("sidereal reading 1\" before Sco, the precise Moon 17\" past it")
        << workedExampleAt(2, 14, 38) << true << "lblSignNote_0"
        << "A precise ephemeris places the Moon in Sco, 0° 0' 17\" past the edge" << true
        << "lblPrecise_0"
        << "0° 0' 17\" Sco" << QString();
    QTest::newRow("Western parallax: the precise Moon itself 2\" before Cap")
        << workedExampleAt(5, 17, 30) << true << "lblSignNote_3"
        << "On the edge: a precise ephemeris places the Moon in Sag, 0° 0' 2\" from its edge "
           "with Cap"
        << true << "lblPrecise_3"
        << "29° 59' 57\" Sag" << QString();
    QTest::newRow("sidereal nakshatra: the precise Moon 3\" before Shravana")
        << workedExampleAt(8, 12, 4) << true << "lblNakshatraNote_0"
        << "On the edge: a precise ephemeris places the Moon in Uttara Ashadha, 0° 0' 3\" from "
           "its edge with Shravana"
        << true << "lblPreciseNakshatra_0"
        << "Uttara Ashadha, pada 4" << QString();
    // A zone hour with a minus sign is read by its size: 99 hours west of Greenwich.
    modEphemeris::BirthData beyond = workedExampleAt(31, 12, 0);
    beyond.BirthYear = 2050;
    beyond.BirthMonth = 12;
    beyond.ZoneHours = 99;
    beyond.LongitudeIsEast = false;
    QTest::newRow("99 hours west moves the birth past 2050: unavailable in one line")
        << beyond << true << "lblSignNote_0" << QString() << false << "lblPrecise_0" << QString()
        << "The precise Moon is unavailable: the precise Moon covers the years 1900 to 2050 only";
#endif
    QTest::newRow("a build without it: the may stays, nothing more")
        << workedExampleAt(2, 14, 37) << false << "lblSignNote_0"
        << "On the edge: a precise ephemeris may place the Moon in Sco" << true << "lblPrecise_0"
        << QString() << QString();
}

void frmDetailsTest::preciseBeside()
{
    QFETCH(modEphemeris::BirthData, birth);
    QFETCH(bool, precise);
    QFETCH(QString, note);
    QFETCH(QString, words);
    QFETCH(bool, warning);
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(QString, unavailable);

    const modEphemeris::MoonDetails details = modEphemeris::ComputeMoonDetails({birth, {}});
    const std::optional<modEphemeris::PreciseBeside> beside =
        precise ? preciseBesideDetails({birth, {}}, details) : std::nullopt;
    window = new frmDetails;
    window->showDetails(details, beside);
    QVERIFY(QTest::qWaitForWindowActive(window));

    for (const auto& [name, expected] :
         {std::pair{note, words}, std::pair{line, text},
          std::pair{QStringLiteral("lblPreciseUnavailable"), unavailable}}) {
        const auto* label = named<QLabel>(*window, qPrintable(name));
        QCOMPARE(label->isVisible(), !expected.isEmpty());
        QCOMPARE(label->text(), expected);
    }
    if (!words.isEmpty())
        QCOMPARE(named<QLabel>(*window, qPrintable(note))->palette().color(QPalette::WindowText) !=
                     kPaleCyan,
                 warning);
    // With the precise Moon beside the readings no note keeps the "may"; without, none
    // gives a verdict.
    const bool shown = beside && beside->readings;
    for (const char* name : kNotes) {
        const QString noteText = named<QLabel>(*window, name)->text();
        QVERIFY2(!shown || !noteText.contains(QLatin1String("may place")), name);
        QVERIFY2(shown || !noteText.startsWith(QLatin1String("A precise ephemeris")), name);
    }
}

void frmDetailsTest::closesWithEsc_data()
{
    QTest::addColumn<bool>("inReadingText");
    QTest::newRow("Esc on the window") << false;
    QTest::newRow("Esc in a reading text") << true;
}

void frmDetailsTest::closesWithEsc()
{
    QFETCH(bool, inReadingText);
    open(birth::WorkedExample());
    if (inReadingText) {
        QTest::mouseClick(ui->txtReading[2], Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), ui->txtReading[2]);
    }
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);

    QVERIFY(window.isNull() || !window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(window.isNull(), "the window is deleted when closed");
    QCOMPARE(services->endCount, 0); // its close ends nothing else
}

void frmDetailsTest::clipboardRule_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("empties");

    QTest::newRow("hover over the Western parallax text") << "txtReading_3"
                                                          << "move" << true;
    QTest::newRow("click on the sidereal text") << "txtReading_0"
                                                << "click" << true;
    QTest::newRow("hover over a longitude") << "lblLongitude_0"
                                            << "move" << false;
    QTest::newRow("click on a nakshatra") << "lblNakshatra_1"
                                          << "click" << false;
}

void frmDetailsTest::clipboardRule()
{
    QFETCH(QString, target);
    QFETCH(QString, gesture);
    QFETCH(bool, empties);

    QGuiApplication::clipboard()->setText(kCopiedElsewhere);
    open(birth::WorkedExample());
    QVERIFY2(QGuiApplication::clipboard()->text().isEmpty(), "filling the texts empties it");

    auto* widget = named<QWidget>(*window, qPrintable(target));
    QGuiApplication::clipboard()->setText(kCopiedElsewhere);
    if (gesture == QLatin1String("move"))
        QTest::mouseMove(widget);
    else
        QTest::mouseClick(widget, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), empties ? QString() : kCopiedElsewhere);
}

QTEST_MAIN(frmDetailsTest)
#include "frmDetailsTest.moc"
