#pragma once

#include "display/frmDasha.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/PreciseBeside.h"
#include "ephemeris/modEphemeris.h"

#include <QMainWindow>
#include <optional>

class LinkLabel;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class TabPage;

/// The reading window: the Moon's place at birth four ways, the sidereal reading
/// on the first tab and the tropical ("Western") one on the second, each seen from
/// the centre of the Earth ("Non-Parallax") and from the birth place ("Parallax").
/// It computes nothing: whoever opens it hands it the reading. Deleted on close.
class frmDisplay final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmDisplay(QWidget* parent = nullptr);

    /// Writes the four texts, the sidereal pair first, brings the "Sidereal Astrology"
    /// tab to the front and shows the window, not modal. A reading whose sign the precise
    /// Moon (none: not in this build) places otherwise says so in its tooltip and its
    /// accessible description.
    void showReading(const modEphemeris::MoonReadings& reading,
                     const std::optional<modEphemeris::PreciseBeside>& precise = std::nullopt);

    /// Shows the details of the shown reading in a window of their own, or refills and
    /// raises the one already open. It closes with this window or the next reading.
    void showDetails(const modEphemeris::MoonDetails& details,
                     const std::optional<modEphemeris::PreciseBeside>& precise = std::nullopt);

    /// Shows the Vimshottari periods of the shown reading in a window of their own, or
    /// refills and raises the one already open. It closes with this window or the next reading.
    void showDasha(const DashaView& view);

signals:
    /// The user went back: the window is closing, and the entry window should show again.
    void backRequested();
    /// The user asked for the details of the shown reading.
    void detailsRequested();
    /// The user asked for the Vimshottari periods of the shown reading, with a dasha year
    /// (days) and a birth-time uncertainty (minutes).
    void dashaRequested(double yearDays, double birthTimeMinutes);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildBanners(QWidget* client);
    void buildTabs(QWidget* client);
    void buildButtons(QWidget* client);
    void buildMenus();
    void setKeyboardOrder();
    void describeForScreenReaders();
    void markPreciseSigns(const std::optional<modEphemeris::PreciseBeside>& precise);
    void applyColours();

    void cmdOKClicked();
    void cmdExitClicked();
    void closeDetails();
    void mnuDashaClicked();

    QFrame* fraTopBanner = nullptr;
    LinkLabel* Label61 = nullptr;

    QTabWidget* SSTab1 = nullptr;
    TabPage* tabSidereal = nullptr;
    QLabel* Label2 = nullptr; // the parallax explanation
    QGroupBox* fraSidereal = nullptr;
    QGroupBox* fraSiderealNonParallax = nullptr;
    QLineEdit* txtSiderealNonParallax = nullptr;
    QGroupBox* fraSiderealParallax = nullptr;
    QLineEdit* txtSiderealParallax = nullptr;

    TabPage* tabWestern = nullptr;
    LinkLabel* Label1 = nullptr; // the non-parallax explanation
    QGroupBox* fraWestern = nullptr;
    QGroupBox* fraWesternNonParallax = nullptr;
    QLineEdit* txtWesternNonParallax = nullptr;
    QGroupBox* fraWesternParallax = nullptr;
    QLineEdit* txtWesternParallax = nullptr;

    QPushButton* cmdExit = nullptr;
    QPushButton* cmdOK = nullptr;

    QFrame* fraBottomBanner = nullptr;
    LinkLabel* lblFullBrand = nullptr;
    LinkLabel* lblCobrand = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileBack = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuDetails = nullptr;
    QAction* mnuDasha = nullptr;

    bool goingBack_ = false; // tells Back's close from the closes that end the program
};
