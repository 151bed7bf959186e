#include "entry/frmMain.h"

#include "LinkLabel.h"
#include "RecordingServices.h"
#include "UrlRecorder.h"
#include "lookup/LocationLookup.h"
#include "modHelp.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
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
    void validation_data();
    void validation();
    void readingCommandsRunTheChecks();
    void lookupCommand_data();
    void lookupCommand();
    void linksOpenTheirPageOnly_data();
    void linksOpenTheirPageOnly();
    void aboutBoxOpensModally();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
    void tzHelpOpensThePickerBesideTheZone_data();
    void tzHelpOpensThePickerBesideTheZone();

private:
    QLineEdit* box(const QString& name) const { return window->findChild<QLineEdit*>(name); }
    void fill(const Fields& fields) const;
    Fields snapshot() const;

    std::unique_ptr<RecordingServices> services;
    std::unique_ptr<UrlRecorder> urls;
    std::unique_ptr<frmMain> window;
};

void frmMainTest::init()
{
    services = std::make_unique<RecordingServices>();
    urls = std::make_unique<UrlRecorder>();
    window = std::make_unique<frmMain>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void frmMainTest::cleanup()
{
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
    QCOMPARE(window->focusWidget(), window->txtName);
    QVERIFY(window->findChild<QRadioButton*>("optLong_0")->isChecked());
    QVERIFY(!window->findChild<QRadioButton*>("optLong_1")->isChecked());
    QVERIFY(window->findChild<QRadioButton*>("optLat_0")->isChecked());
    QVERIFY(!window->findChild<QRadioButton*>("optLat_1")->isChecked());
    QVERIFY(!window->findChild<QCheckBox*>("chkDST")->isChecked());
    QVERIFY(!window->bMaleSearch);
    for (const QString& name : kValidBirth.keys())
        QVERIFY2(box(name)->text().isEmpty(), qPrintable(name));
    // The co-branding offer lies in front of the full-branding one at load.
    const QWidget* banner = window->lblCobrand->parentWidget();
    QVERIFY(banner->children().indexOf(window->lblCobrand) >
            banner->children().indexOf(window->lblFullBrand));
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
    window->txtZoneHour->setText(QStringLiteral("ab"));
    window->txtLonD->setText(QStringLiteral("12345"));
    // Pasted through the context menu.
    QGuiApplication::clipboard()->setText(QStringLiteral("x-1"));
    window->txtLatM->setFocus();
    window->txtLatM->paste();
    window->txtName->paste();

    QCOMPARE(window->txtZoneHour->text(), QStringLiteral("ab"));
    QCOMPARE(window->txtLonD->text(), QStringLiteral("123"));
    QCOMPARE(window->txtLatM->text(), QStringLiteral("x-"));
    QCOMPARE(window->txtName->text(), QStringLiteral("x-1"));
    QVERIFY(services->messages.isEmpty());

    // Typing goes on being filtered afterwards.
    QTest::keyClicks(window->txtName, QStringLiteral("a1"));
    QCOMPARE(window->txtName->text(), QStringLiteral("x-1A"));
    QCOMPARE(services->messages.size(), 1);
}

void frmMainTest::validation_data()
{
    QTest::addColumn<Fields>("changes");  // box texts and list items (cboMonth, ...)
    QTest::addColumn<QString>("message"); // empty: the checks pass
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("focus");

    const QString name = QStringLiteral("Please Enter Name");
    const QString hour = QStringLiteral("Please Enter Value Between 0 And 12 in the Zone Hour");
    const QString minute = QStringLiteral("Please Enter Value Between 0 And 59 in the Zone Minute");
    const QString lonD =
        QStringLiteral("Please Enter Value Between 0 And 179 in the Degree of Longitude");
    const QString lonM =
        QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Longitude");
    const QString latD =
        QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude");
    const QString latM =
        QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Latitude");
    const QString february = QStringLiteral("Please Enter Correct Date Or Month!");
    const QString thirtyDays = QStringLiteral("Please Enter Correct Date Or Month !");

    // A refused box takes the focus; otherwise it stays on the button that asked.
    auto row = [](const char* title, Fields changes, const QString& message, const char* focus) {
        QTest::newRow(title) << changes << message << int(QMessageBox::Critical)
                             << QString::fromLatin1(focus);
    };
    auto date = [](const char* title, const char* month, const char* day, const char* year,
                   const QString& message) {
        QTest::newRow(title) << Fields{{"cboMonth", month}, {"cboDate", day}, {"cboYear", year}}
                             << message << int(QMessageBox::Information) << "cmdRashi";
    };
    row("all fields valid", {}, {}, "cmdRashi");
    row("name empty", {{"txtName", ""}}, name, "txtName");
    row("name of spaces only", {{"txtName", "   "}}, name, "txtName");
    row("empty name wins over zone hour 99", {{"txtName", ""}, {"txtZoneHour", "99"}}, name,
        "txtName");
    row("zone hour 12", {{"txtZoneHour", "12"}}, {}, "cmdRashi");
    row("zone hour 13", {{"txtZoneHour", "13"}}, hour, "txtZoneHour");
    row("zone hour -5", {{"txtZoneHour", "-5"}}, {}, "cmdRashi");
    row("zone hour -13", {{"txtZoneHour", "-13"}}, {}, "cmdRashi");
    row("zone hour empty", {{"txtZoneHour", ""}}, hour, "txtZoneHour");
    row("zone hour of spaces", {{"txtZoneHour", "  "}}, hour, "txtZoneHour");
    row("zone hour -", {{"txtZoneHour", "-"}}, hour, "txtZoneHour");
    row("zone hour --", {{"txtZoneHour", "--"}}, hour, "txtZoneHour");
    row("zone hour ---", {{"txtZoneHour", "---"}}, hour, "txtZoneHour");
    row("zone hour 1-2", {{"txtZoneHour", "1-2"}}, hour, "txtZoneHour");
    row("zone hour --5", {{"txtZoneHour", "--5"}}, hour, "txtZoneHour");
    row("zone hour 5-", {{"txtZoneHour", "5-"}}, hour, "txtZoneHour");
    row("zone minute empty", {{"txtZoneMinute", ""}}, minute, "txtZoneMinute");
    row("zone minute 59", {{"txtZoneMinute", "59"}}, {}, "cmdRashi");
    row("zone minute 60", {{"txtZoneMinute", "60"}}, minute, "txtZoneMinute");
    row("zone minute 00", {{"txtZoneMinute", "00"}}, {}, "cmdRashi");
    row("zone minute pasted 1.5", {{"txtZoneMinute", "1.5"}}, {}, "cmdRashi");
    row("zone minute 60 wins over longitude 180", {{"txtZoneMinute", "60"}, {"txtLonD", "180"}},
        minute, "txtZoneMinute");
    row("longitude 179", {{"txtLonD", "179"}}, {}, "cmdRashi");
    row("longitude 180", {{"txtLonD", "180"}}, lonD, "txtLonD");
    row("longitude empty", {{"txtLonD", ""}}, lonD, "txtLonD");
    row("longitude pasted 12a", {{"txtLonD", "12a"}}, lonD, "txtLonD");
    row("longitude pasted -.5", {{"txtLonD", "-.5"}}, lonD, "txtLonD");
    row("longitude minutes 60", {{"txtLonM", "60"}}, lonM, "txtLonM");
    row("latitude 89", {{"txtLatD", "89"}}, {}, "cmdRashi");
    row("latitude 90", {{"txtLatD", "90"}}, latD, "txtLatD");
    row("latitude minutes 60", {{"txtLatM", "60"}}, latM, "txtLatM");
    row("latitude minutes empty", {{"txtLatM", ""}}, latM, "txtLatM");
    date("29 February 2000", "February", "29", "2000", {});
    date("29 February 2004", "February", "29", "2004", {});
    date("28 February 1900", "February", "28", "1900", {});
    date("29 February 1900", "February", "29", "1900", february);
    date("29 February 2001", "February", "29", "2001", february);
    date("30 February 2000", "February", "30", "2000", february);
    date("31 February 2000", "February", "31", "2000", february);
    date("31 March", "March", "31", "2001", {});
    date("30 April", "April", "30", "2001", {});
    date("31 April", "April", "31", "2001", thirtyDays);
    date("31 June", "June", "31", "2001", thirtyDays);
    date("31 September", "September", "31", "2001", thirtyDays);
    date("31 November", "November", "31", "2050", thirtyDays);
    date("31 December", "December", "31", "2050", {});
}

void frmMainTest::validation()
{
    QFETCH(Fields, changes);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(QString, focus);

    fill(kValidBirth);
    fill(changes);
    window->cmdRashi->setFocus();
    const Fields before = snapshot();

    QCOMPARE(window->ValidateBirthData(), message.isEmpty());

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

void frmMainTest::readingCommandsRunTheChecks()
{
    QTest::mouseClick(window->cmdRashi, Qt::LeftButton);
    window->mnuNext->trigger();

    QCOMPARE(services->messages.size(), 2);
    for (const RecordingServices::Message& message : services->messages)
        QCOMPARE(message.text, QStringLiteral("Please Enter Name"));
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

    locationBrowserSetup().pluginFiles.clear(); // no browser window in this test
    fill(place);
    window->cmdRashi->setFocus();

    QTest::mouseClick(window->cmdBrowser, Qt::LeftButton);

    QCOMPARE(window->bMaleSearch, refusal.isEmpty());
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
    window->menus.mnuAbout->trigger();

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
    QCOMPARE(window->mnuExit->text(), QStringLiteral("E&xit"));

    if (fromMenu)
        window->mnuExit->trigger();
    else
        window->close();

    QCOMPARE(services->endCount, 1);
    QVERIFY(!window->isVisible());
}

void frmMainTest::tzHelpOpensThePickerBesideTheZone_data()
{
    QTest::addColumn<QPoint>("windowAt");
    QTest::newRow("near the corner") << QPoint(0, 0);
    QTest::newRow("further in") << QPoint(137, 61);
}

void frmMainTest::tzHelpOpensThePickerBesideTheZone()
{
    QFETCH(QPoint, windowAt);
    window->move(windowAt);
    const QPoint frame = window->frameGeometry().topLeft();

    QTest::mouseClick(window->lblTZHelp, Qt::LeftButton);

    QCOMPARE(services->modals.size(), 1);
    QCOMPARE(services->modals[0].objectName, QStringLiteral("FrmTimeZone"));
    // 4545 and 3150 twips from the window's corner, 15 twips to the pixel.
    QCOMPARE(services->modals[0].position, frame + QPoint(303, 210));
    QVERIFY(services->messages.isEmpty());
}

QTEST_MAIN(frmMainTest)
#include "frmMainTest.moc"
