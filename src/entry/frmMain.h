#pragma once

#include "birth/BirthDataChecks.h"
#include "ephemeris/modEphemeris.h"

#include <QMainWindow>
#include <array>
#include <optional>
#include <span>

class LinkLabel;
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

/// The entry window: one person's birth data and the commands that ask for a
/// reading, a lookup or the time zone picker. It lives for the whole run and is
/// only hidden while a reading is shown. It asks; whoever opened it acts.
class frmMain final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    /// The typed birth data after the checks, in one pass. The first refusal is shown
    /// in a message box, moves the focus to its field where it names one, and gives nothing.
    std::optional<modEphemeris::BirthData> birthData();

    /// The texts and choices of the birth data as they stand.
    [[nodiscard]] birth::BirthDataFields fields() const;
    /// Writes every text and choice of the birth data (the name, date, time, zone and place).
    void setFields(const birth::BirthDataFields& fields);
    /// Writes the zone the user picked from the time zone list: the hour, then the minute;
    /// nothing else changes. A zone picked is a zone changed by hand.
    void pickZone(const QString& hour, const QString& minute);
    /// Empties the zone hour and minute boxes.
    void clearZone();
    /// Writes City, State and Country.
    void setPlaceTexts(const QString& city, const QString& state, const QString& country);

    /// Adds "Find Place &Offline..." (Ctrl+F) to the File menu, above a separator and
    /// "Exit"; only a program with the offline atlas offers it.
    void offerPlaceFinder();

    /// The place as typed, which the location lookup searches for.
    [[nodiscard]] QString cityText() const;
    [[nodiscard]] QString stateText() const;
    [[nodiscard]] QString countryText() const;

    /// Draws which promotional label lies in front and keeps the number drawn.
    void chooseFrontPromoLabel();

    /// Set by the location lookup command; the lookup browser reads it when it loads.
    bool bMaleSearch = false;
    /// The draw that chose the front promotional label at start-up.
    int intCoBrandRandomNumber = 0;

signals:
    /// "Get My Parallax Reading" or File > "Get Selenoscope Calculator".
    void readingRequested();
    /// The lookup command, once City, State and Country are filled and bMaleSearch is set.
    void lookupRequested();
    /// "TZ Help": the picker should open modally with its top-left corner here (screen pixels).
    void zoneHelpRequested(QPoint pickerTopLeft);
    /// "Find Place Offline...".
    void placeFinderRequested();
    /// The user changed the zone hour, minute or DST box by hand (typing, clicking, picking
    /// from the time zone list).
    void zoneEdited();
    /// The user changed a coordinate or its hemisphere by hand.
    void coordinatesEdited();
    /// The user changed the birth date or the hour or minute of birth.
    void birthTimeEdited();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void cmdRashiClicked();
    void cmdBrowserClicked();
    void lblTZHelpClicked();
    void mnuExitTriggered();

private:
    // The boxes and lists of the birth data and the place, one row each (frmMain.cpp):
    // what the loops that build, fill, read, write, describe and watch them read.
    struct TextBoxField;
    struct ListField;
    static std::span<const TextBoxField> textBoxFields();
    static std::span<const ListField> listFields();

    void buildBands();
    void buildFrames();
    void buildFields();
    void buildDateAndTime();
    void buildZone();
    void buildCoordinates();
    void buildPlace();
    void buildMenus();
    void chainTabOrder();
    void describeForScreenReaders();
    void reportHandEdits();
    [[nodiscard]] QWidget* fieldWidget(birth::BirthField field) const;

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
    QAction* mnuFindPlace = nullptr;

    /// The birth data of the last reading: a month text that matches no month name
    /// keeps the month read last time.
    modEphemeris::BirthData lastBirthData_;
    bool shownBefore_ = false;
};
