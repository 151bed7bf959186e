#include "atlas/EntryFields.h"

#include <cstdlib>

namespace atlas {
namespace {

/// The zone hour's text, with a minus sign in front when asked for.
std::string signedHour(int hours, bool minus)
{
    std::string text = std::to_string(hours);
    if (minus)
        text.insert(text.begin(), '-');
    return text;
}

constexpr int kMaxLongitudeDegrees = 179; // the entry window refuses 180
constexpr int kMaxLatitudeDegrees = 89;   // and 90
constexpr int kHighestZoneHour = 12;      // the zone hour check refuses more, unless negative

bool onSide(int seconds, bool east)
{
    return east ? seconds >= 0 : seconds <= 0;
}

// Whole minutes of a magnitude in seconds, a half minute rounded up.
int roundedMinutes(int seconds)
{
    return (std::abs(seconds) + 30) / 60;
}

} // namespace

DegreesMinutes roundToArcMinute(std::int32_t microdegrees, int maxDegrees)
{
    const long long magnitude = std::llabs(static_cast<long long>(microdegrees));
    const long long minutes = (magnitude * 60 + 500000) / 1000000;
    if (minutes >= static_cast<long long>(maxDegrees + 1) * 60)
        return {maxDegrees, 59};
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)};
}

ZoneFields zoneFields(const ClockOffset& offset, bool east)
{
    ZoneFields fields;
    int magnitude = 0;
    if (offset.savingSeconds == 3600 && onSide(offset.standardSeconds, east)) {
        magnitude = offset.standardSeconds;
        fields.daylightSaving = true;
    } else if (onSide(offset.totalSeconds, east)) {
        magnitude = offset.totalSeconds;
    } else {
        // As the picker writes zones: the hour carries the sign, east of Greenwich negative.
        const int minutes = roundedMinutes(offset.totalSeconds);
        const int hours = minutes / 60;
        fields.hour = signedHour(hours, offset.totalSeconds > 0 && hours != 0);
        fields.minute = std::to_string(minutes % 60);
        fields.said = false;
        return fields;
    }
    const int minutes = roundedMinutes(magnitude);
    const int hours = minutes / 60;
    // The reading takes the hour's magnitude; a minus sign gets an hour above
    // 12 past the zone hour check, which refuses only those that are positive.
    fields.hour = signedHour(hours, hours > kHighestZoneHour);
    fields.minute = std::to_string(minutes % 60);
    return fields;
}

EntryFields entryFields(const Place& place, const PlaceClock* clock)
{
    EntryFields fields;
    fields.city = place.name;
    fields.state = place.region;
    fields.country = place.country;
    fields.longitude = roundToArcMinute(place.longitudeMicro, kMaxLongitudeDegrees);
    fields.latitude = roundToArcMinute(place.latitudeMicro, kMaxLatitudeDegrees);
    const bool roundsToZero = [](const DegreesMinutes& a) {
        return a.degrees == 0 && a.minutes == 0;
    }(fields.longitude);
    fields.east = place.longitudeMicro > 0 && !roundsToZero;
    fields.south =
        place.latitudeMicro < 0 && (fields.latitude.degrees != 0 || fields.latitude.minutes != 0);
    if (clock != nullptr)
        fields.zone = zoneFields(clock->offset, fields.east);
    return fields;
}

void writePlace(const EntryFields& place, birth::BirthDataFields& fields)
{
    fields.longitudeDegrees = std::to_string(place.longitude.degrees);
    fields.longitudeMinutes = std::to_string(place.longitude.minutes);
    fields.east = place.east;
    fields.latitudeDegrees = std::to_string(place.latitude.degrees);
    fields.latitudeMinutes = std::to_string(place.latitude.minutes);
    fields.south = place.south;
    if (place.zone)
        writeZone(*place.zone, fields);
}

void writeZone(const ZoneFields& zone, birth::BirthDataFields& fields)
{
    fields.zoneHour = zone.hour;
    fields.zoneMinute = zone.minute;
    fields.daylightSaving = zone.daylightSaving;
}

} // namespace atlas
