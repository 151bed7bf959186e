#pragma once

#include "atlas/PlaceClock.h"
#include "atlas/PlaceIndex.h"
#include "ephemeris/modEphemeris.h"

#include <QObject>
#include <memory>
#include <optional>
#include <string>

class frmMain;

/// The offline atlas as the entry window meets it. "Find Place Offline..." opens
/// the finder and fills the place, the coordinates and the zone fields from the
/// place's clock at the birth. From then on, while no place, zone or DST field is
/// changed by hand, the program knows the true instant: a new birth date or time
/// re-derives the zone fields from the same zone, and a reading whose zone fields
/// would give another universal time asks which one to use.
class PlaceClockLink final : public QObject
{
    Q_OBJECT
public:
    explicit PlaceClockLink(frmMain& entry);
    ~PlaceClockLink() override;
    PlaceClockLink(const PlaceClockLink&) = delete;
    PlaceClockLink& operator=(const PlaceClockLink&) = delete;

    /// How a reading of the birth turns its local time into universal time.
    struct Instant
    {
        enum class Rule {
            ZoneFields, // as entered: the zone fields and the hemisphere rule
            PlaceClock, // the true offset of the place's clock
            Cancelled,  // the question was closed without an answer: no reading
        };
        Rule rule = Rule::ZoneFields;
        int utcOffsetSeconds = 0; // PlaceClock only; east of Greenwich positive
    };

    /// The instant for a reading of the birth as entered, asking when the link stands
    /// and the zone fields would give another universal time than the place's clock.
    Instant instantFor(const modEphemeris::BirthData& birth);

    /// True while the fields still say the chosen place and its clock.
    [[nodiscard]] bool linked() const { return link_.has_value(); }

private:
    void findPlace();
    void birthTimeEdited();
    [[nodiscard]] atlas::CivilTime birthLocalTime() const;
    const atlas::PlaceIndex* index();

    /// The place chosen and its clock at the birth date and time now entered.
    struct Link
    {
        std::string placeName;
        bool east;
        atlas::PlaceClock clock;
    };

    frmMain& entry_;
    std::unique_ptr<const atlas::PlaceIndex> index_; // read on first use, never at start-up
    std::optional<Link> link_;
};
