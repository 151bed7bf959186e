#include "display/frmDasha.h"

#include "display/ClipboardGuard.h"
#include "display/ReadingColours.h"
#include "shell/AppIcon.h"
#include "shell/AppServices.h"
#include "shell/Twips.h"
#include "shell/UiKit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using modEphemeris::DashaPeriod;
using modEphemeris::VimshottariDasha;

constexpr int kMostBirthTimeMinutes = 1440; // a day either way

enum Column : int { kLordColumn, kBeginsColumn, kEndsColumn, kMarkColumn };

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// "UTC+05:30"; with seconds where the clock kept them: "UTC−00:14:44".
QString clockName(int offsetSeconds)
{
    const int magnitude = std::abs(offsetSeconds);
    QString text = QStringLiteral("UTC") + (offsetSeconds < 0 ? QChar(0x2212) : QChar('+')) +
                   twoDigits(magnitude / 3600) + QLatin1Char(':') + twoDigits(magnitude / 60 % 60);
    if (magnitude % 60 != 0)
        text += QLatin1Char(':') + twoDigits(magnitude % 60);
    return text;
}

// "2003-05-17 ± 21 days": the date on the birth place's clock and how far it may be off.
QString dateText(double julianDay, int offsetSeconds, const QString& band)
{
    const modEphemeris::CivilTime t = modEphemeris::ClockMinuteOf(julianDay, offsetSeconds);
    return QStringLiteral("%1-%2-%3 %4")
        .arg(t.year, 4, 10, QLatin1Char('0'))
        .arg(twoDigits(t.month), twoDigits(t.day), band);
}

/// What every row of the table is written with.
struct PeriodRows
{
    QString band; // "± 21 days"
    int offsetSeconds;
    std::vector<const DashaPeriod*> running; // today's, the mahadasha first
    const DashaPeriod* atBirth;              // the first mahadasha
    bool firstLordUncertain;
};

QTreeWidgetItem* periodItem(const DashaPeriod& p, const PeriodRows& rows)
{
    QStringList marks;
    if (p.shorterThanBand)
        marks << QString::fromLatin1(frmDasha::kShortMark);
    if (&p == rows.atBirth && rows.firstLordUncertain)
        marks << QString::fromLatin1(frmDasha::kFirstLordMark);
    auto* item = new QTreeWidgetItem(
        {fromView(p.LordName()), dateText(p.start, rows.offsetSeconds, rows.band),
         dateText(p.end, rows.offsetSeconds, rows.band), marks.join(QStringLiteral("; "))});
    item->setForeground(kMarkColumn, kMarkOnPale);
    return item;
}

void highlight(QTreeWidgetItem& item)
{
    for (int column = kLordColumn; column <= kMarkColumn; ++column) {
        QFont font = item.font(column);
        font.setBold(true);
        item.setFont(column, font);
        item.setBackground(column, kCyan);
    }
}

/// One level's rows with the levels below them; the rows of the periods running today are
/// highlighted and collected, the mahadasha's first.
QList<QTreeWidgetItem*> periodItems(const std::vector<DashaPeriod>& periods, std::size_t depth,
                                    const PeriodRows& rows, std::vector<QTreeWidgetItem*>& running)
{
    QList<QTreeWidgetItem*> items;
    for (const DashaPeriod& period : periods) {
        QTreeWidgetItem* item = periodItem(period, rows);
        const bool runsToday = depth < rows.running.size() && rows.running[depth] == &period;
        if (runsToday) {
            highlight(*item);
            running.push_back(item); // before the periods below it
        }
        item->addChildren(periodItems(period.subperiods, depth + 1, rows, running));
        items.append(item);
    }
    return items;
}

QLabel* captionLabel(QWidget* parent, const char* caption)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setFont(uiFont(8.25, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void setTextColour(QWidget& widget, const QColor& colour)
{
    QPalette colours = widget.palette();
    colours.setColor(QPalette::WindowText, colour);
    widget.setPalette(colours);
}

/// A value beside its caption; long texts wrap.
QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = makeNamed<QLabel>(parent, name);
    label->setFont(uiFont(8.25));
    label->setWordWrap(true);
    setTextColour(*label, kPaleCyan); // softer than the cyan captions
    return label;
}

} // namespace

frmDasha::frmDasha(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmDasha"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kWindowCaption + QStringLiteral(" - Vimshottari Periods"));
    setWindowIcon(appIcon());
    setModal(false);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(twips(180));
    grid->setVerticalSpacing(twips(60));
    grid->setColumnMinimumWidth(0, twips(2400));
    grid->setColumnStretch(1, 1);
    buildFacts(*grid);
    buildPeriods();
    grid->addWidget(lstPeriods, grid->rowCount(), 0, 1, -1);
    grid->setRowStretch(grid->rowCount() - 1, 1);
    lblFootnote = valueLabel(this, "lblFootnote");
    grid->addWidget(lblFootnote, grid->rowCount(), 0, 1, -1);

    setPalette(readingPalette(palette()));
    setAutoFillBackground(true);
    setMinimumWidth(twips(10500));
    resize(twips(11400), twips(10200));

    auto* guard = new ClipboardGuard(this);
    guard->watch(lstPeriods->viewport());
}

void frmDasha::buildFacts(QGridLayout& grid)
{
    int row = 0;
    // A caption and its value; beside a control the caption stands level with its middle.
    const auto addRow = [this, &grid, &row](const char* caption, QWidget* value, bool control) {
        QLabel* label = captionLabel(this, caption);
        if (control) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setBuddy(value); // what a screen reader says the control is for
        }
        grid.addWidget(label, row, 0);
        grid.addWidget(value, row++, 1, control ? Qt::AlignLeft : Qt::Alignment());
    };
    addRow("Moon", lblMoon = valueLabel(this, "lblMoon"), false);
    addRow("Nakshatra", lblNakshatra = valueLabel(this, "lblNakshatra"), false);
    addRow("Balance at birth", lblBalance = valueLabel(this, "lblBalance"), false);

    NAMED(cboYearLength, this);
    for (const modEphemeris::DashaYearLength& length : modEphemeris::kDashaYearLengths)
        cboYearLength->addItem(
            QStringLiteral("%1 days: %2").arg(length.days).arg(fromView(length.name)), length.days);
    cboYearLength->setAccessibleName(QStringLiteral("Dasha year"));
    addRow("Dasha year", cboYearLength, true);
    grid.addWidget(lblConvention = valueLabel(this, "lblConvention"), row++, 1);

    NAMED(spnTimeUncertainty, this);
    spnTimeUncertainty->setRange(0, kMostBirthTimeMinutes);
    spnTimeUncertainty->setPrefix(QStringLiteral("\u00B1 "));
    spnTimeUncertainty->setSuffix(QStringLiteral(" minutes"));
    spnTimeUncertainty->setKeyboardTracking(false); // one new table per value, not per digit
    const QString minutesName = QStringLiteral("Birth time uncertainty in minutes");
    spnTimeUncertainty->setAccessibleName(minutesName);
    // Screen readers land in the box inside, which names nothing by itself.
    spnTimeUncertainty->findChild<QLineEdit*>()->setAccessibleName(minutesName);
    addRow("Birth time known to", spnTimeUncertainty, true);

    addRow("Band", lblBand = valueLabel(this, "lblBand"), false);
    addRow("Running today", lblToday = valueLabel(this, "lblToday"), false);

    connect(cboYearLength, &QComboBox::currentIndexChanged, this, &frmDasha::choiceChanged);
    connect(spnTimeUncertainty, &QSpinBox::valueChanged, this, &frmDasha::choiceChanged);
}

void frmDasha::buildPeriods()
{
    NAMED(lstPeriods, this);
    lstPeriods->setColumnCount(4);
    lstPeriods->setHeaderLabels({QStringLiteral("Period"), QStringLiteral("Begins"),
                                 QStringLiteral("Ends"), QStringLiteral("Mark")});
    lstPeriods->setFont(uiFont(8.25));
    lstPeriods->setColumnWidth(kLordColumn, twips(2100));
    lstPeriods->setColumnWidth(kBeginsColumn, twips(2700));
    lstPeriods->setColumnWidth(kEndsColumn, twips(2700));
    lstPeriods->setUniformRowHeights(true);
    lstPeriods->setAccessibleName(QStringLiteral("Vimshottari periods"));
    lstPeriods->header()->setAccessibleName(QStringLiteral("Columns of the periods"));
    QPalette colours = readingPalette(lstPeriods->palette());
    colours.setColor(QPalette::WindowText, kDarkTeal); // the branches' arrows, on the pale rows
    lstPeriods->setPalette(colours);
}

double frmDasha::chosenYearDays() const
{
    return cboYearLength->currentData().toDouble();
}

double frmDasha::chosenBirthTimeMinutes() const
{
    return spnTimeUncertainty->value();
}

void frmDasha::choiceChanged()
{
    emit conventionsChanged(chosenYearDays(), chosenBirthTimeMinutes());
}

void frmDasha::showDasha(const DashaView& view)
{
    const VimshottariDasha& d = view.dasha;
    const modEphemeris::DashaRequest& request = d.request;
    lblMoon->setText(QString::fromStdString(DashaMoonInWords(d, view.preciseUnavailable)));
    const auto firstLord =
        fromView(modEphemeris::kDashaLords[static_cast<std::size_t>(d.firstLord)].name);
    lblNakshatra->setText(QStringLiteral("%1, lord %2").arg(fromView(d.nakshatraName), firstLord));
    lblBalance->setText(QString::fromStdString(DashaBalanceInWords(d)));
    lblConvention->setText(
        QString::fromStdString(modEphemeris::DashaYearConvention(request.yearDays)));
    lblBand->setText(QString::fromStdString(DashaBandInWords(d)));
    setTextColour(*lblBand, d.firstLordUncertain ? kMarkOnDark : kPaleCyan);
    {
        // What the controller answers with is what the user chose: no second request.
        const QSignalBlocker yearQuiet(cboYearLength);
        const QSignalBlocker minutesQuiet(spnTimeUncertainty);
        cboYearLength->setCurrentIndex(cboYearLength->findData(request.yearDays));
        spnTimeUncertainty->setValue(static_cast<int>(std::lround(request.birthTimeMinutes)));
    }

    const PeriodRows rows{QString::fromStdString(modEphemeris::PlusMinusDays(d.bandDays)),
                          view.clockOffsetSeconds, RunningPeriodsAt(d, view.today),
                          d.mahadashas.empty() ? nullptr : &d.mahadashas.front(),
                          d.firstLordUncertain};
    std::vector<QTreeWidgetItem*> running;
    lstPeriods->clear();
    lstPeriods->addTopLevelItems(periodItems(d.mahadashas, 0, rows, running));
    ClipboardGuard::emptyClipboard(); // the table's new texts are a change, as in a reading box
    QStringList today;
    for (QTreeWidgetItem* item : running) {
        item->setExpanded(true);
        today << item->text(kLordColumn);
    }
    if (!running.empty())
        lstPeriods->scrollToItem(running.back(), QAbstractItemView::PositionAtCenter);
    lblToday->setText(running.empty() ? QStringLiteral("none: today lies outside these periods")
                                      : today.join(QStringLiteral(" / ")));
    lblFootnote->setText(
        QStringLiteral("Dates are the birth place's clock, %1 as at birth; each may be off by the "
                       "band. Periods shorter than twice the band are marked: near their dates, "
                       "another period may be the one running.")
            .arg(clockName(view.clockOffsetSeconds)));

    show();
    raise();
    activateWindow();
}
