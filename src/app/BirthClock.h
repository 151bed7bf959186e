#pragma once

#include "ephemeris/modEphemeris.h"

#include <optional>

class frmMain;

/// Where a reading of the entry window's birth takes its moment from: the zone fields
/// as entered, or the clock of a place found in the offline atlas that the fields still
/// say, asking the user where the two disagree.
class BirthClock
{
public:
    virtual ~BirthClock() = default;

    /// The moment for a reading of the birth as entered; none when the user chose no
    /// reading now.
    virtual std::optional<modEphemeris::BirthMoment>
    momentFor(const modEphemeris::BirthData& birth) = 0;
};

/// Offers "Find Place Offline..." in the entry window and keeps the link to the place's
/// clock; the entry window owns what it returns. Null in a build without the atlas.
BirthClock* attachPlaceClock(frmMain& entry);
