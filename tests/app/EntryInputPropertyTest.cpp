// Random input against the entry window, from a fixed seed so that a failing round
// can be replayed. Whatever text lands in the boxes, a reading request ends in one
// of the program's messages or in a well-formed reading, never in a crash, a hang or
// a window left behind; typed keys leave only what each box takes.
#include "app/AppController.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/modEphemeris.h"
#include "support/ProgramUnderTest.h"
#include "support/Readings.h"
#include "support/RecordingServices.h"
#include "support/WindowControls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <random>

namespace {

constexpr std::uint32_t kSeed = 0x5e1e; // fixed: every run sees the same rounds
constexpr int kPasteRounds = 2000;
constexpr int kKeyRoundsPerBox = 300; // seven filtered boxes

const QString kOnlyLetters = QStringLiteral("Please Enter only Letters");
const QString kOnlyNumbers = QStringLiteral("Only Numbers Are Accepted");
const QString kFebruary = QStringLiteral("Please Enter Correct Date Or Month!");
const QString kThirtyDays = QStringLiteral("Please Enter Correct Date Or Month !");

/// A reading text: degrees within the sign, minutes, seconds and one of the twelve sign codes.
const QRegularExpression kReadingText(QRegularExpression::anchoredPattern(
    QStringLiteral("(?:[0-9]|[12][0-9])\u00b0 (?:[0-9]|[1-5][0-9])' (?:[0-9]|[1-5][0-9])\" "
                   "(?:Ari|Tau|Gem|Can|Leo|Vir|Lib|Sco|Sag|Cap|Aqu|Pis)")));

/// A text with control characters and anything beyond ASCII spelt out, for failure reports.
QString spelt(const QString& text, qsizetype limit = 40)
{
    QString out;
    for (qsizetype i = 0; i < text.size() && i < limit; ++i) {
        const QChar c = text.at(i);
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    if (text.size() > limit)
        out += QStringLiteral("...(%1 in all)").arg(text.size());
    return out;
}

/// One key press as a keyboard delivers it.
struct KeyPress
{
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    bool edits; // a key that moves or deletes instead of typing (arrows, Home, Delete, ...)
};

/// Random texts and keys for the entry window, all drawn from one seeded engine.
class InputSource
{
public:
    explicit InputSource(std::uint32_t seed) : engine_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(int percent) { return below(100) < percent; }

    /// One code point of any kind: controls, the whole plane, pairs and cut pairs.
    QString anyCharacter();
    /// Text as a paste may bring it: empty, spaces, numbers of every shape, long runs.
    QString pastedText();
    /// A text that reads as a whole number within the range or one beyond, at times decorated.
    QString numberNear(int lowest, int highest);
    /// A name of capitals and spaces, as the name box types it.
    QString plainName();
    /// A key press of any kind: letters, digits, punctuation, controls, beyond ASCII, editing.
    KeyPress keyPress();

private:
    QString numberShaped();

    std::mt19937 engine_;
};

QString InputSource::anyCharacter()
{
    // Digits and spaces of other scripts look like numbers but are not.
    static constexpr std::array<char16_t, 12> lookalikes{
        0x0660, 0x06f5, 0x0969, 0xff10, 0xff19, 0x00b2, 0x2070, // digits
        0x00a0, 0x2009, 0x200b, 0x3000, 0xfeff};                // spaces
    switch (below(8)) {
    case 0:
        return QChar(char16_t(0x20 + below(0x5f))); // printable ASCII
    case 1:
        return QChar(char16_t(below(0x20))); // C0 controls, NUL included
    case 2:
        return QChar(char16_t(0x7f + below(0x21))); // DEL and the C1 controls
    case 3:
        return QChar(char16_t(0xa0 + below(0xd800 - 0xa0))); // the plane below the surrogates
    case 4:
        return QChar(char16_t(0xe000 + below(0x2000))); // private use up to U+FFFF
    case 5: {
        const char32_t beyond = 0x10000 + below(0x100000); // a surrogate pair
        return QString::fromUcs4(&beyond, 1);
    }
    case 6:
        return QChar(char16_t(0xd800 + below(0x800))); // a lone surrogate, as a cut pair leaves it
    default:
        return QChar(lookalikes[below(lookalikes.size())]);
    }
}

QString InputSource::numberShaped()
{
    static const std::array<QString, 7> signs{"", "", "-", "+", "--", "- ", "\u2212"};
    static const std::array<QString, 6> exponents{"e", "E", "e-", "e+", "E0", "d"};
    QString text(below(3), u' ');
    text += signs[below(signs.size())];
    const int digits = below(14); // up to far beyond what any box holds
    for (int i = 0; i < digits; ++i)
        text += QChar(u'0' + below(10));
    if (chance(40)) {
        text += chance(90) ? u'.' : u',';
        for (int i = below(4); i > 0; --i)
            text += QChar(u'0' + below(10));
    }
    if (chance(20)) {
        text += exponents[below(exponents.size())];
        for (int i = below(4); i > 0; --i)
            text += QChar(u'0' + below(10));
    }
    text += QString(below(3), u' ');
    return text;
}

QString InputSource::pastedText()
{
    static const std::array<QString, 14> oddities{
        "-",   "--",  "---",       "+",    "-+5",         "5-",    "1-2",
        "nan", "inf", "-infinity", "0x1F", "99999999999", "1e308", "-99999999999"};
    switch (below(8)) {
    case 0:
        return {};
    case 1:
        return {1 + below(6), u' '};
    case 2:
    case 3:
        return numberShaped();
    case 4: {
        // Digits and letters mixed.
        QString text;
        for (int i = 1 + below(6); i > 0; --i)
            text += chance(50) ? QChar(u'0' + below(10)) : QChar(u'a' + below(26));
        return text;
    }
    case 5:
        return oddities[below(oddities.size())];
    case 6: {
        QString text;
        for (int i = 1 + below(20); i > 0; --i)
            text += anyCharacter();
        return text;
    }
    default: {
        // A long run: far beyond every length limit, and a long name.
        const QString piece = chance(50) ? numberShaped() + anyCharacter() : anyCharacter();
        return piece.repeated(100 + below(4900) / std::max<qsizetype>(1, piece.size()));
    }
    }
}

QString InputSource::numberNear(int lowest, int highest)
{
    // The ends of the range and one step beyond them are where checks go wrong.
    const std::array<int, 4> edges{lowest, highest, lowest - 1, highest + 1};
    const int value =
        chance(20) ? edges[below(edges.size())] : lowest + below(highest - lowest + 1);
    QString text = QString::number(value);
    if (chance(15))
        text.prepend(u'0'); // "05" is 5; a box too short for it keeps the front
    if (chance(10))
        text += chance(50) ? QStringLiteral(".5") : QStringLiteral(".4"); // cut by most boxes
    if (chance(10))
        text = QStringLiteral(" ") + text + QStringLiteral(" ");
    return text;
}

QString InputSource::plainName()
{
    QString name;
    for (int i = 1 + below(30); i > 0; --i)
        name += chance(85) ? QChar(u'A' + below(26)) : QChar(u' ');
    return name;
}

KeyPress InputSource::keyPress()
{
    switch (below(6)) {
    case 0: {
        static const std::array<std::pair<Qt::Key, QString>, 8> editing{{
            {Qt::Key_Left, ""},
            {Qt::Key_Right, ""},
            {Qt::Key_Up, ""},
            {Qt::Key_Down, ""},
            {Qt::Key_Home, ""},
            {Qt::Key_End, ""},
            {Qt::Key_Backspace, "\b"},
            {Qt::Key_Delete, "\x7f"},
        }};
        const auto& [key, text] = editing[below(editing.size())];
        return {key, text, Qt::NoModifier, true};
    }
    case 1: {
        const int letter = below(26);
        const bool capital = chance(30);
        return {Qt::Key(Qt::Key_A + letter), QChar((capital ? u'A' : u'a') + letter),
                capital ? Qt::ShiftModifier : Qt::NoModifier, false};
    }
    case 2: {
        const int digit = below(10);
        return {Qt::Key(Qt::Key_0 + digit), QChar(u'0' + digit), Qt::NoModifier, false};
    }
    case 3: {
        // Space and punctuation: Qt's key codes for them are their ASCII codes.
        static const QString punctuation = QStringLiteral(" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
        const QChar c = punctuation.at(below(int(punctuation.size())));
        return {Qt::Key(c.unicode()), c, Qt::NoModifier, false};
    }
    case 4: {
        // Control characters come from Ctrl with a letter, Esc, or keys the keyboard cannot name.
        const int code = below(32);
        if (code >= 1 && code <= 26)
            return {Qt::Key(Qt::Key_A + code - 1), QChar(char16_t(code)), Qt::ControlModifier,
                    false};
        if (code == 27)
            return {Qt::Key_Escape, QChar(char16_t(code)), Qt::NoModifier, false};
        return {Qt::Key_unknown, QChar(char16_t(code)), Qt::NoModifier, false};
    }
    default: {
        QString text = anyCharacter();
        while (text.size() == 1 && text.at(0).unicode() < 0x80)
            text = anyCharacter(); // beyond ASCII only
        return {Qt::Key_unknown, text, Qt::NoModifier, false};
    }
    }
}

/// A number box of the entry window and the range a reading takes from it.
struct NumberBox
{
    QLineEdit* box;
    double lowest;
    double highest;
    QString message;
};

std::array<NumberBox, 6> numberBoxes(const EntryControls& entry)
{
    // Any negative zone hour passes: its sign does not reach the reading.
    constexpr double anyNegative = -std::numeric_limits<double>::infinity();
    return {{
        {entry.txtZoneHour, anyNegative, 12,
         QStringLiteral("Please Enter Value Between 0 And 12 in the Zone Hour")},
        {entry.txtZoneMinute, 0, 59,
         QStringLiteral("Please Enter Value Between 0 And 59 in the Zone Minute")},
        {entry.txtLonD, 0, 179,
         QStringLiteral("Please Enter Value Between 0 And 179 in the Degree of Longitude")},
        {entry.txtLonM, 0, 59,
         QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Longitude")},
        {entry.txtLatD, 0, 89,
         QStringLiteral("Please Enter Value Between 0 And 89 in the Degree of Latitude")},
        {entry.txtLatM, 0, 59,
         QStringLiteral("Please Enter Value Between 0 And 59 in the  Minute of Latitude")},
    }};
}

/// The number a box's text stands for: ASCII digits with an optional minus sign in
/// front and an optional point, spaces around it allowed, nothing else.
std::optional<double> plainNumber(const QString& text)
{
    static const QRegularExpression number(QRegularExpression::anchoredPattern(
        QStringLiteral(" *(-?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)) *")));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble();
}

std::int16_t nearestWhole(double value)
{
    double whole = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) // a half goes to the even neighbour
        whole = 2 * std::round(value / 2);
    return static_cast<std::int16_t>(whole);
}

/// What a reading request must end in for what the window holds now: the message of
/// the first field it cannot take, or no message and the birth data of the reading.
struct Outcome
{
    QString message;
    modEphemeris::BirthData birth;
};

Outcome expectedOutcome(const EntryControls& entry)
{
    const QString name = entry.txtName->text();
    if (name.count(u' ') == name.size())
        return {QStringLiteral("Please Enter Name"), {}};

    std::array<std::int16_t, 6> numbers{};
    const std::array<NumberBox, 6> boxes = numberBoxes(entry);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const std::optional<double> value = plainNumber(boxes[i].box->text());
        if (!value || *value < boxes[i].lowest || *value > boxes[i].highest)
            return {boxes[i].message, {}};
        numbers[i] = nearestWhole(std::fabs(*value));
    }

    const int month = entry.cboMonth->currentIndex() + 1;
    const int day = entry.cboDate->currentText().toInt();
    const int year = entry.cboYear->currentText().toInt();
    if (!QDate(year, month, day).isValid())
        return {month == 2 ? kFebruary : kThirtyDays, {}};

    modEphemeris::BirthData birth;
    birth.PersonName = name.toStdString();
    birth.BirthMonth = static_cast<std::int16_t>(month);
    birth.BirthDay = static_cast<std::int16_t>(day);
    birth.BirthYear = static_cast<std::int16_t>(year);
    birth.BirthHour = static_cast<std::int16_t>(entry.cboHH->currentText().toInt());
    birth.BirthMinute = static_cast<std::int16_t>(entry.cboMM->currentText().toInt());
    birth.ZoneHours = numbers[0];
    birth.ZoneMinutes = numbers[1];
    birth.LongitudeDegrees = numbers[2];
    birth.LongitudeMinutes = numbers[3];
    birth.LatitudeDegrees = numbers[4];
    birth.LatitudeMinutes = numbers[5];
    birth.LongitudeIsEast = entry.optLong[0]->isChecked();
    birth.LatitudeIsSouth = entry.optLat[1]->isChecked();
    birth.DaylightSaving = entry.chkDST->isChecked();
    return {{}, birth};
}

/// Everything the window holds, spelt out, to replay a failing round by hand.
QString describe(const EntryControls& entry)
{
    QStringList fields;
    for (const QLineEdit* box : {entry.txtName, entry.txtZoneHour, entry.txtZoneMinute,
                                 entry.txtLonD, entry.txtLonM, entry.txtLatD, entry.txtLatM})
        fields << box->objectName() + QStringLiteral("=\"") + spelt(box->text()) + u'"';
    for (const QComboBox* list :
         {entry.cboMonth, entry.cboDate, entry.cboYear, entry.cboHH, entry.cboMM, entry.cboSS})
        fields << list->objectName() + u'=' + list->currentText();
    fields << QStringLiteral("West=%1 South=%2 DST=%3")
                  .arg(int(entry.optLong[1]->isChecked()))
                  .arg(int(entry.optLat[1]->isChecked()))
                  .arg(int(entry.chkDST->isChecked()));
    return fields.join(u' ');
}

/// Names any window beyond the entry window and one display window, and any dialog
/// left behind, shown or not; empty when there is none.
QString strayWindows(const frmMain& entry)
{
    QStringList stray;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        const bool ours = window == &entry || qobject_cast<const frmDisplay*>(window) != nullptr;
        if (qobject_cast<const QDialog*>(window) != nullptr || (!ours && window->isVisible()))
            stray << QString::fromLatin1(window->metaObject()->className());
    }
    if (displayWindows().size() > 1)
        stray << QStringLiteral("%1 display windows").arg(displayWindows().size());
    return stray.join(QStringLiteral(", "));
}

} // namespace

class EntryInputPropertyTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pastedTextEndsInMessageOrReading();
    void typedKeysLeaveOnlyWhatTheBoxTakes_data();
    void typedKeysLeaveOnlyWhatTheBoxTakes();

private:
    void fillAtRandom(InputSource& source);

    std::unique_ptr<ProgramUnderTest> program;
    RecordingServices* services = nullptr;
    QPointer<frmMain> entry;
    const EntryControls* ui = nullptr;
};

void EntryInputPropertyTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
}

void EntryInputPropertyTest::init()
{
    program = std::make_unique<ProgramUnderTest>();
    QVERIFY(program->started());
    services = &program->services;
    entry = &program->entry;
    ui = &program->ui;
}

void EntryInputPropertyTest::cleanup()
{
    program.reset();
}

/// Puts random text into every box as a paste or another window would, and picks
/// random list positions and choices. Some rounds keep every box plausible, so that
/// readings are reached as often as refusals.
void EntryInputPropertyTest::fillAtRandom(InputSource& source)
{
    static constexpr std::array<int, 4> junkShares{0, 0, 10, 60}; // percent of the boxes
    const int junkShare = junkShares[source.below(junkShares.size())];

    auto paste = [&source](QLineEdit* box, const QString& text, bool mayAppend) {
        switch (source.below(mayAppend ? 3 : 2)) {
        case 0:
            box->setText(text); // written by another window
            break;
        case 1:
            box->selectAll(); // pasted over what the box holds
            box->insert(text);
            break;
        default:
            box->end(false); // pasted after it
            box->insert(text);
            break;
        }
    };

    const bool junkName = source.chance(junkShare);
    paste(ui->txtName, junkName ? source.pastedText() : source.plainName(), junkName);
    for (const NumberBox& number : numberBoxes(*ui)) {
        const bool junk = source.chance(junkShare);
        const int lowest = std::isinf(number.lowest) ? -99 : static_cast<int>(number.lowest);
        const auto highest = static_cast<int>(number.highest);
        paste(number.box, junk ? source.pastedText() : source.numberNear(lowest, highest), junk);
    }
    for (QLineEdit* place : {ui->txtMCity, ui->txtMState, ui->txtMCountry})
        paste(place, source.pastedText(), true);

    for (QComboBox* list :
         {ui->cboMonth, ui->cboDate, ui->cboYear, ui->cboHH, ui->cboMM, ui->cboSS})
        list->setCurrentIndex(source.below(list->count()));
    ui->optLong[source.below(2)]->setChecked(true);
    ui->optLat[source.below(2)]->setChecked(true);
    ui->chkDST->setChecked(source.chance(50));
}

void EntryInputPropertyTest::pastedTextEndsInMessageOrReading()
{
    InputSource source(kSeed);
    int readings = 0;
    QMap<QString, int> refusals; // by message
    for (int round = 0; round < kPasteRounds; ++round) {
        services->clear();
        QVERIFY2(entry->isVisible(), qPrintable(QStringLiteral("round %1").arg(round)));
        fillAtRandom(source);
        const Outcome expected = expectedOutcome(*ui);
        const QString input = QStringLiteral("round %1: %2").arg(round).arg(describe(*ui));

        QTest::mouseClick(ui->cmdRashi, Qt::LeftButton);

        const QString stray = strayWindows(*entry);
        QVERIFY2(stray.isEmpty(), qPrintable(input + QStringLiteral("\nleft behind: ") + stray));
        const QList<frmDisplay*> displays = displayWindows();
        if (!expected.message.isEmpty()) {
            ++refusals[expected.message];
            QStringList shown;
            for (const RecordingServices::Message& message : services->messages)
                shown << message.text;
            QVERIFY2(shown == QStringList{expected.message},
                     qPrintable(input + QStringLiteral("\nexpected \"%1\", shown \"%2\"")
                                            .arg(expected.message, shown.join("\", \""))));
            QVERIFY2(displays.isEmpty() && entry->isVisible(), qPrintable(input));
            continue;
        }

        ++readings;
        QVERIFY2(
            services->messages.isEmpty(),
            qPrintable(input + QStringLiteral("\nunexpected message: ") +
                       (services->messages.isEmpty() ? QString() : services->messages[0].text)));
        QVERIFY2(displays.size() == 1 && displays[0]->isVisible() && entry->isHidden(),
                 qPrintable(input));
        const QStringList shown = shownReading(*displays[0]);
        for (const QString& text : shown)
            QVERIFY2(kReadingText.match(text).hasMatch(), qPrintable(input + u'\n' + text));
        QVERIFY2(shown == computedReading(expected.birth),
                 qPrintable(input + u'\n' + shown.join(QStringLiteral(" | "))));

        // Back to the entry window for the next round.
        QTest::mouseClick(DisplayControls(*displays[0]).cmdOK, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(displayWindows().isEmpty() && entry->isVisible(), qPrintable(input));
        QCOMPARE(services->endCount, 0);
    }
    // Both ends must have been reached often, or the rounds tested little.
    qInfo("%d readings", readings);
    for (auto it = refusals.cbegin(); it != refusals.cend(); ++it)
        qInfo("%d times \"%s\"", it.value(), qPrintable(it.key()));
    QVERIFY(readings > kPasteRounds / 10);
    QVERIFY(kPasteRounds - readings > kPasteRounds / 10);
}

void EntryInputPropertyTest::typedKeysLeaveOnlyWhatTheBoxTakes_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("takes"); // what a key may type into the box
    QTest::addColumn<QString>("holds"); // what the box may hold afterwards
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::addColumn<std::uint32_t>("seed");

    const QString signedNumber = QStringLiteral("[0-9\\x{8}-]+");
    const QString number = QStringLiteral("[0-9\\x{8}]+");
    auto row = [](const char* title, const char* box, const QString& takes, const char* holds,
                  const QString& message, QMessageBox::Icon icon, std::uint32_t seed) {
        QTest::newRow(title) << box << takes << holds << message << int(icon) << kSeed + seed;
    };
    row("name", "txtName", QStringLiteral("[A-Za-z \\r\\x{8}]+"), "[A-Z ]*", kOnlyLetters,
        QMessageBox::Information, 1);
    row("zone hour", "txtZoneHour", signedNumber, "[0-9-]*", kOnlyNumbers, QMessageBox::Critical,
        2);
    row("zone minute", "txtZoneMinute", number, "[0-9]*", kOnlyNumbers, QMessageBox::Critical, 3);
    row("longitude degrees", "txtLonD", number, "[0-9]*", kOnlyNumbers, QMessageBox::Critical, 4);
    row("longitude minutes", "txtLonM", number, "[0-9]*", kOnlyNumbers, QMessageBox::Critical, 5);
    row("latitude degrees", "txtLatD", number, "[0-9]*", kOnlyNumbers, QMessageBox::Critical, 6);
    row("latitude minutes", "txtLatM", number, "[0-9]*", kOnlyNumbers, QMessageBox::Critical, 7);
}

void EntryInputPropertyTest::typedKeysLeaveOnlyWhatTheBoxTakes()
{
    QFETCH(QString, boxName);
    QFETCH(QString, takes);
    QFETCH(QString, holds);
    QFETCH(QString, message);
    QFETCH(int, icon);
    QFETCH(std::uint32_t, seed);

    auto* box = entry->findChild<QLineEdit*>(boxName);
    QVERIFY(box != nullptr);
    const QRegularExpression taken(QRegularExpression::anchoredPattern(takes));
    const QRegularExpression held(QRegularExpression::anchoredPattern(holds));
    InputSource source(seed);
    // The window's own shortcuts (Ctrl+F, "Find Place Offline...") run their command
    // and type nothing.
    QList<QKeySequence> shortcuts;
    for (const QAction* action : entry->findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            shortcuts.append(action->shortcut());

    for (int round = 0; round < kKeyRoundsPerBox; ++round) {
        services->clear();
        if (source.chance(50))
            box->clear();
        box->setFocus();
        QString typed; // the keys of this round, for the failure report
        int refused = 0;
        for (int count = 1 + source.below(16); count > 0; --count) {
            const KeyPress key = source.keyPress();
            typed += QStringLiteral(" %1:\"%2\"").arg(int(key.key), 0, 16).arg(spelt(key.text));
            // Editing keys keep their function; a typing key is refused unless the box takes all it
            // types.
            const bool command = shortcuts.contains(QKeySequence(key.modifiers | key.key));
            if (!key.edits && !command && !taken.match(key.text).hasMatch())
                ++refused;
            QTest::sendKeyEvent(QTest::Click, box, key.key, key.text, key.modifiers);
        }
        const QString report = QStringLiteral("round %1, keys%2 left \"%3\"")
                                   .arg(round)
                                   .arg(typed, spelt(box->text()));

        QVERIFY2(held.match(box->text()).hasMatch(), qPrintable(report));
        QVERIFY2(box->text().size() <= box->maxLength(), qPrintable(report));
        QVERIFY2(services->messages.size() == refused,
                 qPrintable(report + QStringLiteral(": %1 messages for %2 refused keys")
                                         .arg(services->messages.size())
                                         .arg(refused)));
        for (const RecordingServices::Message& shown : services->messages) {
            QCOMPARE(shown.text, message);
            QCOMPARE(int(shown.icon), icon);
        }
        QCOMPARE(entry->focusWidget(), box); // a refused key does not move the focus
    }
}

QTEST_MAIN(EntryInputPropertyTest)
#include "EntryInputPropertyTest.moc"
