#include "ReadingRequest.h"

#include "AppServices.h"
#include "FieldText.h"
#include "display/frmDisplay.h"
#include "ephemeris/modEphemeris.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

namespace {

using modEphemeris::BirthData;
using modEphemeris::MoonReading;

/// The display window of the last reading, while it is loaded.
QPointer<frmDisplay> displayWindow;

/// The birth data of the last reading: a month text that matches no month name
/// keeps the month read last time.
BirthData lastBirthData;

const std::array<QString, 12> kMonthNames{
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};

/// A field's text as a 16-bit whole number: a fraction (only pasted text brings one)
/// rounds to the nearest whole number, a half to the even one. Nothing when the text
/// is no number or the number does not fit.
std::optional<std::int16_t> wholeNumber(const QString& text, bool magnitude = false)
{
    const std::optional<double> value = FieldText::numericValue(text);
    if (!value)
        return std::nullopt;
    double whole = std::nearbyint(*value); // the default rounding sends halves to even
    if (magnitude)
        whole = std::fabs(whole);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

/// Copies the entry window's fields into the birth data, in the order of the record.
/// A field that cannot be read is reported, takes the focus, and nothing is returned.
std::optional<BirthData> readBirthData(frmMain& entry)
{
    BirthData birth = lastBirthData;
    birth.PersonName = entry.txtName->text().toStdString(); // as typed, not trimmed

    for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
        if (entry.cboMonth->currentText() == kMonthNames[i]) {
            birth.BirthMonth = static_cast<std::int16_t>(i + 1);
            break;
        }
    }

    struct NumberField
    {
        QString text;
        QWidget* field;
        std::int16_t BirthData::*target;
        bool magnitude; // the zone's sign does not reach the computation
    };
    // The seconds list is not read: a reading uses hours and minutes only.
    const std::array<NumberField, 10> fields{{
        {entry.cboDate->currentText(), entry.cboDate, &BirthData::BirthDay, false},
        {entry.cboYear->currentText(), entry.cboYear, &BirthData::BirthYear, false},
        {entry.cboHH->currentText(), entry.cboHH, &BirthData::BirthHour, false},
        {entry.cboMM->currentText(), entry.cboMM, &BirthData::BirthMinute, false},
        {entry.txtZoneHour->text(), entry.txtZoneHour, &BirthData::ZoneHours, true},
        {entry.txtZoneMinute->text(), entry.txtZoneMinute, &BirthData::ZoneMinutes, true},
        {entry.txtLonD->text(), entry.txtLonD, &BirthData::LongitudeDegrees, false},
        {entry.txtLonM->text(), entry.txtLonM, &BirthData::LongitudeMinutes, false},
        {entry.txtLatD->text(), entry.txtLatD, &BirthData::LatitudeDegrees, false},
        {entry.txtLatM->text(), entry.txtLatM, &BirthData::LatitudeMinutes, false},
    }};
    for (const NumberField& number : fields) {
        const std::optional<std::int16_t> value = wholeNumber(number.text, number.magnitude);
        if (!value) {
            AppServices::current().message(
                &entry, QMessageBox::Critical,
                QStringLiteral("This value cannot be used for a reading. Please correct it."));
            number.field->setFocus();
            return std::nullopt;
        }
        birth.*number.target = *value;
    }

    birth.LongitudeIsEast = entry.optLong[0]->isChecked();
    birth.LatitudeIsSouth = entry.optLat[1]->isChecked();
    birth.DaylightSaving = entry.chkDST->checkState() != Qt::Unchecked;
    return birth;
}

/// The display window to fill: the loaded one, or a fresh one that leads back to the entry window.
frmDisplay& loadDisplayWindow(frmMain& entry)
{
    // A window that has been closed is only waiting to be deleted: it counts as unloaded.
    if (displayWindow == nullptr || !displayWindow->isVisible()) {
        displayWindow = new frmDisplay;
        QObject::connect(displayWindow, &frmDisplay::backRequested, &entry, [&entry] {
            entry.show();
            entry.activateWindow(); // the user carries on typing there
        });
    }
    return *displayWindow;
}

} // namespace

void RequestReading(frmMain& entry)
{
    if (!entry.ValidateBirthData())
        return;
    const std::optional<BirthData> birth = readBirthData(entry);
    if (!birth)
        return;
    lastBirthData = *birth;

    // Both readings are computed before any window changes, so a failure leaves the
    // entry window as it is and no display window behind.
    MoonReading sidereal;
    MoonReading tropical;
    try {
        sidereal = modEphemeris::ComputeMoonReading(*birth, false);
        tropical = modEphemeris::ComputeMoonReading(*birth, true);
    } catch (const std::exception&) {
        AppServices::current().message(&entry, QMessageBox::Critical,
                                       QStringLiteral("The reading could not be computed."));
        return;
    }

    frmDisplay& display = loadDisplayWindow(entry);
    display.txtSiderealNonParallax->setText(QString::fromStdString(sidereal.GeocentricText));
    display.txtSiderealParallax->setText(QString::fromStdString(sidereal.TopocentricText));
    display.txtWesternNonParallax->setText(QString::fromStdString(tropical.GeocentricText));
    display.txtWesternParallax->setText(QString::fromStdString(tropical.TopocentricText));
    display.SSTab1->setCurrentIndex(0);

    entry.hide(); // only hidden: every field keeps what the user typed
    display.show();
    display.raise();
    display.activateWindow();
}
