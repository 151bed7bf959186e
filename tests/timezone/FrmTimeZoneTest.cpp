#include "timezone/FrmTimeZone.h"

#include "support/WindowControls.h"
#include "support/ZoneListClicks.h"
#include "timezone/TimeZoneTable.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// How a test leaves the picker without choosing.
enum class Leave {
    QuitClick,
    QuitAccessKey,
    EscapeOnList,
    EnterOnList,
    ReturnOnList,
    CloseCommand,
};

} // namespace

Q_DECLARE_METATYPE(Leave)

/// The picker on its own: what it lists, which zone a double-click chooses, and
/// that every other way out chooses nothing.
class FrmTimeZoneTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheZonesInOrderWithNothingSelected();
    void doubleClickChoosesTheRowAndCloses_data();
    void doubleClickChoosesTheRowAndCloses();
    void leavingWithoutDoubleClickChoosesNothing_data();
    void leavingWithoutDoubleClickChoosesNothing();
    void doubleClickWithNoRowSelectedChoosesNothingAndCloses();

private:
    QListWidgetItem* itemWithText(const QString& text) const { return rowWithText(list, text); }
    void doubleClick(QListWidgetItem* item) { doubleClickRow(list, item); }
    void click(QListWidgetItem* item);

    QWidget* host = nullptr;
    QPointer<FrmTimeZone> picker;
    QListWidget* list = nullptr;
    QStringList chosen; // the zone texts of each choice: "hour:5", "minute:0"
};

void FrmTimeZoneTest::init()
{
    host = new QWidget;
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));

    chosen.clear();
    picker = new FrmTimeZone(host);
    connect(picker, &FrmTimeZone::zoneChosen, this, [this](int position) {
        const std::optional<TimeZoneRow> row = TimeZoneAt(position);
        QVERIFY(row.has_value());
        chosen << QStringLiteral("hour:") + QString::fromStdString(ZoneHourText(*row))
               << QStringLiteral("minute:") + QString::fromStdString(ZoneMinuteText(*row));
    });
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker.data()));
    picker->activateWindow();
    list = picker->findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
    QVERIFY(list != nullptr);
    list->setFocus();
}

void FrmTimeZoneTest::cleanup()
{
    delete picker.data();
    delete host;
    host = nullptr;
}

void FrmTimeZoneTest::click(QListWidgetItem* item)
{
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void FrmTimeZoneTest::listsTheZonesInOrderWithNothingSelected()
{
    QCOMPARE(list->count(), 71);
    for (int i = 0; i < list->count(); ++i) {
        const std::string_view expected = kTimeZoneRows[static_cast<std::size_t>(i)].DisplayText;
        QCOMPARE(list->item(i)->text(),
                 QString::fromUtf8(expected.data(), static_cast<qsizetype>(expected.size())));
    }
    QVERIFY(list->selectedItems().isEmpty());
    QCOMPARE(list->currentRow(), -1);
    QCOMPARE(picker->windowTitle(), QStringLiteral("Housewheel v1.0--(Time Zone)--"));

    // With nothing current, the first arrow key starts at the top row.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(0)});
}

void FrmTimeZoneTest::doubleClickChoosesTheRowAndCloses_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QStringList>("expectedTexts");

    // clang-format off
    QTest::newRow("east half hour")
        << "Indian Time, IST, -5.5" << QStringList{"hour:-5", "minute:30"};
    QTest::newRow("whole hour")
        << "Eastern Standard Time,EST,5.0" << QStringList{"hour:5", "minute:0"};
    QTest::newRow("Greenwich gives zeros")
        << "Greenwich Mean Time,GMT,0.0" << QStringList{"hour:0", "minute:0"};
    QTest::newRow("row with trailing hash")
        << "Azores Time, AT, 2#" << QStringList{"hour:2", "minute:0"};
    QTest::newRow("beyond minus twelve kept")
        << "New Zealand Std Summer Time,NZST,-13.0" << QStringList{"hour:-13", "minute:0"};
    QTest::newRow("last row")
        << "Yukon War Time,YWT,8.0" << QStringList{"hour:8", "minute:0"};
    // clang-format on
}

void FrmTimeZoneTest::doubleClickChoosesTheRowAndCloses()
{
    QFETCH(QString, zone);
    QFETCH(QStringList, expectedTexts);

    QListWidgetItem* item = itemWithText(zone);
    QVERIFY(item != nullptr);

    doubleClick(item);

    QCOMPARE(chosen, expectedTexts);
    QTRY_VERIFY(picker.isNull());
}

void FrmTimeZoneTest::leavingWithoutDoubleClickChoosesNothing_data()
{
    QTest::addColumn<Leave>("leave");
    QTest::newRow("Quit clicked") << Leave::QuitClick;
    QTest::newRow("Alt+Q") << Leave::QuitAccessKey;
    QTest::newRow("Esc while the list has the focus") << Leave::EscapeOnList;
    QTest::newRow("Enter on a selected row") << Leave::EnterOnList;
    QTest::newRow("Return on a selected row") << Leave::ReturnOnList;
    QTest::newRow("window close command") << Leave::CloseCommand;
}

void FrmTimeZoneTest::leavingWithoutDoubleClickChoosesNothing()
{
    QFETCH(Leave, leave);
    click(itemWithText(QStringLiteral("Indian Time, IST, -5.5")));
    QVERIFY(list->hasFocus());
    QVERIFY(chosen.isEmpty()); // selecting alone chooses nothing
    QPushButton* cmdQuit = PickerControls(*picker).cmdQuit;
    QSignalSpy quitClicks(cmdQuit, &QPushButton::clicked);

    switch (leave) {
    case Leave::QuitClick:
        QTest::mouseClick(cmdQuit, Qt::LeftButton);
        break;
    case Leave::QuitAccessKey:
        QTest::keyClick(picker.data(), Qt::Key_Q, Qt::AltModifier);
        break;
    case Leave::EscapeOnList:
        QTest::keyClick(list, Qt::Key_Escape);
        break;
    case Leave::EnterOnList:
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(quitClicks.count(), 1);
        break;
    case Leave::ReturnOnList:
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(quitClicks.count(), 1);
        break;
    case Leave::CloseCommand:
        picker->close();
        break;
    }

    QTRY_VERIFY(picker.isNull());
    QVERIFY(chosen.isEmpty());
}

void FrmTimeZoneTest::doubleClickWithNoRowSelectedChoosesNothingAndCloses()
{
    // Ctrl+click takes the selection off the row again, so the double-click
    // that follows finds no row selected.
    QListWidgetItem* item = itemWithText(QStringLiteral("Indian Time, IST, -5.5"));
    click(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(item).center());
    QVERIFY(list->selectedItems().isEmpty());

    // Only the double-click itself arrives, with no press before it to select.
    const QPoint centre = list->visualItemRect(item).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);

    QTRY_VERIFY(picker.isNull());
    QVERIFY(chosen.isEmpty());
}

QTEST_MAIN(FrmTimeZoneTest)
#include "FrmTimeZoneTest.moc"
