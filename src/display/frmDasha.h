#pragma once

#include "ephemeris/Vimshottari.h"

#include <QDialog>
#include <string>

class QComboBox;
class QGridLayout;
class QLabel;
class QSpinBox;
class QTreeWidget;

/// What the periods' window shows of one birth: its periods, why the precise Moon was not
/// used (when it was not), the birth place's clock and today.
struct DashaView
{
    modEphemeris::VimshottariDasha dasha;
    std::string preciseUnavailable; // the precise Moon's words; empty when it is used
    int clockOffsetSeconds = 0;     // the birth place's clock: local = universal + this
    double today = 0;               // now, Julian day of universal time
};

/// A birth's Vimshottari periods: the Moon they start from, its nakshatra and lord, the
/// balance at birth, the dasha year, how far every date may be off, then the periods, each
/// expandable into its sub-periods, at the birth place's clock, the one running today
/// standing out. It computes nothing: a dasha year or a birth-time uncertainty chosen here is
/// asked for, and whoever opened the window answers with new periods. Not modal; Esc closes
/// it. Deleted on close.
class frmDasha final : public QDialog
{
    Q_OBJECT
public:
    explicit frmDasha(QWidget* owner = nullptr);

    /// Writes the periods into the window and shows it in front, not modal.
    void showDasha(const DashaView& view);

    /// The dasha year chosen now, days.
    [[nodiscard]] double chosenYearDays() const;
    /// How far the birth time may be off either way, as chosen now, minutes.
    [[nodiscard]] double chosenBirthTimeMinutes() const;

    /// The period's marks in the table.
    static constexpr const char* kShortMark = "shorter than twice the band";
    static constexpr const char* kFirstLordMark = "its lord is uncertain";

signals:
    /// The user chose another dasha year or birth-time uncertainty.
    void conventionsChanged(double yearDays, double birthTimeMinutes);

private:
    void buildFacts(QGridLayout& grid);
    void buildPeriods();
    void choiceChanged();

    QLabel* lblMoon = nullptr;
    QLabel* lblNakshatra = nullptr;
    QLabel* lblBalance = nullptr;
    QComboBox* cboYearLength = nullptr;
    QLabel* lblConvention = nullptr;
    QSpinBox* spnTimeUncertainty = nullptr;
    QLabel* lblBand = nullptr;
    QLabel* lblToday = nullptr;
    QTreeWidget* lstPeriods = nullptr;
    QLabel* lblFootnote = nullptr;
};
