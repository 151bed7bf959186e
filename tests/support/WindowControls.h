#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

class LinkLabel;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;

// The windows keep their controls to themselves; tests reach them as a user
// would see them, by name. Each struct finds a window's named controls once.

/// Stops the test run, naming the control: every test after would only crash on it.
[[noreturn]] void missingControl(const QObject& window, const char* name);

/// The window's child of that kind with that objectName.
template <class T> T* named(const QObject& window, const char* name)
{
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr)
        missingControl(window, name);
    return child;
}

struct EntryControls
{
    explicit EntryControls(const QWidget& window);

    QLineEdit* txtName;
    QComboBox* cboMonth;
    QComboBox* cboDate;
    QComboBox* cboYear;
    QComboBox* cboHH;
    QComboBox* cboMM;
    QComboBox* cboSS;
    QLineEdit* txtZoneHour;
    QLineEdit* txtZoneMinute;
    LinkLabel* lblTZHelp;
    QCheckBox* chkDST;
    QLineEdit* txtLonD;
    QLineEdit* txtLonM;
    std::array<QRadioButton*, 2> optLong; // 0 East, 1 West
    QLineEdit* txtLatD;
    QLineEdit* txtLatM;
    std::array<QRadioButton*, 2> optLat; // 0 North, 1 South
    QLineEdit* txtMCity;
    QLineEdit* txtMState;
    QLineEdit* txtMCountry;
    QPushButton* cmdBrowser;
    QPushButton* cmdRashi;
    LinkLabel* Label61;
    LinkLabel* lblFullBrand;
    LinkLabel* lblCobrand;
    QAction* mnuNext;
    QAction* mnuExit;
    QAction* mnuAbout;
};

struct DisplayControls
{
    explicit DisplayControls(const QWidget& window);

    LinkLabel* Label61;
    QTabWidget* SSTab1;
    QLabel* Label2; // the parallax explanation
    QGroupBox* fraSiderealNonParallax;
    QLineEdit* txtSiderealNonParallax;
    QGroupBox* fraSiderealParallax;
    QLineEdit* txtSiderealParallax;
    LinkLabel* Label1; // the non-parallax explanation
    QGroupBox* fraWesternNonParallax;
    QLineEdit* txtWesternNonParallax;
    QGroupBox* fraWesternParallax;
    QLineEdit* txtWesternParallax;
    QPushButton* cmdExit;
    QPushButton* cmdOK;
    LinkLabel* lblFullBrand;
    LinkLabel* lblCobrand;
    QMenu* mnuFile;
    QAction* mnuFileBack;
    QAction* mnuExit;
    QAction* mnuDetails;
};

struct DetailsControls
{
    explicit DetailsControls(const QWidget& window);

    std::array<QLineEdit*, 4> txtReading; // in the display window's order

    /// The four reading texts.
    [[nodiscard]] QStringList readings() const;
    /// The text of the label with that objectName ("lblSignUntil_0").
    [[nodiscard]] QString text(const char* label) const;

private:
    const QWidget& window_;
};

struct PickerControls
{
    explicit PickerControls(const QWidget& window);

    QListWidget* lstTimeZone;
    QPushButton* cmdQuit;
};

struct AboutControls
{
    explicit AboutControls(const QWidget& window);

    QLabel* Label1;
    QLabel* Label2;
    LinkLabel* lblCobrand;
    LinkLabel* lblHomePage;
    QPushButton* cmdOK;
};
