#include "timezone/FrmTimeZone.h"

#include "ZoneListClicks.h"
#include "timezone/TimeZoneTable.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

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

/// The picker on its own, writing into two plain boxes standing in for the
/// entry window's zone fields.
class FrmTimeZoneTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheZonesInOrderWithNothingSelected();
    void doubleClickWritesHourThenMinuteAndCloses_data();
    void doubleClickWritesHourThenMinuteAndCloses();
    void leavingWithoutDoubleClickWritesNothing_data();
    void leavingWithoutDoubleClickWritesNothing();
    void doubleClickWithNoRowSelectedWritesNothingAndCloses();
    void boxGoneBeforeTheChoiceIsSkipped();

private:
    QListWidgetItem* itemWithText(const QString& text) const { return rowWithText(list, text); }
    void typeIntoBoxes(const QString& hour, const QString& minute);
    void doubleClick(QListWidgetItem* item) { doubleClickRow(list, item); }
    void click(QListWidgetItem* item);

    QWidget* host = nullptr;
    QLineEdit* txtZoneHour = nullptr;
    QLineEdit* txtZoneMinute = nullptr;
    QPointer<FrmTimeZone> picker;
    QListWidget* list = nullptr;
    QStringList writes; // "hour:5", "minute:0" in the order they happened
};

void FrmTimeZoneTest::init()
{
    host = new QWidget;
    txtZoneHour = new QLineEdit(host);
    txtZoneMinute = new QLineEdit(host);
    auto* layout = new QVBoxLayout(host);
    layout->addWidget(txtZoneHour);
    layout->addWidget(txtZoneMinute);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host));

    writes.clear();
    picker = new FrmTimeZone(txtZoneHour, txtZoneMinute, host);
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

void FrmTimeZoneTest::typeIntoBoxes(const QString& hour, const QString& minute)
{
    QTest::keyClicks(txtZoneHour, hour);
    QTest::keyClicks(txtZoneMinute, minute);
    connect(txtZoneHour, &QLineEdit::textChanged, this,
            [this](const QString& text) { writes << QStringLiteral("hour:") + text; });
    connect(txtZoneMinute, &QLineEdit::textChanged, this,
            [this](const QString& text) { writes << QStringLiteral("minute:") + text; });
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

void FrmTimeZoneTest::doubleClickWritesHourThenMinuteAndCloses_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("typedHour");
    QTest::addColumn<QString>("typedMinute");
    QTest::addColumn<QStringList>("expectedWrites");

    // clang-format off
    QTest::newRow("east half hour into empty boxes")
        << "Indian Time, IST, -5.5" << "" << "" << QStringList{"hour:-5", "minute:30"};
    QTest::newRow("whole hour overwrites typed minutes")
        << "Eastern Standard Time,EST,5.0" << "3" << "45" << QStringList{"hour:5", "minute:0"};
    QTest::newRow("Greenwich writes zeros")
        << "Greenwich Mean Time,GMT,0.0" << "7" << "30" << QStringList{"hour:0", "minute:0"};
    QTest::newRow("row with trailing hash")
        << "Azores Time, AT, 2#" << "" << "15" << QStringList{"hour:2", "minute:0"};
    QTest::newRow("beyond minus twelve kept")
        << "New Zealand Std Summer Time,NZST,-13.0" << "" << "" << QStringList{"hour:-13", "minute:0"};
    QTest::newRow("last row")
        << "Yukon War Time,YWT,8.0" << "1" << "1" << QStringList{"hour:8", "minute:0"};
    // clang-format on
}

void FrmTimeZoneTest::doubleClickWritesHourThenMinuteAndCloses()
{
    QFETCH(QString, zone);
    QFETCH(QString, typedHour);
    QFETCH(QString, typedMinute);
    QFETCH(QStringList, expectedWrites);

    typeIntoBoxes(typedHour, typedMinute);
    QListWidgetItem* item = itemWithText(zone);
    QVERIFY(item != nullptr);

    doubleClick(item);

    QCOMPARE(writes, expectedWrites);
    QTRY_VERIFY(picker.isNull());
}

void FrmTimeZoneTest::leavingWithoutDoubleClickWritesNothing_data()
{
    QTest::addColumn<Leave>("leave");
    QTest::newRow("Quit clicked") << Leave::QuitClick;
    QTest::newRow("Alt+Q") << Leave::QuitAccessKey;
    QTest::newRow("Esc while the list has the focus") << Leave::EscapeOnList;
    QTest::newRow("Enter on a selected row") << Leave::EnterOnList;
    QTest::newRow("Return on a selected row") << Leave::ReturnOnList;
    QTest::newRow("window close command") << Leave::CloseCommand;
}

void FrmTimeZoneTest::leavingWithoutDoubleClickWritesNothing()
{
    QFETCH(Leave, leave);
    typeIntoBoxes(QStringLiteral("3"), QStringLiteral("45"));
    click(itemWithText(QStringLiteral("Indian Time, IST, -5.5")));
    QVERIFY(list->hasFocus());
    QVERIFY(writes.isEmpty()); // selecting alone chooses nothing
    QSignalSpy quitClicks(picker->cmdQuit, &QPushButton::clicked);

    switch (leave) {
    case Leave::QuitClick:
        QTest::mouseClick(picker->cmdQuit, Qt::LeftButton);
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
    QVERIFY(writes.isEmpty());
    QCOMPARE(txtZoneHour->text(), QStringLiteral("3"));
    QCOMPARE(txtZoneMinute->text(), QStringLiteral("45"));
}

void FrmTimeZoneTest::doubleClickWithNoRowSelectedWritesNothingAndCloses()
{
    typeIntoBoxes(QStringLiteral("3"), QStringLiteral("45"));
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
    QVERIFY(writes.isEmpty());
}

void FrmTimeZoneTest::boxGoneBeforeTheChoiceIsSkipped()
{
    typeIntoBoxes(QStringLiteral("3"), QStringLiteral("45"));
    delete txtZoneMinute;
    txtZoneMinute = nullptr;

    doubleClick(itemWithText(QStringLiteral("Indian Time, IST, -5.5")));

    QCOMPARE(writes, QStringList{QStringLiteral("hour:-5")});
    QTRY_VERIFY(picker.isNull());
}

QTEST_MAIN(FrmTimeZoneTest)
#include "FrmTimeZoneTest.moc"
