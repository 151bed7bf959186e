#pragma once

#include "LinkLabel.h"
#include "SharedMenus.h"

#include <QMainWindow>
#include <array>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

/// The entry window: one person's birth data, the commands that ask for a reading
/// and reach every other window. It lives for the whole run and is only hidden
/// while a reading is shown.
class frmMain final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    /// Checks the fields in a fixed order; the first refusal is shown and answers false.
    bool ValidateBirthData();

    // Bands of the window
    QFrame* fraTopBanner = nullptr;
    LinkLabel* Label61 = nullptr;
    QFrame* fraDescription = nullptr;
    QLabel* Label11 = nullptr;
    QGroupBox* fraInput = nullptr;
    QFrame* fraBottomBanner = nullptr;
    LinkLabel* lblFullBrand = nullptr;
    LinkLabel* lblCobrand = nullptr;

    // The birth data
    QLineEdit* txtName = nullptr;
    QComboBox* cboMonth = nullptr;
    QComboBox* cboDate = nullptr;
    QComboBox* cboYear = nullptr;
    QComboBox* cboHH = nullptr;
    QComboBox* cboMM = nullptr;
    QComboBox* cboSS = nullptr;
    QGroupBox* fraZone = nullptr;
    QLineEdit* txtZoneHour = nullptr;
    QLineEdit* txtZoneMinute = nullptr;
    LinkLabel* lblTZHelp = nullptr;
    QCheckBox* chkDST = nullptr;
    QGroupBox* fraLongitude = nullptr;
    QLineEdit* txtLonD = nullptr;
    QLineEdit* txtLonM = nullptr;
    std::array<QRadioButton*, 2> optLong{}; // 0 East, 1 West
    QButtonGroup* optLongGroup = nullptr;
    QGroupBox* fraLatitude = nullptr;
    QLineEdit* txtLatD = nullptr;
    QLineEdit* txtLatM = nullptr;
    std::array<QRadioButton*, 2> optLat{}; // 0 North, 1 South
    QButtonGroup* optLatGroup = nullptr;
    QLineEdit* txtMCity = nullptr;
    QLineEdit* txtMState = nullptr;
    QLineEdit* txtMCountry = nullptr;
    QPushButton* cmdBrowser = nullptr;
    QPushButton* cmdRashi = nullptr;

    // Menus: File here, Help and Donate shared with the display window
    QMenu* mnuFile = nullptr;
    QAction* mnuNext = nullptr;
    QAction* mnuExit = nullptr;
    SharedMenus menus;

    /// Set by the location lookup command; the lookup browser reads it when it loads.
    bool bMaleSearch = false;
    /// The draw that chose the front promotional label at start-up.
    int intCoBrandRandomNumber = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmdRashiClicked();
    void cmdBrowserClicked();
    void lblTZHelpClicked();
    void mnuExitTriggered();

private:
    void buildBands();
    void buildDateAndTime();
    void buildZone();
    void buildCoordinates();
    void buildPlace();
    void buildMenus();
    void fillLists();
    void chainTabOrder();
    void describeForScreenReaders();

    bool shownBefore_ = false;
};
