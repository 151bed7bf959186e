#include "app/PlaceClockLink.h"

#include "atlas/AtlasLocation.h"
#include "atlas/AtlasTexts.h"
#include "atlas/EntryFields.h"
#include "atlas/frmPlaceFinder.h"
#include "entry/BirthDataChecks.h"
#include "entry/frmMain.h"
#include "shell/AppServices.h"

namespace {

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

int wholeNumber(const std::string& text)
{
    return static_cast<int>(FieldText::NumericValue(text).value_or(0));
}

} // namespace

PlaceClockLink::PlaceClockLink(frmMain& entry) : QObject(&entry), entry_(entry)
{
    entry_.offerPlaceFinder();
    connect(&entry_, &frmMain::placeFinderRequested, this, &PlaceClockLink::findPlace);
    // A place, zone or DST field changed by hand says something else than the clock.
    connect(&entry_, &frmMain::placeOrZoneEdited, this, [this] { link_.reset(); });
    connect(&entry_, &frmMain::birthTimeEdited, this, &PlaceClockLink::birthTimeEdited);
}

PlaceClockLink::~PlaceClockLink() = default;

const atlas::PlaceIndex* PlaceClockLink::index()
{
    if (index_ == nullptr) {
        atlas::IndexLoad load = atlas::loadDefaultIndex();
        if (load.index == nullptr) {
            AppServices::current().message(&entry_, QMessageBox::Warning, qText(load.error));
            return nullptr;
        }
        index_ = std::move(load.index);
    }
    return index_.get();
}

atlas::CivilTime PlaceClockLink::birthLocalTime() const
{
    // The lists hold whole numbers only; seconds are not read.
    const BirthDataFields fields = entry_.fields();
    return {wholeNumber(fields.year),   MonthNumber(fields.month).value_or(1),
            wholeNumber(fields.day),    wholeNumber(fields.hour),
            wholeNumber(fields.minute), 0};
}

void PlaceClockLink::findPlace()
{
    const atlas::PlaceIndex* places = index();
    if (places == nullptr)
        return;
    frmPlaceFinder finder(*places, birthLocalTime(), &entry_);
    AppServices::current().runModal(finder);
    if (!finder.choice())
        return; // Cancel writes nothing

    const PlaceChoice& choice = *finder.choice();
    const atlas::EntryFields& found = choice.fields;
    entry_.setPlaceTexts(qText(found.city), qText(found.state), qText(found.country));
    BirthDataFields fields = entry_.fields();
    fields.longitudeDegrees = std::to_string(found.longitude.degrees);
    fields.longitudeMinutes = std::to_string(found.longitude.minutes);
    fields.east = found.east;
    fields.latitudeDegrees = std::to_string(found.latitude.degrees);
    fields.latitudeMinutes = std::to_string(found.latitude.minutes);
    fields.south = found.south;
    if (found.zone) {
        fields.zoneHour = found.zone->hour;
        fields.zoneMinute = found.zone->minute;
        fields.daylightSaving = found.zone->daylightSaving;
    }
    entry_.setFields(fields);

    // Without its clock (a zone the system's tzdata lacks) the place is only a place.
    if (choice.clock)
        link_ = Link{found.city, found.east, *choice.clock};
    else
        link_.reset();
}

void PlaceClockLink::birthTimeEdited()
{
    if (!link_)
        return;
    const atlas::ClockReading reading =
        atlas::readClock(link_->clock.zoneId, birthLocalTime(), link_->clock.occurrence);
    if (!reading.clock) {
        link_.reset(); // the fields as they stand are the user's from here on
        return;
    }
    link_->clock = *reading.clock;
    const atlas::ZoneFields zone = atlas::zoneFields(link_->clock.offset, link_->east);
    BirthDataFields fields = entry_.fields();
    fields.zoneHour = zone.hour;
    fields.zoneMinute = zone.minute;
    fields.daylightSaving = zone.daylightSaving;
    entry_.setFields(fields);
}

PlaceClockLink::Instant PlaceClockLink::instantFor(const modEphemeris::BirthData& birth)
{
    if (!link_)
        return {};
    const std::optional<atlas::ZoneQuestion> question =
        atlas::zoneQuestion(link_->placeName, link_->clock, birth);
    if (!question)
        return {}; // the fields as entered give the clock's universal time
    const int answer = AppServices::current().ask(
        &entry_, qText(question->text),
        {qText(question->useClockCaption), qText(question->useEnteredCaption)}, 0);
    switch (answer) {
    case 0:
        return {Instant::Rule::PlaceClock, link_->clock.offset.totalSeconds};
    case 1:
        return {};
    default:
        return {Instant::Rule::Cancelled, 0};
    }
}
