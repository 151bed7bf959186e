#include "entry/frmMain.h"

#include "shell/LinkLabel.h"
#include "shell/modHelp.h"
#include "support/RecordingServices.h"
#include "support/UrlRecorder.h"
#include "support/WindowControls.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using Fields = QMap<QString, QString>;

const QString kOnlyLetters = QStringLiteral("Please Enter only Letters");
const QString kOnlyNumbers = QStringLiteral("Only Numbers Are Accepted");

// A birth that passes every check; rows change only what they test.
const Fields kValidBirth{{"txtName", "JOHN"}, {"txtZoneHour", "5"}, {"txtZoneMinute", "30"},
                         {"txtLonD", "77"},   {"txtLonM", "12"},    {"txtLatD", "28"},
                         {"txtLatM", "36"}};

} // namespace

/// The entry window driven as a user drives it; message boxes, modal dialogs,
/// opened pages and the exit are recorded instead of shown.
class frmMainTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsAndDefaultsAfterLoad_data();
    void listsAndDefaultsAfterLoad();
    void focusAndChoicesAfterLoad();
    void fonts_data();
    void fonts();
    void keyFilter_data();
    void keyFilter();
    void controlCharactersAreRefused_data();
    void controlCharactersAreRefused();
    void navigationKeysKeepTheirFunction_data();
    void navigationKeysKeepTheirFunction();
    void textArrivingOtherwiseIsNotFiltered();
    void refusalShowsItsMessageAndMovesTheFocus_data();
    void refusalShowsItsMessageAndMovesTheFocus();
    void readingCommandsAskForAReading();
    void lookupCommand_data();
    void lookupCommand();
    void linksOpenTheirPageOnly_data();
    void linksOpenTheirPageOnly();
    void aboutBoxOpensModally();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();

private:
    QLineEdit* box(const QString& name) const { return window->findChild<QLineEdit*>(name); }
    void fill(const Fields& fields) const;
    Fields snapshot() const;

    std::unique_ptr<RecordingServices> services;
    std::unique_ptr<UrlRecorder> urls;
    std::unique_ptr<frmMain> window;
    std::unique_ptr<EntryControls> ui;
};

void frmMainTest::init()
{
    services = std::make_unique<RecordingServices>();
    urls = std::make_unique<UrlRecorder>();
    window = std::make_unique<frmMain>();
    ui = std::make_unique<EntryControls>(*window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void frmMainTest::cleanup()
{
    ui.reset();
    window.reset();
    urls.reset();
    services.reset();
}

void frmMainTest::fill(const Fields& fields) const
{
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (auto* list = window->findChild<QComboBox*>(it.key()))
            list->setCurrentText(it.value());
        else
            box(it.key())->setText(it.value());
    }
}

// Every text, list position and choice of the window.
Fields frmMainTest::snapshot() const
{
    Fields state;
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (!edit->objectName().isEmpty()) // skip the lists' inner editors
            state[edit->objectName()] = edit->text() + u'|' + edit->selectedText();
    }
    for (const QComboBox* list : window->findChildren<QComboBox*>())
        state[list->objectName()] = QString::number(list->currentIndex());
    for (const QAbstractButton* choice : window->findChildren<QAbstractButton*>())
        state[choice->objectName()] = choice->isChecked() ? QStringLiteral("on") : QString();
    state[QStringLiteral("bMaleSearch")] = window->bMaleSearch ? QStringLiteral("on") : QString();
    return state;
}

void frmMainTest::listsAndDefaultsAfterLoad_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("expected");

    auto numbers = [](int first, int last) {
        QStringList texts;
        for (int n = first; n <= last; ++n)
            texts << QString::number(n);
        return texts;
    };
    QTest::newRow("months") << "cboMonth"
                            << QStringList{"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
    QTest::newRow("days") << "cboDate" << numbers(1, 31);
    QTest::newRow("years") << "cboYear" << numbers(1900, 2050);
    QTest::newRow("hours") << "cboHH" << numbers(0, 23);
    QTest::newRow("minutes") << "cboMM" << numbers(0, 59);
    QTest::newRow("seconds") << "cboSS" << numbers(0, 59);
}

void frmMainTest::listsAndDefaultsAfterLoad()
{
    QFETCH(QString, list);
    QFETCH(QStringList, expected);

    const auto* combo = window->findChild<QComboBox*>(list);
    QVERIFY(combo != nullptr);
    QVERIFY(!combo->isEditable());
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, expected);
    QCOMPARE(combo->currentIndex(), 0);
}

void frmMainTest::focusAndChoicesAfterLoad()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Selenoscope v1.0"));
    QCOMPARE(window->focusWidget(), ui->txtName);
    QVERIFY(window->findChild<QRadioButton*>("optLong_0")->isChecked());
    QVERIFY(!window->findChild<QRadioButton*>("optLong_1")->isChecked());
    QVERIFY(window->findChild<QRadioButton*>("optLat_0")->isChecked());
    QVERIFY(!window->findChild<QRadioButton*>("optLat_1")->isChecked());
    QVERIFY(!window->findChild<QCheckBox*>("chkDST")->isChecked());
    QVERIFY(!window->bMaleSearch);
    for (const QString& name : kValidBirth.keys())
        QVERIFY2(box(name)->text().isEmpty(), qPrintable(name));
    // The co-branding offer lies in front of the full-branding one at load.
    const QWidget* banner = ui->lblCobrand->parentWidget();
    QVERIFY(banner->children().indexOf(ui->lblCobrand) >
            banner->children().indexOf(ui->lblFullBrand));
}

void frmMainTest::fonts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");

    for (const char* name : {"cmdRashi", "chkDST", "txtZoneHour", "txtZoneMinute", "fraLongitude",
                             "fraLatitude", "Label11"})
        QTest::newRow(name) << name << 8.25 << true << false;
    // What the bold frames hold is regular.
    for (const char* name : {"txtName", "txtLonD", "txtLatM", "optLong_1", "optLat_0", "cboMonth"})
        QTest::newRow(name) << name << 8.25 << false << false;
    for (const char* name : {"Label61", "lblFullBrand", "lblCobrand"})
        QTest::newRow(name) << name << 8.25 << true << true;
    QTest::newRow("lblTZHelp") << "lblTZHelp" << 11.25 << true << false;
}

void frmMainTest::fonts()
{
    QFETCH(QString, control);
    QFETCH(double, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, underline);

    const auto* widget = window->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->font().pointSizeF(), pointSize);
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().underline(), underline);
}

void frmMainTest::keyFilter_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("refused"); // keys refused with the box's message

    auto row = [](const char* title, const char* box, const char* typed, const char* expected,
                  int refused) { QTest::newRow(title) << box << typed << expected << refused; };
    row("small letters in name show as capitals", "txtName", "john doe", "JOHN DOE", 0);
    row("apostrophe in name refused, later letters arrive", "txtName", "o'neil", "ONEIL", 1);
    row("digit and hyphen in name refused", "txtName", "a1b-", "AB", 2);
    row("backspace and enter in name", "txtName", "ab\bc\r", "AC", 0);
    row("minus anywhere in zone hour", "txtZoneHour", "1-2", "1-2", 0);
    row("zone hour holds three characters", "txtZoneHour", "----", "---", 0);
    row("letter in zone hour refused", "txtZoneHour", "x5", "5", 1);
    row("minus in zone minute refused", "txtZoneMinute", "-5", "5", 1);
    row("fourth character of longitude degrees", "txtLonD", "1234", "123", 0);
    row("minus in longitude degrees refused", "txtLonD", "-1", "1", 1);
    row("point in longitude minutes refused", "txtLonM", "1.5", "15", 1);
    row("third character of latitude degrees", "txtLatD", "123", "12", 0);
    row("backspace and space in latitude minutes", "txtLatM", "4\b5 ", "5", 1);
    row("enter in a number box refused", "txtLatM", "\r", "", 1);
    row("city takes everything", "txtMCity", "st. john's-1", "st. john's-1", 0);
}

void frmMainTest::keyFilter()
{
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(int, refused);

    QLineEdit* target = box(boxName);
    target->setFocus();
    QTest::keyClicks(target, typed);

    QCOMPARE(target->text(), expected);
    QCOMPARE(services->messages.size(), refused);
    const bool name = boxName == QStringLiteral("txtName");
    for (const RecordingServices::Message& message : services->messages) {
        QCOMPARE(message.text, name ? kOnlyLetters : kOnlyNumbers);
        QCOMPARE(message.icon, name ? QMessageBox::Information : QMessageBox::Critical);
    }
    QCOMPARE(window->focusWidget(), target); // a refused key does not move the focus
}

void frmMainTest::controlCharactersAreRefused_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    const struct
    {
        const char* name;
        Qt::Key key;
        const char* text;
    } keys[] = {{"Ctrl+C", Qt::Key_C, "\x03"},
                {"Ctrl+V", Qt::Key_V, "\x16"},
                {"Ctrl+X", Qt::Key_X, "\x18"},
                {"Esc", Qt::Key_Escape, "\x1b"}};
    for (const auto& k : keys) {
        QTest::addRow("%s in name", k.name) << "txtName" << int(k.key) << k.text << kOnlyLetters;
        QTest::addRow("%s in zone hour", k.name)
            << "txtZoneHour" << int(k.key) << k.text << kOnlyNumbers;
        QTest::addRow("%s in latitude minutes", k.name)
            << "txtLatM" << int(k.key) << k.text << kOnlyNumbers;
    }
}

void frmMainTest::controlCharactersAreRefused()
{
    QFETCH(QString, boxName);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, message);

    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("7"));
    QLineEdit* target = box(boxName);
    target->setText(QStringLiteral("12"));
    target->setFocus();
    target->selectAll();

    const Qt::KeyboardModifiers modifiers =
        key == Qt::Key_Escape ? Qt::NoModifier : Qt::ControlModifier;
    // Sent as the platform does: offered as a shortcut first, then pressed.
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, modifiers);

    QCOMPARE(services->messages.size(), 1);
    QCOMPARE(services->messages[0].text, message);
    QCOMPARE(target->text(), QStringLiteral("12"));   // nothing cut or pasted
    QCOMPARE(clipboard->text(), QStringLiteral("7")); // nothing copied
}

void frmMainTest::navigationKeysKeepTheirFunction_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("next");
    QTest::newRow("name") << "txtName"
                          << "abc"
                          << "cboMonth";
    QTest::newRow("zone hour") << "txtZoneHour"
                               << "123"
                               << "txtZoneMinute";
    QTest::newRow("longitude degrees") << "txtLonD"
                                       << "123"
                                       << "txtLonM";
}

void frmMainTest::navigationKeysKeepTheirFunction()
{
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, next);

    QLineEdit* target = box(boxName);
    target->setFocus();
    QTest::keyClicks(target, typed);
    const QString start = target->text();
    QCOMPARE(start, typed.toUpper());

    QTest::keyClick(target, Qt::Key_Home);
    QTest::keyClick(target, Qt::Key_Delete);
    QCOMPARE(target->text(), start.mid(1));
    QTest::keyClick(target, Qt::Key_End);
    QTest::keyClick(target, Qt::Key_Left);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(target->text(), start.right(1));
    QTest::keyClick(target, Qt::Key_Right);
    QCOMPARE(target->cursorPosition(), 1);

    QTest::keyClick(target, Qt::Key_Tab);
    QCOMPARE(window->focusWidget()->objectName(), next);
    QTest::keyClick(window->focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(window->focusWidget(), target);
    QVERIFY(services->messages.isEmpty());
}

void frmMainTest::textArrivingOtherwiseIsNotFiltered()
{
    // Written by another window: not filtered, but the length limit holds.
    ui->txtZoneHour->setText(QStringLiteral("ab"));
    ui->txtLonD->setText(QStringLiteral("12345"));
    // Pasted through the context menu.
    QGuiApplication::clipboard()->setText(QStringLiteral("x-1"));
    ui->txtLatM->setFocus();
    ui->txtLatM->paste();
    ui->txtName->paste();

    QCOMPARE(ui->txtZoneHour->text(), QStringLiteral("ab"));
    QCOMPARE(ui->txtLonD->text(), QStringLiteral("123"));
    QCOMPARE(ui->txtLatM->text(), QStringLiteral("x-"));
    QCOMPARE(ui->txtName->text(), QStringLiteral("x-1"));
    QVERIFY(services->messages.isEmpty());

    // Typing goes on being filtered afterwards.
    QTest::keyClicks(ui->txtName, QStringLiteral("a1"));
    QCOMPARE(ui->txtName->text(), QStringLiteral("x-1A"));
    QCOMPARE(services->messages.size(), 1);
}

void frmMainTest::refusalShowsItsMessageAndMovesTheFocus_data()
{
    QTest::addColumn<Fields>("changes");  // box texts and list items (cboMonth, ...)
    QTest::addColumn<QString>("message"); // empty: the checks pass
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focus");

    // A refused box takes the focus; a refused date leaves it on the button that asked.
    QTest::newRow("all fields valid") << Fields{} << QString() << 0 << "cmdRashi";
    QTest::newRow("zone minute 60") << Fields{{"txtZoneMinute", "60"}}
                                    << "Please Enter Value Between 0 And 59 in the Zone Minute"
                                    << int(QMessageBox::Critical) << "txtZoneMinute";
    QTest::newRow("31 April") << Fields{{"cboMonth", "April"}, {"cboDate", "31"}}
                              << "Please Enter Correct Date Or Month !"
                              << int(QMessageBox::Information) << "cmdRashi";
}

void frmMainTest::refusalShowsItsMessageAndMovesTheFocus()
{
    QFETCH(Fields, changes);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(QString, focus);

    fill(kValidBirth);
    fill(changes);
    ui->cmdRashi->setFocus();
    const Fields before = snapshot();

    QCOMPARE(window->birthData().has_value(), message.isEmpty());

    QCOMPARE(snapshot(), before); // nothing cleared or selected
    QCOMPARE(window->focusWidget()->objectName(), focus);
    if (message.isEmpty()) {
        QVERIFY(services->messages.isEmpty());
    } else {
        QCOMPARE(services->messages.size(), 1);
        QCOMPARE(services->messages[0].text, message);
        QCOMPARE(int(services->messages[0].icon), icon);
    }
}

void frmMainTest::readingCommandsAskForAReading()
{
    const QSignalSpy asked(window.get(), &frmMain::readingRequested);
    QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);
    ui->mnuNext->trigger();
    QCOMPARE(asked.count(), 2);
}

void frmMainTest::lookupCommand_data()
{
    QTest::addColumn<Fields>("place");
    QTest::addColumn<QString>("refusal"); // empty: the lookup goes ahead
    QTest::addColumn<QString>("focus");

    auto row = [](const char* title, const char* city, const char* state, const char* country,
                  const char* refusal, const char* focus) {
        QTest::newRow(title) << Fields{{"txtMCity", city},
                                       {"txtMState", state},
                                       {"txtMCountry", country}}
                             << refusal << focus;
    };
    row("nothing filled", "", "", "", "Please Enter City", "txtMCity");
    row("state missing", "Delhi", "", "India", "Please Enter State", "txtMState");
    row("country missing", "Delhi", "Delhi", "", "Please Enter Country", "txtMCountry");
    row("state of a single space counts as filled", "Delhi", " ", "India", "", "");
    row("all filled", "Delhi", "Delhi", "India", "", "");
}

void frmMainTest::lookupCommand()
{
    QFETCH(Fields, place);
    QFETCH(QString, refusal);
    QFETCH(QString, focus);

    fill(place);
    ui->cmdRashi->setFocus();
    const QSignalSpy lookups(window.get(), &frmMain::lookupRequested);

    QTest::mouseClick(ui->cmdBrowser, Qt::LeftButton);

    QCOMPARE(window->bMaleSearch, refusal.isEmpty());
    QCOMPARE(lookups.count(), refusal.isEmpty() ? 1 : 0);
    QStringList placeMessages;
    for (const RecordingServices::Message& shown : services->messages) {
        if (shown.text.startsWith(QStringLiteral("Please Enter"))) {
            placeMessages << shown.text;
            QCOMPARE(shown.icon, QMessageBox::Information);
        }
    }
    QCOMPARE(placeMessages, refusal.isEmpty() ? QStringList{} : QStringList{refusal});
    if (!refusal.isEmpty())
        QCOMPARE(window->focusWidget()->objectName(), focus);
}

void frmMainTest::linksOpenTheirPageOnly_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QList<QUrl>>("expected");

    // The page each opener hands to the browser.
    auto pageOf = [](void (*opener)()) {
        const UrlRecorder recorder;
        opener();
        return recorder.opened;
    };
    auto row = [](const char* title, const char* control, const QList<QUrl>& pages) {
        QTest::newRow(title) << control << pages;
    };
    row("Online Help", "mnuOnline", pageOf(&modHelp::OpenOnlineHelp));
    row("Visit Us Online", "mnuVisit", pageOf(&modHelp::OpenHomePage));
    row("Check for Software Update", "mnuUpdate", pageOf(&modHelp::OpenDownloadPage));
    row("Donate", "mnuDonate", pageOf(&modHelp::OpenDonatePage));
    row("Make Money Online, switched off", "mkmoney", {});
    row("discussion board banner", "Label61", pageOf(&modHelp::OpenHomePage));
    row("full branding offer", "lblFullBrand", pageOf(&modHelp::OpenFullBrandPage));
    row("co-branding offer", "lblCobrand", pageOf(&modHelp::OpenCoBrandPage));
}

void frmMainTest::linksOpenTheirPageOnly()
{
    QFETCH(QString, control);
    QFETCH(QList<QUrl>, expected);
    QCOMPARE(expected.size(), control == QStringLiteral("mkmoney") ? 0 : 1);

    fill(kValidBirth);
    const Fields before = snapshot();

    if (auto* label = window->findChild<LinkLabel*>(control)) {
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
    } else {
        auto* action = window->findChild<QAction*>(control);
        QVERIFY(action != nullptr);
        action->trigger();
    }

    QCOMPARE(urls->opened, expected);
    QCOMPARE(snapshot(), before);
    QVERIFY(services->messages.isEmpty());
    QVERIFY(services->modals.isEmpty());
    QCOMPARE(services->endCount, 0);
    QVERIFY(window->isVisible());
}

void frmMainTest::aboutBoxOpensModally()
{
    ui->mnuAbout->trigger();

    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(services->modals[0].objectName, QStringLiteral("frmAbout"));
    QVERIFY(urls->opened.isEmpty());
    QVERIFY(window->isVisible());
}

void frmMainTest::closingEndsTheProgram_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("File, Exit") << true;
    QTest::newRow("close command") << false;
}

void frmMainTest::closingEndsTheProgram()
{
    QFETCH(bool, fromMenu);
    QCOMPARE(ui->mnuExit->text(), QStringLiteral("E&xit"));

    if (fromMenu)
        ui->mnuExit->trigger();
    else
        window->close();

    QCOMPARE(services->endCount, 1);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
