#pragma once

#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "report/DetailsWords.h"

#include <QDialog>
#include <array>
#include <cstddef>
#include <optional>

class QGridLayout;
class QLabel;
class QLineEdit;

/// How firm a reading is: the instant of birth in local and universal time, then for
/// each of the four readings, in the display window's order, its longitude, its sign
/// and, in the sidereal zodiac, its nakshatra and pada; how near each lies to an edge;
/// and the local minutes between which the reading keeps them. Where the build has the
/// precise Moon, each reading has it below (its text, sign, nakshatra and pada) and its
/// verdict in words, which settles whether a reading near an edge keeps its sign; without
/// it, a reading within the method's error of an edge says that a precise ephemeris may
/// place the Moon beyond. Read-only and not modal; Esc closes it. Deleted on close.
class frmDetails final : public QDialog
{
    Q_OBJECT
public:
    explicit frmDetails(QWidget* owner = nullptr);

    /// Writes the details into the window, with the precise Moon beside them (none: not in
    /// this build; unavailable: one line says why), and shows it in front, not modal.
    void showDetails(const modEphemeris::MoonDetails& details,
                     const std::optional<modEphemeris::PreciseBeside>& precise = std::nullopt);

    static constexpr std::size_t kReadings = report::kReadings;
    static constexpr std::size_t kInstantLines = report::kInstantLines;
    static constexpr std::size_t kSignLines = report::kSignLines;
    static constexpr std::size_t kNakshatraLines = report::kNakshatraLines;

private:
    using Column = std::array<QLabel*, kReadings>;

    /// The words for a reading that lies on an edge, or the precise Moon's verdict, with the
    /// reading's name beside them.
    struct EdgeNote
    {
        QLabel* reading = nullptr;
        QLabel* words = nullptr;
    };

    /// A line of the precise Moon: its caption and the four readings' values.
    struct PreciseLine
    {
        QLabel* caption = nullptr;
        Column values{};
    };

    int buildInstant(QGridLayout& grid, int row);
    int buildHeadings(QGridLayout& grid, int row);
    int buildReadingTexts(QGridLayout& grid, int row);
    template <std::size_t N, class Line>
    int buildFacts(QGridLayout& grid, int row, const std::array<Line, N>& lines,
                   std::array<Column, N>& labels);
    int buildNotes(QGridLayout& grid, int row, const char* name,
                   std::array<EdgeNote, kReadings>& notes);
    int buildPreciseLine(QGridLayout& grid, int row, const char* caption, const char* name,
                         PreciseLine& line);
    int buildPreciseUnavailable(QGridLayout& grid, int row);
    int buildFootnote(QGridLayout& grid, int row);
    static void showNote(EdgeNote& note, const QString& words, bool warning);
    void showPrecise(const std::optional<modEphemeris::PreciseBeside>& precise);

    std::array<QLabel*, kInstantLines> lblInstant{};
    std::array<QLineEdit*, kReadings> txtReading{};
    std::array<Column, kSignLines> lblSign{};
    std::array<Column, kNakshatraLines> lblNakshatra{};
    std::array<EdgeNote, kReadings> signNotes_{};
    std::array<EdgeNote, kReadings> nakshatraNotes_{};
    PreciseLine lblPrecise{};          // "lblPrecise_0": the precise Moon's text
    PreciseLine lblPreciseNakshatra{}; // "lblPreciseNakshatra_0": its nakshatra and pada
    QLabel* lblPreciseUnavailable = nullptr;
    QLabel* lblFootnote = nullptr;
};
