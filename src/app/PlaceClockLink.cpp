#include "app/PlaceClockLink.h"

#include "atlas/AtlasLocation.h"
#include "atlas/AtlasTexts.h"
#include "atlas/EntryFields.h"
#include "atlas/frmPlaceFinder.h"
#include "birth/BirthDataChecks.h"
#include "entry/frmMain.h"
#include "shell/AppServices.h"

namespace {

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

BirthClock* attachPlaceClock(frmMain& entry)
{
    return new PlaceClockLink(entry); // the entry window owns it
}

PlaceClockLink::PlaceClockLink(frmMain& entry) : QObject(&entry), entry_(entry)
{
    entry_.offerPlaceFinder();
    connect(&entry_, &frmMain::placeFinderRequested, this, &PlaceClockLink::findPlace);
    // A zone or DST field changed by hand says another clock; a coordinate another place.
    connect(&entry_, &frmMain::zoneEdited, this, [this] { link_.reset(); });
    connect(&entry_, &frmMain::coordinatesEdited, this, &PlaceClockLink::coordinatesEdited);
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
    return birth::LocalTimeOf(entry_.fields());
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

    const atlas::PlaceChoice& choice = *finder.choice();
    const atlas::EntryFields& found = choice.fields;
    entry_.setPlaceTexts(qText(found.city), qText(found.state), qText(found.country));
    birth::BirthDataFields fields = entry_.fields();
    atlas::writePlace(found, fields);
    entry_.setFields(fields);

    // Without its clock (a zone the system's tzdata lacks) the place is only a place.
    if (choice.clock && found.zone)
        link_ = Link{found.city, found.east, *choice.clock, *found.zone};
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
    link_->zone = atlas::zoneFields(link_->clock.offset, link_->east);
    birth::BirthDataFields fields = entry_.fields();
    atlas::writeZone(link_->zone, fields);
    entry_.setFields(fields);
}

void PlaceClockLink::coordinatesEdited()
{
    if (!link_)
        return;
    // Zone fields the reading's rule would take the wrong way round (the finder's signed
    // hour) must not stay behind without the clock they stood for.
    const birth::BirthDataFields fields = entry_.fields();
    const atlas::ZoneFields& zone = link_->zone;
    if (!zone.said && fields.zoneHour == zone.hour && fields.zoneMinute == zone.minute &&
        fields.daylightSaving == zone.daylightSaving)
        entry_.clearZone();
    link_.reset();
}

std::optional<modEphemeris::BirthMoment>
PlaceClockLink::momentFor(const modEphemeris::BirthData& birth)
{
    if (!link_)
        return modEphemeris::BirthMoment{birth, {}};
    const modEphemeris::BirthMoment atClock{birth, link_->clock.offset.totalSeconds};
    const std::optional<atlas::ZoneQuestion> question =
        atlas::zoneQuestion(link_->placeName, link_->clock, birth);
    if (!question)
        return atClock; // the fields say the clock to the minute; the clock says it exactly
    const int answer = AppServices::current().ask(
        &entry_, qText(question->text),
        {qText(question->useClockCaption), qText(question->useEnteredCaption)}, 0);
    switch (answer) {
    case 0:
        return atClock;
    case 1:
        return modEphemeris::BirthMoment{birth, {}};
    default:
        return std::nullopt; // the question was closed without an answer: no reading
    }
}
