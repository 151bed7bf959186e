#include "support/WindowControls.h"

#include "shell/LinkLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

void missingControl(const QObject& window, const char* name)
{
    qFatal("%s has no control named %s", qPrintable(window.objectName()), name);
}

EntryControls::EntryControls(const QWidget& w)
    : txtName(named<QLineEdit>(w, "txtName")), cboMonth(named<QComboBox>(w, "cboMonth")),
      cboDate(named<QComboBox>(w, "cboDate")), cboYear(named<QComboBox>(w, "cboYear")),
      cboHH(named<QComboBox>(w, "cboHH")), cboMM(named<QComboBox>(w, "cboMM")),
      cboSS(named<QComboBox>(w, "cboSS")), txtZoneHour(named<QLineEdit>(w, "txtZoneHour")),
      txtZoneMinute(named<QLineEdit>(w, "txtZoneMinute")),
      lblTZHelp(named<LinkLabel>(w, "lblTZHelp")), chkDST(named<QCheckBox>(w, "chkDST")),
      txtLonD(named<QLineEdit>(w, "txtLonD")),
      txtLonM(named<QLineEdit>(w, "txtLonM")), optLong{named<QRadioButton>(w, "optLong_0"),
                                                       named<QRadioButton>(w, "optLong_1")},
      txtLatD(named<QLineEdit>(w, "txtLatD")),
      txtLatM(named<QLineEdit>(w, "txtLatM")), optLat{named<QRadioButton>(w, "optLat_0"),
                                                      named<QRadioButton>(w, "optLat_1")},
      txtMCity(named<QLineEdit>(w, "txtMCity")), txtMState(named<QLineEdit>(w, "txtMState")),
      txtMCountry(named<QLineEdit>(w, "txtMCountry")),
      cmdBrowser(named<QPushButton>(w, "cmdBrowser")), cmdRashi(named<QPushButton>(w, "cmdRashi")),
      Label61(named<LinkLabel>(w, "Label61")), lblFullBrand(named<LinkLabel>(w, "lblFullBrand")),
      lblCobrand(named<LinkLabel>(w, "lblCobrand")), mnuNext(named<QAction>(w, "mnuNext")),
      mnuExit(named<QAction>(w, "mnuExit")), mnuAbout(named<QAction>(w, "mnuAbout"))
{
}

DisplayControls::DisplayControls(const QWidget& w)
    : Label61(named<LinkLabel>(w, "Label61")), SSTab1(named<QTabWidget>(w, "SSTab1")),
      Label2(named<QLabel>(w, "Label2")),
      fraSiderealNonParallax(named<QGroupBox>(w, "fraSiderealNonParallax")),
      txtSiderealNonParallax(named<QLineEdit>(w, "txtSiderealNonParallax")),
      fraSiderealParallax(named<QGroupBox>(w, "fraSiderealParallax")),
      txtSiderealParallax(named<QLineEdit>(w, "txtSiderealParallax")),
      Label1(named<LinkLabel>(w, "Label1")),
      fraWesternNonParallax(named<QGroupBox>(w, "fraWesternNonParallax")),
      txtWesternNonParallax(named<QLineEdit>(w, "txtWesternNonParallax")),
      fraWesternParallax(named<QGroupBox>(w, "fraWesternParallax")),
      txtWesternParallax(named<QLineEdit>(w, "txtWesternParallax")),
      cmdExit(named<QPushButton>(w, "cmdExit")), cmdOK(named<QPushButton>(w, "cmdOK")),
      lblFullBrand(named<LinkLabel>(w, "lblFullBrand")),
      lblCobrand(named<LinkLabel>(w, "lblCobrand")), mnuFile(named<QMenu>(w, "mnuFile")),
      mnuFileBack(named<QAction>(w, "mnuFileBack")), mnuExit(named<QAction>(w, "mnuExit")),
      mnuDetails(named<QAction>(w, "mnuDetails"))
{
}

DetailsControls::DetailsControls(const QWidget& w)
    : txtReading{named<QLineEdit>(w, "txtReading_0"), named<QLineEdit>(w, "txtReading_1"),
                 named<QLineEdit>(w, "txtReading_2"), named<QLineEdit>(w, "txtReading_3")},
      window_(w)
{
}

QStringList DetailsControls::readings() const
{
    QStringList texts;
    for (const QLineEdit* box : txtReading)
        texts << box->text();
    return texts;
}

QString DetailsControls::text(const char* label) const
{
    return named<QLabel>(window_, label)->text();
}

PickerControls::PickerControls(const QWidget& w)
    : lstTimeZone(named<QListWidget>(w, "lstTimeZone")), cmdQuit(named<QPushButton>(w, "cmdQuit"))
{
}

AboutControls::AboutControls(const QWidget& w)
    : Label1(named<QLabel>(w, "Label1")), Label2(named<QLabel>(w, "Label2")),
      lblCobrand(named<LinkLabel>(w, "lblCobrand")),
      lblHomePage(named<LinkLabel>(w, "lblHomePage")), cmdOK(named<QPushButton>(w, "cmdOK"))
{
}
