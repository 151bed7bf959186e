#pragma once

#include "atlas/PlaceChoice.h"
#include "atlas/PlaceClock.h"
#include "atlas/PlaceIndex.h"

#include <QDialog>
#include <array>
#include <optional>
#include <string>
#include <vector>

class LinkLabel;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

/// The offline place finder: search as you type over the atlas, the clock at
/// the chosen place for the birth's local date and time, and what the entry
/// window's fields should get. The caller keeps it (it is not deleted on
/// close), shows it modally and reads choice() afterwards.
class frmPlaceFinder final : public QDialog
{
    Q_OBJECT
public:
    frmPlaceFinder(const atlas::PlaceIndex& index, const atlas::CivilTime& birthLocal,
                   QWidget* parent = nullptr);

    /// The place chosen with OK, Enter or a double-click; none after Cancel or Esc.
    [[nodiscard]] const std::optional<atlas::PlaceChoice>& choice() const { return chosen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void txtSearchChanged();
    void lstPlacesCurrentChanged();
    void optOccurrenceClicked();
    void cmdOKClicked();
    void showClock();
    [[nodiscard]] std::optional<atlas::PlaceChoice> currentChoice() const;

    QLineEdit* txtSearch = nullptr;
    QTreeWidget* lstPlaces = nullptr;
    QLabel* lblClock = nullptr;
    QLabel* lblNotes = nullptr;
    std::array<QRadioButton*, 2> optOccurrence{};
    QButtonGroup* occurrenceGroup = nullptr;
    LinkLabel* lblCredit = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    const atlas::PlaceIndex& index_;
    atlas::CivilTime birthLocal_;
    std::vector<atlas::PlaceId> rows_; // the listed places, in the list's order
    atlas::Occurrence occurrence_ = atlas::Occurrence::First;
    std::optional<atlas::PlaceChoice> chosen_;
};
