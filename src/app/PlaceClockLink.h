#pragma once

#include "app/BirthClock.h"
#include "atlas/EntryFields.h"
#include "atlas/PlaceClock.h"
#include "atlas/PlaceIndex.h"

#include <QObject>
#include <memory>
#include <optional>
#include <string>

class frmMain;

/// The offline atlas as the entry window meets it. "Find Place Offline..." opens
/// the finder and fills the place, the coordinates and the zone fields from the
/// place's clock at the birth. From then on, while no coordinate, zone or DST field is
/// changed by hand (the place's names may be), the program knows the true instant: a new
/// birth date or time re-derives the zone fields from the same zone, a reading takes the
/// clock's true offset, and where the zone fields would give another universal time it
/// asks which one to use. Zone fields that cannot say the clock on their own never
/// outlive the link: a coordinate changed by hand empties them.
class PlaceClockLink final : public QObject, public BirthClock
{
    Q_OBJECT
public:
    explicit PlaceClockLink(frmMain& entry);
    ~PlaceClockLink() override;
    PlaceClockLink(const PlaceClockLink&) = delete;
    PlaceClockLink& operator=(const PlaceClockLink&) = delete;

    std::optional<modEphemeris::BirthMoment>
    momentFor(const modEphemeris::BirthData& birth) override;

private:
    void findPlace();
    void birthTimeEdited();
    void coordinatesEdited();
    [[nodiscard]] atlas::CivilTime birthLocalTime() const;
    const atlas::PlaceIndex* index();

    /// The place chosen, its clock at the birth date and time now entered, and the zone
    /// fields written for it.
    struct Link
    {
        std::string placeName;
        bool east;
        atlas::PlaceClock clock;
        atlas::ZoneFields zone;
    };

    frmMain& entry_;
    std::unique_ptr<const atlas::PlaceIndex> index_; // read on first use, never at start-up
    std::optional<Link> link_;
};
