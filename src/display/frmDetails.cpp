#include "display/frmDetails.h"

#include "display/ClipboardGuard.h"
#include "display/ReadingColours.h"
#include "report/DetailsWords.h"
#include "shell/AppIcon.h"
#include "shell/AppServices.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

using modEphemeris::CivilTime;
using modEphemeris::MoonDetailRow;
using modEphemeris::NakshatraPlace;
using modEphemeris::PreciseBeside;
using modEphemeris::PreciseReading;
using report::kInstantFacts;
using report::kNakshatraFacts;
using report::kReadingNames;
using report::kSignFacts;

const QColor kWarning(0xff, 0xd7, 0x00); // stands out on dark teal without shouting

constexpr int kCaptionColumnTwips = 2880;
constexpr int kReadingColumnTwips = 2700;

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

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
    lblFootnote->setText(fromStd(report::DetailsFootnote(false)));
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
    lblFootnote->setText(fromStd(report::DetailsFootnote(available)));
    if (!available)
        return;
    for (std::size_t i = 0; i < kReadings; ++i) {
        const PreciseReading& p = (*precise->readings)[i];
        lblPrecise.values[i]->setText(QString::fromStdString(p.text));
        lblPreciseNakshatra.values[i]->setText(fromStd(report::PreciseNakshatraWords(p)));
    }
}

void frmDetails::showDetails(const modEphemeris::MoonDetails& details,
                             const std::optional<PreciseBeside>& precise)
{
    const CivilTime& birth = details.instant.local;
    for (std::size_t i = 0; i < kInstantLines; ++i)
        lblInstant[i]->setText(fromStd(kInstantFacts[i].text(details.instant, birth)));
    showPrecise(precise);

    for (std::size_t i = 0; i < kReadings; ++i) {
        const MoonDetailRow& reading = details.rows[i];
        // The precise Moon's verdict settles an edge; without it, the warning stands.
        const PreciseReading* p = precise && precise->readings ? &(*precise->readings)[i] : nullptr;
        // A change of the text, which empties the clipboard.
        txtReading[i]->setText(QString::fromStdString(reading.text));
        for (std::size_t line = 0; line < kSignLines; ++line)
            lblSign[line][i]->setText(fromStd(kSignFacts[line].text(reading, birth)));
        if (p != nullptr)
            showNote(signNotes_[i], QString::fromStdString(p->signVerdict),
                     p->signDiffers || p->signEdge.onEdge);
        else
            showNote(signNotes_[i],
                     reading.signEdge.onEdge ? fromStd(report::EdgeNote(reading.signEdge))
                                             : QString(),
                     true);

        // The tropical zodiac has no nakshatras: their lines stay empty.
        const std::optional<NakshatraPlace>& nakshatra = reading.nakshatra;
        for (std::size_t line = 0; line < kNakshatraLines; ++line)
            lblNakshatra[line][i]->setText(
                nakshatra ? fromStd(kNakshatraFacts[line].text(*nakshatra, birth)) : QString());
        if (p != nullptr && p->nakshatra)
            showNote(nakshatraNotes_[i], QString::fromStdString(p->nakshatraVerdict),
                     p->nakshatraDiffers || p->nakshatra->edge.onEdge);
        else
            showNote(nakshatraNotes_[i],
                     nakshatra && nakshatra->edge.onEdge
                         ? fromStd(report::EdgeNote(nakshatra->edge))
                         : QString(),
                     true);
    }
    show();
    raise();
    activateWindow();
}
