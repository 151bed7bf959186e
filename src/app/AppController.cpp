#include "app/AppController.h"

#include "display/frmDisplay.h"
#include "entry/frmMain.h"
#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"
#include "lookup/LocationLookup.h"
#include "shell/AppServices.h"
#include "timezone/FrmTimeZone.h"
#include "timezone/TimeZoneTable.h"

#include <exception>

AppController::AppController() : entry_(std::make_unique<frmMain>())
{
    connect(entry_.get(), &frmMain::readingRequested, this, &AppController::readingRequested);
    connect(entry_.get(), &frmMain::lookupRequested, this, &AppController::lookupRequested);
    connect(entry_.get(), &frmMain::zoneHelpRequested, this, &AppController::zoneHelpRequested);
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

void AppController::readingRequested()
{
    const std::optional<modEphemeris::BirthData> birth = entry_->birthData();
    if (!birth)
        return;

    // Both zodiacs are computed before any window changes, so a failure leaves the
    // entry window as it is and no display window behind.
    modEphemeris::MoonReadings reading;
    try {
        reading = modEphemeris::ComputeMoonReadings(*birth);
    } catch (const std::exception&) {
        AppServices::current().message(entry_.get(), QMessageBox::Critical,
                                       QStringLiteral("The reading could not be computed."));
        return;
    }

    shownReading_ = ReadingBasis{*birth, std::nullopt};
    frmDisplay& display = displayWindow();
    entry_->hide(); // only hidden: every field keeps what the user typed
    display.showReading(reading);
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
        connect(display_, &frmDisplay::detailsRequested, this, &AppController::detailsRequested);
    }
    return *display_;
}

void AppController::detailsRequested()
{
    if (!shownReading_ || display_ == nullptr)
        return;
    // The same birth and the same rule for universal time as the shown reading.
    modEphemeris::MoonDetails details;
    try {
        details =
            modEphemeris::ComputeMoonDetails(shownReading_->birth, shownReading_->utcOffsetSeconds);
    } catch (const std::exception&) {
        AppServices::current().message(
            display_, QMessageBox::Critical,
            QStringLiteral("The reading details could not be computed."));
        return;
    }
    display_->showDetails(details);
}

void AppController::lookupRequested()
{
    OpenLocationBrowser(LocationQuery{entry_->bMaleSearch, entry_->cityText(), entry_->stateText(),
                                      entry_->countryText()});
}

void AppController::zoneHelpRequested(QPoint pickerTopLeft)
{
    // The picker deletes itself when it is closed.
    auto* picker = new FrmTimeZone(entry_.get());
    connect(picker, &FrmTimeZone::zoneChosen, entry_.get(), [this](int position) {
        if (const std::optional<TimeZoneRow> row = TimeZoneAt(position))
            entry_->setZoneTexts(QString::fromStdString(ZoneHourText(*row)),
                                 QString::fromStdString(ZoneMinuteText(*row)));
    });
    picker->move(pickerTopLeft);
    AppServices::current().runModal(*picker);
}
