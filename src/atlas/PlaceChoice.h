// A place chosen from the atlas for a birth: the place, the clock it kept at the
// birth's local date and time, and what the entry fields get. The finder window, the
// entry window's link to the place's clock and the command-line tool all make their
// choice here, so each says the same. Plain C++20, no Qt.
#pragma once

#include "atlas/EntryFields.h"
#include "atlas/PlaceClock.h"
#include "atlas/PlaceIndex.h"

#include <optional>
#include <string>

namespace atlas {

struct PlaceChoice
{
    Place place;
    std::string matchedName;         // the other name a search found it by; empty for its own
    std::optional<PlaceClock> clock; // at the birth's local time; none when not read
    std::string clockError;          // why it could not be read, else empty
    EntryFields fields;              // coordinates to the minute; the zone when the clock was read
};

/// The choice of a place for a birth at a local date and time, taking the given occurrence
/// of a repeated local time; without a local time, the place and its coordinates alone.
PlaceChoice choosePlace(const Place& place, const std::optional<CivilTime>& birthLocal,
                        Occurrence occurrence = Occurrence::First);

} // namespace atlas
