#include "app/AppController.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "shell/LinkLabel.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"
#include "support/ZoneListClicks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

/// The picker as the entry window's "TZ Help" opens it.
class TZHelpTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void choosingFillsOnlyTheZoneBoxes_data();
    void choosingFillsOnlyTheZoneBoxes();
    void everyOpeningStartsAfresh();
    void pickedZoneGivesTheWorkedExampleReading();
    void tzHelpOpensThePickerBesideTheZone_data();
    void tzHelpOpensThePickerBesideTheZone();

private:
    /// Every text, list position and check of the entry window but the two zone boxes.
    QStringList otherFields() const;

    std::unique_ptr<ProgramUnderTest> program;
    RecordingServices* services = nullptr;
    QPointer<frmMain> window;
    const EntryControls* ui = nullptr;
};

void TZHelpTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
    services = &program->services;
    window = &program->entry;
    ui = &program->ui;
}

void TZHelpTest::cleanup()
{
    program.reset();
}

QStringList TZHelpTest::otherFields() const
{
    QStringList state;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        if (box != ui->txtZoneHour && box != ui->txtZoneMinute)
            state << box->objectName() + '=' + box->text();
    for (const QComboBox* list : window->findChildren<QComboBox*>())
        state << list->objectName() + '=' + QString::number(list->currentIndex());
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isCheckable())
            state << button->objectName() + (button->isChecked() ? "=on" : "=off");
    return state;
}

void TZHelpTest::choosingFillsOnlyTheZoneBoxes_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("typedMinute");
    QTest::addColumn<bool>("daylightSaving");
    QTest::addColumn<int>("longitudeSide"); // 0 East, 1 West
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minute");

    // clang-format off
    QTest::newRow("east zone into a west longitude with daylight saving")
        << "Indian Time, IST, -5.5" << "" << true << 1 << "-5" << "30";
    QTest::newRow("west zone over typed minutes, east longitude")
        << "Eastern Standard Time,EST,5.0" << "45" << false << 0 << "5" << "0";
    QTest::newRow("Greenwich writes zeros over typed minutes")
        << "Greenwich Mean Time,GMT,0.0" << "30" << false << 1 << "0" << "0";
    // clang-format on
}

void TZHelpTest::choosingFillsOnlyTheZoneBoxes()
{
    QFETCH(QString, zone);
    QFETCH(QString, typedMinute);
    QFETCH(bool, daylightSaving);
    QFETCH(int, longitudeSide);
    QFETCH(QString, hour);
    QFETCH(QString, minute);

    QTest::keyClicks(ui->txtName, QStringLiteral("Asha"));
    QTest::keyClicks(ui->txtZoneMinute, typedMinute);
    QTest::keyClicks(ui->txtLonD, QStringLiteral("77"));
    if (ui->chkDST->isChecked() != daylightSaving)
        QTest::mouseClick(ui->chkDST, Qt::LeftButton);
    QTest::mouseClick(ui->optLong[static_cast<std::size_t>(longitudeSide)], Qt::LeftButton);
    const QStringList before = otherFields();
    QStringList writes; // in the order they happen: the hour first, the minute always
    connect(ui->txtZoneHour, &QLineEdit::textChanged, this,
            [&writes](const QString& text) { writes << QStringLiteral("hour:") + text; });
    connect(ui->txtZoneMinute, &QLineEdit::textChanged, this,
            [&writes](const QString& text) { writes << QStringLiteral("minute:") + text; });

    QPointer<QDialog> opened;
    bool modalWhileOpen = false;
    services->onModal = [&](QDialog& dialog) {
        opened = &dialog;
        modalWhileOpen = dialog.isModal();
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        QVERIFY(list != nullptr);
        QListWidgetItem* row = rowWithText(list, zone);
        QVERIFY(row != nullptr);
        doubleClickRow(list, row);
        QVERIFY(!dialog.isVisible()); // the choice closes the picker itself
    };
    QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);

    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(services->modals[0].objectName, QStringLiteral("FrmTimeZone"));
    QCOMPARE(services->modals[0].position, window->frameGeometry().topLeft() + QPoint(303, 210));
    QVERIFY(modalWhileOpen);
    QCOMPARE(ui->txtZoneHour->text(), hour);
    QCOMPARE(ui->txtZoneMinute->text(), minute);
    QCOMPARE(writes,
             (QStringList{QStringLiteral("hour:") + hour, QStringLiteral("minute:") + minute}));
    disconnect(ui->txtZoneHour, nullptr, this, nullptr);
    disconnect(ui->txtZoneMinute, nullptr, this, nullptr);
    QCOMPARE(otherFields(), before);
    QTRY_VERIFY(opened.isNull());
}

void TZHelpTest::everyOpeningStartsAfresh()
{
    QList<QPointer<QDialog>> pickers;
    QList<int> selectedOnOpening;
    services->onModal = [&](QDialog& dialog) {
        pickers << &dialog;
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        QVERIFY(list != nullptr);
        QCOMPARE(list->count(), 71);
        selectedOnOpening << static_cast<int>(list->selectedItems().size());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(3)).center());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdQuit")),
                          Qt::LeftButton);
    };

    QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);
    QTRY_VERIFY(pickers.value(0).isNull());
    QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);
    QTRY_VERIFY(pickers.value(1).isNull());

    QCOMPARE(pickers.size(), 2);
    QCOMPARE(selectedOnOpening, (QList<int>{0, 0}));
    QVERIFY(ui->txtZoneHour->text().isEmpty());
    QVERIFY(ui->txtZoneMinute->text().isEmpty());
}

void TZHelpTest::pickedZoneGivesTheWorkedExampleReading()
{
    // 1 January 2000, 12:00, 77° 13' East, 28° 37' North, no daylight saving; the zone
    // comes from the picker as "-5" and "30", and the east longitude decides its direction.
    QTest::keyClicks(ui->txtName, QStringLiteral("Asha Rao"));
    ui->cboMonth->setCurrentText(QStringLiteral("January"));
    ui->cboDate->setCurrentText(QStringLiteral("1"));
    ui->cboYear->setCurrentText(QStringLiteral("2000"));
    ui->cboHH->setCurrentText(QStringLiteral("12"));
    ui->cboMM->setCurrentText(QStringLiteral("0"));
    QTest::keyClicks(ui->txtLonD, QStringLiteral("77"));
    QTest::keyClicks(ui->txtLonM, QStringLiteral("13"));
    QTest::mouseClick(ui->optLong[0], Qt::LeftButton);
    QTest::keyClicks(ui->txtLatD, QStringLiteral("28"));
    QTest::keyClicks(ui->txtLatM, QStringLiteral("37"));
    QTest::mouseClick(ui->optLat[0], Qt::LeftButton);

    services->onModal = [](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstTimeZone"));
        QVERIFY(list != nullptr);
        doubleClickRow(list, rowWithText(list, QStringLiteral("Indian Time, IST, -5.5")));
    };
    QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);
    QCOMPARE(ui->txtZoneHour->text(), QStringLiteral("-5"));
    QCOMPARE(ui->txtZoneMinute->text(), QStringLiteral("30"));

    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

    QVERIFY(services->messages.isEmpty());
    frmDisplay* display = nullptr;
    for (QWidget* shown : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<frmDisplay*>(shown); candidate && candidate->isVisible())
            display = candidate;
    QVERIFY(display != nullptr);
    QCOMPARE(shownReading(*display),
             (QStringList{QStringLiteral("16° 42' 10\" Lib"), QStringLiteral("16° 13' 46\" Lib"),
                          QStringLiteral("10° 33' 23\" Sco"), QStringLiteral("10° 4' 59\" Sco")}));
}

void TZHelpTest::tzHelpOpensThePickerBesideTheZone_data()
{
    QTest::addColumn<QPoint>("windowAt");
    QTest::newRow("near the corner") << QPoint(0, 0);
    QTest::newRow("further in") << QPoint(137, 61);
}

void TZHelpTest::tzHelpOpensThePickerBesideTheZone()
{
    QFETCH(QPoint, windowAt);
    window->move(windowAt);
    const QPoint frame = window->frameGeometry().topLeft();

    QTest::mouseClick(ui->lblTZHelp, Qt::LeftButton);

    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(services->modals[0].objectName, QStringLiteral("FrmTimeZone"));
    // 4545 and 3150 twips from the window's corner, 15 twips to the pixel.
    QCOMPARE(services->modals[0].position, frame + QPoint(303, 210));
    QVERIFY(services->messages.isEmpty());
}

QTEST_MAIN(TZHelpTest)
#include "TZHelpTest.moc"
