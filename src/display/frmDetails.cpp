#include "display/frmDetails.h"

#include "birth/BirthRanges.h"
#include "display/ClipboardGuard.h"
#include "display/ReadingColours.h"
#include "shell/AppIcon.h"
#include "shell/AppServices.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <string_view>

namespace {

using modEphemeris::BirthInstant;
using modEphemeris::CivilTime;
using modEphemeris::EdgeNearness;
using modEphemeris::MoonDetailRow;
using modEphemeris::NakshatraPlace;
using modEphemeris::PreciseBeside;
using modEphemeris::PreciseReading;

const QColor kWarning(0xff, 0xd7, 0x00); // stands out on dark teal without shouting

constexpr int kCaptionColumnTwips = 2880;
constexpr int kReadingColumnTwips = 2700;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "1 January 2000": the calendar's own numbers, whatever the year.
QString dateText(int year, int month, int day)
{
    return QStringLiteral("%1 %2 %3").arg(day).arg(fromView(birth::monthName(month))).arg(year);
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString clockText(int hour, int minute)
{
    return twoDigits(hour) + QLatin1Char(':') + twoDigits(minute);
}

// A first or last minute: the clock time alone on the birth date, with the date on any other.
QString minuteText(const std::optional<CivilTime>& minute, const CivilTime& birth)
{
    if (!minute)
        return QStringLiteral("more than four days"); // the search found no edge within reach
    const QString clock = clockText(minute->hour, minute->minute);
    const bool birthDate =
        minute->year == birth.year && minute->month == birth.month && minute->day == birth.day;
    return birthDate
               ? clock
               : dateText(minute->year, minute->month, minute->day) + QLatin1Char(' ') + clock;
}

// An arc in whole seconds, as the readings write it, without the leading zero units:
// 13° 17' 50", 2' 59", 12".
QString arcText(double arcseconds)
{
    const auto total = static_cast<long long>(std::llround(arcseconds));
    const long long degrees = total / 3600;
    const long long minutes = total / 60 % 60;
    const long long seconds = total % 60;
    QString text = QStringLiteral("%1\"").arg(seconds);
    if (degrees > 0 || minutes > 0)
        text.prepend(QStringLiteral("%1' ").arg(minutes));
    if (degrees > 0)
        text.prepend(QStringLiteral("%1° ").arg(degrees));
    return text;
}

QString edgeText(const EdgeNearness& edge)
{
    return QStringLiteral("%1, %2 away").arg(fromView(edge.across), arcText(edge.arcseconds));
}

QString edgeNote(const EdgeNearness& edge)
{
    return QStringLiteral("On the edge: a precise ephemeris may place the Moon in %1")
        .arg(fromView(edge.across));
}

QString footnoteText(bool withPrecise)
{
    QString text =
        QStringLiteral("Times are the local clock at the birth place, by the same rule as the "
                       "birth.\nThis method's longitude may differ from a precise ephemeris's by "
                       "up to %1\": a Moon that near an edge may stand beyond it.")
            .arg(modEphemeris::kEdgeBudgetArcseconds);
    if (withPrecise)
        text += QStringLiteral("\nThe precise ephemeris may itself be out by up to %1\": nearer "
                               "an edge than that, it too says \"On the edge\".")
                    .arg(modEphemeris::kPreciseEdgeBudgetArcseconds);
    return text;
}

/// One line of the window: the label's name, its caption and how its text is written.
template <class Subject> struct FactLine
{
    const char* name;
    const char* caption;
    QString (*text)(const Subject& subject, const CivilTime& birth);
};

constexpr std::array<FactLine<BirthInstant>, frmDetails::kInstantLines> kInstantFacts{{
    {"lblLocalTime", "Local date and time",
     [](const BirthInstant& i, const CivilTime&) {
         return dateText(i.local.year, i.local.month, i.local.day) + QStringLiteral(", ") +
                clockText(i.local.hour, i.local.minute);
     }},
    {"lblRule", "Universal time from",
     [](const BirthInstant& i, const CivilTime&) { return QString::fromStdString(i.rule); }},
    {"lblUniversalTime", "Universal date and time",
     [](const BirthInstant& i, const CivilTime&) {
         const CivilTime& u = i.universal;
         return dateText(u.year, u.month, u.day) + QStringLiteral(", ") +
                clockText(u.hour, u.minute) + QLatin1Char(':') + twoDigits(u.second) +
                QStringLiteral(" UT");
     }},
    {"lblJulianDay", "Julian day",
     [](const BirthInstant& i, const CivilTime&) {
         return QString::number(i.julianDay, 'f', 5); // a second is 0.0000116 day
     }},
}};

constexpr std::array<FactLine<MoonDetailRow>, frmDetails::kSignLines> kSignFacts{{
    {"lblLongitude", "Longitude",
     [](const MoonDetailRow& r, const CivilTime&) {
         return QStringLiteral("%1°").arg(r.longitude, 0, 'f', 4);
     }},
    {"lblSign", "Sign",
     [](const MoonDetailRow& r, const CivilTime&) { return fromView(r.signCode); }},
    {"lblSignEdge", "Nearest sign edge",
     [](const MoonDetailRow& r, const CivilTime&) { return edgeText(r.signEdge); }},
    {"lblSignSince", "First minute in the sign",
     [](const MoonDetailRow& r, const CivilTime& birth) {
         return minuteText(r.sign_since, birth);
     }},
    {"lblSignUntil", "Last minute in the sign",
     [](const MoonDetailRow& r, const CivilTime& birth) {
         return minuteText(r.sign_until, birth);
     }},
}};

constexpr std::array<FactLine<NakshatraPlace>, frmDetails::kNakshatraLines> kNakshatraFacts{{
    {"lblNakshatra", "Nakshatra",
     [](const NakshatraPlace& n, const CivilTime&) { return fromView(n.name); }},
    {"lblPada", "Pada",
     [](const NakshatraPlace& n, const CivilTime&) { return QString::number(n.pada); }},
    {"lblNakshatraEdge", "Nearest nakshatra edge",
     [](const NakshatraPlace& n, const CivilTime&) { return edgeText(n.edge); }},
    {"lblNakshatraSince", "First minute in the nakshatra",
     [](const NakshatraPlace& n, const CivilTime& birth) {
         return minuteText(n.nakshatra_since, birth);
     }},
    {"lblNakshatraUntil", "Last minute in the nakshatra",
     [](const NakshatraPlace& n, const CivilTime& birth) {
         return minuteText(n.nakshatra_until, birth);
     }},
}};

/// How one of the four readings is called, in the display window's order.
struct ReadingName
{
    const char* caption;    // beside its words when it lies on an edge
    const char* accessible; // what a screen reader announces for its text
};

constexpr std::array<ReadingName, frmDetails::kReadings> kReadingNames{{
    {"Sidereal Non-Parallax", "Sidereal reading without parallax"},
    {"Sidereal Parallax", "Sidereal reading with parallax"},
    {"Western Non-Parallax", "Western reading without parallax"},
    {"Western Parallax", "Western reading with parallax"},
}};

QLabel* captionLabel(QWidget* parent, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setFont(uiFont(8.25, true));
    return label;
}

QLabel* valueLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(uiFont(8.25));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, kPaleCyan); // softer than the cyan captions
    label->setPalette(colours);
    return label;
}

QFrame* ruleLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    return line;
}

QString indexedName(const char* name, std::size_t index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

} // namespace

frmDetails::frmDetails(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmDetails"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kWindowCaption + QStringLiteral(" - Reading Details"));
    setWindowIcon(appIcon());
    setModal(false);

    // No text wraps: every line keeps its one row, and the window takes the width it needs.
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(twips(180));
    grid->setVerticalSpacing(twips(60));
    grid->setColumnMinimumWidth(0, twips(kCaptionColumnTwips));
    for (int column = 1; column <= static_cast<int>(kReadings); ++column)
        grid->setColumnMinimumWidth(column, twips(kReadingColumnTwips));

    int row = buildInstant(*grid, 0);
    grid->addWidget(ruleLine(this), row++, 0, 1, -1);
    row = buildHeadings(*grid, row);
    row = buildReadingTexts(*grid, row);
    row = buildPreciseLine(*grid, row, "Precise ephemeris", "lblPrecise", lblPrecise);
    row = buildPreciseUnavailable(*grid, row);
    row = buildFacts(*grid, row, kSignFacts, lblSign);
    row = buildNotes(*grid, row, "lblSignNote", signNotes_);
    grid->addWidget(ruleLine(this), row++, 0, 1, -1);
    row = buildFacts(*grid, row, kNakshatraFacts, lblNakshatra);
    row = buildPreciseLine(*grid, row, "Precise nakshatra", "lblPreciseNakshatra",
                           lblPreciseNakshatra);
    row = buildNotes(*grid, row, "lblNakshatraNote", nakshatraNotes_);
    grid->addWidget(ruleLine(this), row++, 0, 1, -1);
    buildFootnote(*grid, row);
    setPalette(readingPalette(palette()));
    setAutoFillBackground(true);

    auto* guard = new ClipboardGuard(this);
    for (QLineEdit* box : txtReading)
        guard->watch(box);
}

int frmDetails::buildInstant(QGridLayout& grid, int row)
{
    for (std::size_t i = 0; i < kInstantLines; ++i, ++row) {
        grid.addWidget(captionLabel(this, QString::fromLatin1(kInstantFacts[i].caption)), row, 0);
        lblInstant[i] = valueLabel(this, QString::fromLatin1(kInstantFacts[i].name));
        grid.addWidget(lblInstant[i], row, 1, 1, -1);
    }
    return row;
}

int frmDetails::buildHeadings(QGridLayout& grid, int row)
{
    const auto heading = [this](const char* text) {
        QLabel* label = captionLabel(this, QString::fromLatin1(text));
        label->setAlignment(Qt::AlignCenter);
        return label;
    };
    grid.addWidget(heading("Sidereal Astrology"), row, 1, 1, 2);
    grid.addWidget(heading("Western Astrology"), row, 3, 1, 2);
    ++row;
    for (int column = 1; column <= static_cast<int>(kReadings); ++column)
        grid.addWidget(heading(column % 2 == 1 ? "Non-Parallax" : "Parallax"), row, column);
    return row + 1;
}

int frmDetails::buildReadingTexts(QGridLayout& grid, int row)
{
    grid.addWidget(captionLabel(this, QStringLiteral("Reading")), row, 0);
    for (std::size_t i = 0; i < kReadings; ++i) {
        txtReading[i] = new QLineEdit(this);
        txtReading[i]->setObjectName(indexedName("txtReading", i));
        txtReading[i]->setFont(uiFont(9.75, true));
        txtReading[i]->setReadOnly(true); // a reading is shown, not edited
        txtReading[i]->setAlignment(Qt::AlignCenter);
        txtReading[i]->setMinimumHeight(twips(375));
        txtReading[i]->setAccessibleName(QString::fromLatin1(kReadingNames[i].accessible));
        grid.addWidget(txtReading[i], row, static_cast<int>(i) + 1);
    }
    return row + 1;
}

template <std::size_t N, class Line>
int frmDetails::buildFacts(QGridLayout& grid, int row, const std::array<Line, N>& lines,
                           std::array<Column, N>& labels)
{
    for (std::size_t line = 0; line < N; ++line, ++row) {
        grid.addWidget(captionLabel(this, QString::fromLatin1(lines[line].caption)), row, 0);
        for (std::size_t i = 0; i < kReadings; ++i) {
            labels[line][i] = valueLabel(this, indexedName(lines[line].name, i));
            grid.addWidget(labels[line][i], row, static_cast<int>(i) + 1);
        }
    }
    return row;
}

int frmDetails::buildNotes(QGridLayout& grid, int row, const char* name,
                           std::array<EdgeNote, kReadings>& notes)
{
    for (std::size_t i = 0; i < kReadings; ++i, ++row) {
        EdgeNote& note = notes[i];
        note.reading = captionLabel(this, QString::fromLatin1(kReadingNames[i].caption));
        note.words = valueLabel(this, indexedName(name, i));
        note.reading->hide(); // until there is something to say
        note.words->hide();
        grid.addWidget(note.reading, row, 0);
        grid.addWidget(note.words, row, 1, 1, -1);
    }
    return row;
}

int frmDetails::buildPreciseLine(QGridLayout& grid, int row, const char* caption, const char* name,
                                 PreciseLine& line)
{
    line.caption = captionLabel(this, QString::fromLatin1(caption));
    line.caption->hide(); // until there is a precise Moon to show
    grid.addWidget(line.caption, row, 0);
    for (std::size_t i = 0; i < kReadings; ++i) {
        line.values[i] = valueLabel(this, indexedName(name, i));
        line.values[i]->hide();
        grid.addWidget(line.values[i], row, static_cast<int>(i) + 1);
    }
    return row + 1;
}

int frmDetails::buildPreciseUnavailable(QGridLayout& grid, int row)
{
    lblPreciseUnavailable = valueLabel(this, QStringLiteral("lblPreciseUnavailable"));
    QPalette colours = lblPreciseUnavailable->palette();
    colours.setColor(QPalette::WindowText, kWarning);
    lblPreciseUnavailable->setPalette(colours);
    lblPreciseUnavailable->hide();
    grid.addWidget(lblPreciseUnavailable, row, 0, 1, -1);
    return row + 1;
}

int frmDetails::buildFootnote(QGridLayout& grid, int row)
{
    lblFootnote = valueLabel(this, QStringLiteral("lblFootnote"));
    lblFootnote->setText(footnoteText(false));
    grid.addWidget(lblFootnote, row, 0, 1, -1);
    return row + 1;
}

void frmDetails::showNote(EdgeNote& note, const QString& words, bool warning)
{
    note.words->setText(words);
    for (QLabel* label : {note.reading, note.words}) {
        QPalette colours = label->palette();
        // A warning stands out; an agreeing verdict reads as the facts above it.
        colours.setColor(QPalette::WindowText, warning               ? kWarning
                                               : label == note.words ? kPaleCyan
                                                                     : kCyan);
        label->setPalette(colours);
        label->setVisible(!words.isEmpty());
    }
}

void frmDetails::showPrecise(const std::optional<PreciseBeside>& precise)
{
    const bool available = precise && precise->readings;
    for (PreciseLine* line : {&lblPrecise, &lblPreciseNakshatra}) {
        line->caption->setVisible(available);
        for (QLabel* value : line->values) {
            value->setVisible(available);
            value->clear();
        }
    }
    lblPreciseUnavailable->setText(
        precise && !available ? QString::fromStdString(precise->unavailable) : QString());
    lblPreciseUnavailable->setVisible(precise && !available);
    lblFootnote->setText(footnoteText(available));
    if (!available)
        return;
    for (std::size_t i = 0; i < kReadings; ++i) {
        const PreciseReading& p = (*precise->readings)[i];
        lblPrecise.values[i]->setText(QString::fromStdString(p.text));
        if (p.nakshatra)
            lblPreciseNakshatra.values[i]->setText(QStringLiteral("%1, pada %2")
                                                       .arg(fromView(p.nakshatra->name))
                                                       .arg(p.nakshatra->pada));
    }
}

void frmDetails::showDetails(const modEphemeris::MoonDetails& details,
                             const std::optional<PreciseBeside>& precise)
{
    const CivilTime& birth = details.instant.local;
    for (std::size_t i = 0; i < kInstantLines; ++i)
        lblInstant[i]->setText(kInstantFacts[i].text(details.instant, birth));
    showPrecise(precise);

    for (std::size_t i = 0; i < kReadings; ++i) {
        const MoonDetailRow& reading = details.rows[i];
        // The precise Moon's verdict settles an edge; without it, the warning stands.
        const PreciseReading* p = precise && precise->readings ? &(*precise->readings)[i] : nullptr;
        // A change of the text, which empties the clipboard.
        txtReading[i]->setText(QString::fromStdString(reading.text));
        for (std::size_t line = 0; line < kSignLines; ++line)
            lblSign[line][i]->setText(kSignFacts[line].text(reading, birth));
        if (p != nullptr)
            showNote(signNotes_[i], QString::fromStdString(p->signVerdict),
                     p->signDiffers || p->signEdge.onEdge);
        else
            showNote(signNotes_[i],
                     reading.signEdge.onEdge ? edgeNote(reading.signEdge) : QString(), true);

        // The tropical zodiac has no nakshatras: their lines stay empty.
        const std::optional<NakshatraPlace>& nakshatra = reading.nakshatra;
        for (std::size_t line = 0; line < kNakshatraLines; ++line)
            lblNakshatra[line][i]->setText(nakshatra ? kNakshatraFacts[line].text(*nakshatra, birth)
                                                     : QString());
        if (p != nullptr && p->nakshatra)
            showNote(nakshatraNotes_[i], QString::fromStdString(p->nakshatraVerdict),
                     p->nakshatraDiffers || p->nakshatra->edge.onEdge);
        else
            showNote(nakshatraNotes_[i],
                     nakshatra && nakshatra->edge.onEdge ? edgeNote(nakshatra->edge) : QString(),
                     true);
    }
    show();
    raise();
    activateWindow();
}
