#include "app/AppController.h"

#include "app/BirthClock.h"
#include "app/PreciseAccess.h"
#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/MoonChoice.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"
#include "lookup/LocationLookup.h"
#include "shell/AppServices.h"
#include "timezone/FrmTimeZone.h"
#include "timezone/TimeZoneTable.h"

#include <QDateTime>
#include <exception>
#include <utility>

AppController::AppController()
    : entry_(std::make_unique<frmMain>()), placeClock_(attachPlaceClock(*entry_))
{
    connect(entry_.get(), &frmMain::readingRequested, this, &AppController::showReading);
    connect(entry_.get(), &frmMain::lookupRequested, this, &AppController::openLookup);
    connect(entry_.get(), &frmMain::zoneHelpRequested, this, &AppController::openZonePicker);
}

AppController::~AppController()
{
    delete display_;
}

void AppController::start()
{
    entry_->show();
    entry_->chooseFrontPromoLabel();
}

frmMain& AppController::entryWindow() const
{
    return *entry_;
}

void AppController::showReading()
{
    const std::optional<modEphemeris::BirthData> birth = entry_->birthData();
    if (!birth)
        return;

    // The moment: by the zone fields as entered, or, where the entry window still says
    // a place found in the atlas, by that place's clock.
    const std::optional<modEphemeris::BirthMoment> moment =
        placeClock_ != nullptr ? placeClock_->momentFor(*birth)
                               : modEphemeris::BirthMoment{*birth, {}};
    if (!moment)
        return;

    // Both zodiacs are computed before any window changes, so a failure leaves the
    // entry window as it is and no display window behind.
    modEphemeris::MoonReadings reading;
    try {
        reading = modEphemeris::ComputeMoonReadings(*moment);
    } catch (const std::exception&) {
        AppServices::current().message(entry_.get(), QMessageBox::Critical,
                                       QStringLiteral("The reading could not be computed."));
        return;
    }

    // Beside the readings, never in their place: where it is unavailable they stand alone.
    const std::optional<modEphemeris::PreciseBeside> precise =
        preciseBesideReadings(*moment, reading);

    shownMoment_ = moment;
    frmDisplay& display = displayWindow();
    entry_->hide(); // only hidden: every field keeps what the user typed
    display.showReading(reading, precise);
}

frmDisplay& AppController::displayWindow()
{
    // A window that has been closed is only waiting to be deleted: it counts as unloaded.
    if (display_ == nullptr || !display_->isVisible()) {
        display_ = new frmDisplay;
        connect(display_, &frmDisplay::backRequested, entry_.get(), [this] {
            entry_->show();
            entry_->activateWindow(); // the user carries on typing there
        });
        connect(display_, &frmDisplay::detailsRequested, this, &AppController::showDetails);
        connect(display_, &frmDisplay::dashaRequested, this, &AppController::showDasha);
    }
    return *display_;
}

void AppController::showDetails()
{
    if (!shownMoment_ || display_ == nullptr)
        return;
    // The same moment as the shown reading.
    modEphemeris::MoonDetails details;
    try {
        details = modEphemeris::ComputeMoonDetails(*shownMoment_);
    } catch (const std::exception&) {
        AppServices::current().message(
            display_, QMessageBox::Critical,
            QStringLiteral("The reading details could not be computed."));
        return;
    }
    display_->showDetails(details, preciseBesideDetails(*shownMoment_, details));
}

void AppController::showDasha(double yearDays, double birthTimeMinutes)
{
    if (!shownMoment_ || display_ == nullptr)
        return;
    DashaView view;
    try {
        // The same moment as the shown reading, from the precise Moon where the build has it.
        modEphemeris::DashaStart start = modEphemeris::DashaStartFor(*shownMoment_);
        start.request.yearDays = yearDays;
        start.request.birthTimeMinutes = birthTimeMinutes;
        start.request.levels = 3;
        view.dasha = modEphemeris::ComputeVimshottari(start.request);
        view.preciseUnavailable = std::move(start.preciseUnavailable);
    } catch (const std::exception&) {
        AppServices::current().message(
            display_, QMessageBox::Critical,
            QStringLiteral("The Vimshottari periods could not be computed."));
        return;
    }
    view.clockOffsetSeconds = modEphemeris::ClockOffsetSeconds(*shownMoment_);
    // The Unix epoch is Julian day 2440587.5.
    view.today = 2440587.5 + static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 86400000;
    display_->showDasha(view);
}

void AppController::openLookup()
{
    OpenLocationBrowser(LocationQuery{entry_->bMaleSearch, entry_->cityText(), entry_->stateText(),
                                      entry_->countryText()});
}

void AppController::openZonePicker(QPoint pickerTopLeft)
{
    // The picker deletes itself when it is closed.
    auto* picker = new FrmTimeZone(entry_.get());
    connect(picker, &FrmTimeZone::zoneChosen, entry_.get(), [this](int position) {
        if (const std::optional<TimeZoneRow> row = TimeZoneAt(position))
            entry_->pickZone(QString::fromStdString(ZoneHourText(*row)),
                             QString::fromStdString(ZoneMinuteText(*row)));
    });
    picker->move(pickerTopLeft);
    AppServices::current().runModal(*picker);
}
