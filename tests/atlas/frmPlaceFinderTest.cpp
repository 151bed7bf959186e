#include "atlas/frmPlaceFinder.h"

#include "support/UrlRecorder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {

enum class Leave { CancelClick, EscapeKey, CloseCommand };

const atlas::PlaceIndex& builtIndex()
{
    static const atlas::IndexLoad load = atlas::PlaceIndex::load(ATLAS_TEST_INDEX);
    if (!load.index)
        qFatal("%s", load.error.c_str());
    return *load.index;
}

// One place in a zone no tzdata has.
struct LostPlaceIndex
{
    atlas::IndexData data;
    std::unique_ptr<atlas::PlaceIndex> index;

    LostPlaceIndex()
    {
        const std::string strings("Atlantis\0Nowhere\0Atlantis/Capital\0XX\0", 37);
        data.strings.assign(strings.begin(), strings.end());
        data.countries.push_back({{'X', 'X'}, 0, 9, 8});
        data.zones.push_back({17});
        data.places.push_back({-10500000, 20250000, 1000, 0, atlas::format::kNoRegion, 0, 0, 0});
        data.entries.push_back({0, atlas::format::kWholeKey | atlas::format::kOwnName});
        index = std::make_unique<atlas::PlaceIndex>(data.sections(), nullptr);
    }
};

} // namespace

Q_DECLARE_METATYPE(Leave)

/// The finder over the built index, driven from the keyboard and the mouse.
class frmPlaceFinderTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void opensWithTheFocusInTheSearchBox();
    void typingListsTheExpectedPlaceFirst_data();
    void typingListsTheExpectedPlaceFirst();
    void theClockFollowsTheSelection();
    void aRepeatedTimeOffersBothOccurrences();
    void enterReturnsTheSelectedPlace();
    void doubleClickReturnsThatPlace();
    void leavingReturnsNothing_data();
    void leavingReturnsNothing();
    void noMatchSaysSoAndOffersNothing();
    void aZoneTheSystemLacksStillGivesThePlace();
    void theCreditOpensTheLicence();

private:
    void open(const atlas::PlaceIndex& index, const atlas::CivilTime& birth);
    // As a keyboard sends it: letters beyond ASCII come as key events carrying the text,
    // as a Cyrillic layout sends them.
    void type(const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(txtSearch, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, txtSearch, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    QString cell(int row, int column) const { return lstPlaces->topLevelItem(row)->text(column); }

    std::unique_ptr<frmPlaceFinder> finder;
    QLineEdit* txtSearch = nullptr;
    QTreeWidget* lstPlaces = nullptr;
    QLabel* lblClock = nullptr;
    QLabel* lblNotes = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

void frmPlaceFinderTest::open(const atlas::PlaceIndex& index, const atlas::CivilTime& birth)
{
    finder = std::make_unique<frmPlaceFinder>(index, birth);
    finder->show();
    QVERIFY(QTest::qWaitForWindowExposed(finder.get()));
    finder->activateWindow();
    txtSearch = finder->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    lstPlaces = finder->findChild<QTreeWidget*>(QStringLiteral("lstPlaces"));
    lblClock = finder->findChild<QLabel*>(QStringLiteral("lblClock"));
    lblNotes = finder->findChild<QLabel*>(QStringLiteral("lblNotes"));
    cmdOK = finder->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    cmdCancel = finder->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    QVERIFY(txtSearch && lstPlaces && lblClock && lblNotes && cmdOK && cmdCancel);
}

void frmPlaceFinderTest::cleanup()
{
    finder.reset();
}

void frmPlaceFinderTest::opensWithTheFocusInTheSearchBox()
{
    open(builtIndex(), {1985, 7, 1, 12, 0});
    QTRY_COMPARE(QApplication::focusWidget(), txtSearch);
    QCOMPARE(finder->windowTitle(), QStringLiteral("Selenoscope v1.0 - Find Place Offline"));
    QCOMPARE(lstPlaces->topLevelItemCount(), 0);
    QVERIFY(!cmdOK->isEnabled());
    QVERIFY(cmdOK->isDefault());
}

void frmPlaceFinderTest::typingListsTheExpectedPlaceFirst_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("firstRow");

    // clang-format off
    QTest::newRow("old name") << "Bombay"
        << QStringList{"Mumbai (also Bombay)", "Maharashtra", "India", "19°04'N", "72°53'E",
                       "Asia/Kolkata"};
    QTest::newRow("name in its own script") << "Москва"
        << QStringList{"Moscow (also Москва)", "Moscow", "Russia", "55°45'N", "37°37'E",
                       "Europe/Moscow"};
    QTest::newRow("region after a comma") << "Springfield, Illinois"
        << QStringList{"Springfield", "Illinois", "United States", "39°48'N", "89°39'W",
                       "America/Chicago"};
    QTest::newRow("accent left out") << "Sao Paulo"
        << QStringList{"São Paulo", "São Paulo", "Brazil", "23°33'S", "46°38'W",
                       "America/Sao_Paulo"};
    // clang-format on
}

void frmPlaceFinderTest::typingListsTheExpectedPlaceFirst()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, firstRow);
    open(builtIndex(), {1985, 7, 1, 12, 0});
    type(typed);
    QVERIFY(lstPlaces->topLevelItemCount() >= 1);
    QVERIFY(lstPlaces->topLevelItemCount() <= 50);
    for (int column = 0; column < firstRow.size(); ++column)
        QCOMPARE(cell(0, column), firstRow[column]);
    QCOMPARE(lstPlaces->currentItem(), lstPlaces->topLevelItem(0));
    QVERIFY(lblClock->text().startsWith(firstRow.last() + QStringLiteral(" on ")));
    QVERIFY(cmdOK->isEnabled());
    // A column too narrow for its text cuts it in the middle; the tooltip holds it whole.
    QCOMPARE(lstPlaces->textElideMode(), Qt::ElideMiddle);
    for (int column = 0; column < firstRow.size(); ++column)
        QCOMPARE(lstPlaces->topLevelItem(0)->toolTip(column), firstRow[column]);
}

void frmPlaceFinderTest::theClockFollowsTheSelection()
{
    open(builtIndex(), {1980, 7, 1, 12, 0});
    type(QStringLiteral("Madrid"));
    QCOMPARE(cell(0, 0), QStringLiteral("Madrid"));
    QCOMPARE(lblClock->text(),
             QStringLiteral("Europe/Madrid on 1 July 1980 at 12:00: UTC+02:00, CEST, daylight "
                            "saving in force"));
    QCOMPARE(lblNotes->text(),
             QStringLiteral("The zone boxes count a place west of Greenwich as behind it, and "
                            "this clock was ahead; the reading will ask which universal time to "
                            "use."));

    // A place found only by another name says which.
    QCOMPARE(cell(2, 0), QStringLiteral("Waupun (also Madrid)"));

    // The arrow keys in the search box move through the list.
    int row = 1;
    while (row < lstPlaces->topLevelItemCount() && cell(row, 5) == QStringLiteral("Europe/Madrid"))
        ++row;
    QVERIFY2(row < lstPlaces->topLevelItemCount(), "a Madrid outside Spain is listed");
    for (int i = 0; i < row; ++i)
        QTest::keyClick(txtSearch, Qt::Key_Down);
    QCOMPARE(lstPlaces->currentItem(), lstPlaces->topLevelItem(row));
    QVERIFY(lblClock->text().startsWith(cell(row, 5) + QStringLiteral(" on ")));
    QCOMPARE(QApplication::focusWidget(), txtSearch);
}

void frmPlaceFinderTest::aRepeatedTimeOffersBothOccurrences()
{
    open(builtIndex(), {1970, 10, 25, 1, 30});
    type(QStringLiteral("New York City"));
    QCOMPARE(cell(0, 5), QStringLiteral("America/New_York"));
    auto* first = finder->findChild<QRadioButton*>(QStringLiteral("optOccurrence_0"));
    auto* second = finder->findChild<QRadioButton*>(QStringLiteral("optOccurrence_1"));
    QVERIFY(first && second);
    QVERIFY(first->isVisible() && second->isVisible());
    QVERIFY(first->isChecked());
    QCOMPARE(second->text(), QStringLiteral("Second, on standard time (UTC\u221205:00)"));
    QVERIFY(lblNotes->text().startsWith(QStringLiteral("01:30 happened twice that night")));
    QCOMPARE(lblClock->text(),
             QStringLiteral("America/New_York on 25 October 1970 at 01:30: UTC\u221204:00, EDT, "
                            "daylight saving in force"));

    QTest::mouseClick(second, Qt::LeftButton);
    QCOMPARE(lblClock->text(),
             QStringLiteral("America/New_York on 25 October 1970 at 01:30: UTC\u221205:00, EST, "
                            "standard time"));
    QTest::mouseClick(cmdOK, Qt::LeftButton);
    QCOMPARE(finder->result(), int(QDialog::Accepted));
    const auto& choice = finder->choice();
    QVERIFY(choice && choice->clock && choice->fields.zone);
    QCOMPARE(choice->clock->occurrence, atlas::Occurrence::Second);
    QCOMPARE(choice->fields.zone->hour, std::string("5"));
    QVERIFY(!choice->fields.zone->daylightSaving);

    // Another place starts again from the first occurrence, and a unique time hides the choice.
    open(builtIndex(), {1985, 7, 1, 12, 0});
    type(QStringLiteral("New York City"));
    QVERIFY(!finder->findChild<QRadioButton*>(QStringLiteral("optOccurrence_0"))->isVisible());
}

void frmPlaceFinderTest::enterReturnsTheSelectedPlace()
{
    open(builtIndex(), {1985, 7, 1, 12, 0});
    type(QStringLiteral("London"));
    QTest::keyClick(txtSearch, Qt::Key_Return);
    QCOMPARE(finder->result(), int(QDialog::Accepted));
    const auto& choice = finder->choice();
    QVERIFY(choice);
    QCOMPARE(choice->place.name, std::string("London"));
    QCOMPARE(choice->fields.city, std::string("London"));
    QCOMPARE(choice->fields.state, std::string("England"));
    QCOMPARE(choice->fields.country, std::string("United Kingdom"));
    QCOMPARE(choice->fields.longitude.degrees, 0);
    QCOMPARE(choice->fields.longitude.minutes, 8);
    QVERIFY(!choice->fields.east);
    QCOMPARE(choice->fields.latitude.degrees, 51);
    QCOMPARE(choice->fields.latitude.minutes, 31);
    QVERIFY(choice->fields.zone && choice->fields.zone->said);
    QCOMPARE(choice->fields.zone->hour, std::string("0"));
    QVERIFY(choice->fields.zone->daylightSaving);
}

void frmPlaceFinderTest::doubleClickReturnsThatPlace()
{
    open(builtIndex(), {1985, 7, 1, 12, 0});
    type(QStringLiteral("Paris"));
    QVERIFY(lstPlaces->topLevelItemCount() >= 2);
    const QString secondName = cell(1, 0); // "Parys (also Paris)": the place's own name first
    const QString secondRegion = cell(1, 1);
    const QPoint centre = lstPlaces->visualItemRect(lstPlaces->topLevelItem(1)).center();
    QTest::mouseClick(lstPlaces->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(lstPlaces->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(finder->result(), int(QDialog::Accepted));
    QVERIFY(finder->choice());
    const atlas::Place& chosen = finder->choice()->place;
    QVERIFY(secondName.startsWith(QString::fromStdString(chosen.name)));
    QCOMPARE(QString::fromStdString(chosen.region), secondRegion);
}

void frmPlaceFinderTest::leavingReturnsNothing_data()
{
    QTest::addColumn<Leave>("leave");
    QTest::newRow("Cancel") << Leave::CancelClick;
    QTest::newRow("Esc") << Leave::EscapeKey;
    QTest::newRow("window closed") << Leave::CloseCommand;
}

void frmPlaceFinderTest::leavingReturnsNothing()
{
    QFETCH(Leave, leave);
    open(builtIndex(), {1985, 7, 1, 12, 0});
    type(QStringLiteral("London"));
    QVERIFY(cmdOK->isEnabled());
    switch (leave) {
    case Leave::CancelClick:
        QTest::mouseClick(cmdCancel, Qt::LeftButton);
        break;
    case Leave::EscapeKey:
        QTest::keyClick(txtSearch, Qt::Key_Escape);
        break;
    case Leave::CloseCommand:
        finder->close();
        break;
    }
    QVERIFY(!finder->isVisible());
    QCOMPARE(finder->result(), int(QDialog::Rejected));
    QVERIFY(!finder->choice());
}

void frmPlaceFinderTest::noMatchSaysSoAndOffersNothing()
{
    open(builtIndex(), {1985, 7, 1, 12, 0});
    type(QStringLiteral("Qxzqxzq"));
    QCOMPARE(lstPlaces->topLevelItemCount(), 0);
    QCOMPARE(lblClock->text(), QStringLiteral("No place matches"));
    QVERIFY(!cmdOK->isEnabled());
    QTest::keyClick(txtSearch, Qt::Key_Return);
    QVERIFY(finder->isVisible());
    QVERIFY(!finder->choice());

    // Clearing the box lists nothing and says nothing.
    txtSearch->clear();
    QCOMPARE(lblClock->text(), QString());
}

void frmPlaceFinderTest::aZoneTheSystemLacksStillGivesThePlace()
{
    const LostPlaceIndex lost;
    open(*lost.index, {1985, 7, 1, 12, 0});
    type(QStringLiteral("atlantis"));
    QCOMPARE(cell(0, 0), QStringLiteral("Atlantis"));
    QCOMPARE(lblClock->text(),
             QStringLiteral("The clock at Atlantis could not be read: the time zone "
                            "Atlantis/Capital is not in this computer's time zone data."));
    QTest::mouseClick(cmdOK, Qt::LeftButton);
    const auto& choice = finder->choice();
    QVERIFY(choice);
    QVERIFY(!choice->clock);
    QVERIFY(!choice->fields.zone);
    QCOMPARE(choice->fields.latitude.degrees, 10);
    QCOMPARE(choice->fields.latitude.minutes, 30);
    QVERIFY(choice->fields.south);
    QCOMPARE(choice->fields.longitude.degrees, 20);
    QCOMPARE(choice->fields.longitude.minutes, 15);
    QVERIFY(choice->fields.east);
    finder.reset();
}

void frmPlaceFinderTest::theCreditOpensTheLicence()
{
    UrlRecorder recorder;
    open(builtIndex(), {1985, 7, 1, 12, 0});
    auto* credit = finder->findChild<QLabel*>(QStringLiteral("lblCredit"));
    QVERIFY(credit);
    QVERIFY(credit->text().contains(QStringLiteral("GeoNames")));
    QVERIFY(credit->text().contains(QStringLiteral("derived")));
    QTest::mouseClick(credit, Qt::LeftButton);
    QCOMPARE(recorder.opened,
             QList<QUrl>{QUrl(QStringLiteral("https://creativecommons.org/licenses/by/4.0/"))});
}

QTEST_MAIN(frmPlaceFinderTest)
#include "frmPlaceFinderTest.moc"
