#include "atlas/PlaceChoice.h"

#include <utility>

namespace atlas {

PlaceChoice choosePlace(const Place& place, const std::optional<CivilTime>& birthLocal,
                        Occurrence occurrence)
{
    PlaceChoice choice;
    choice.place = place;
    if (birthLocal) {
        ClockReading reading = readClock(place.zoneId, *birthLocal, occurrence);
        choice.clock = std::move(reading.clock);
        choice.clockError = std::move(reading.error);
    }
    choice.fields = entryFields(choice.place, choice.clock ? &*choice.clock : nullptr);
    return choice;
}

} // namespace atlas
