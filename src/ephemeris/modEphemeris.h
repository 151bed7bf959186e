// The Moon reading: where the Moon stood at the moment of birth, seen from the
// centre of the Earth and from the birth place, in the sidereal and the tropical
// zodiac. This is the computation's face to the program: the birth, its moment and
// the four readings. Plain C++20, no Qt.
//
// Angles are degrees; signed geographic coordinates are West-positive and
// North-positive. The readable step-by-step computation, which the tests and the
// benchmarks compare against, is in ReferenceReading.h; the details of a reading in
// MoonDetails.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace modEphemeris {

/// One person's birth data, as typed in the entry window (unsigned zone and place).
struct BirthData
{
    std::string PersonName;            // not used by the computation
    std::int16_t BirthMonth = 0;       // 1 to 12
    std::int16_t BirthDay = 0;         // day of the month
    std::int16_t BirthYear = 0;        // proleptic calendar year
    std::int16_t BirthHour = 0;        // local clock hour, 0 to 23
    std::int16_t BirthMinute = 0;      // local clock minute, 0 to 59
    std::int16_t ZoneHours = 0;        // zone distance from Greenwich, hours, without sign
    std::int16_t ZoneMinutes = 0;      // zone distance from Greenwich, minutes, without sign
    std::int16_t LongitudeDegrees = 0; // without sign
    std::int16_t LongitudeMinutes = 0; // without sign
    bool LongitudeIsEast = false;
    std::int16_t LatitudeDegrees = 0; // without sign
    std::int16_t LatitudeMinutes = 0; // without sign
    bool LatitudeIsSouth = false;
    bool DaylightSaving = false; // clock one hour ahead
};

/// A birth and how its instant is known: by the zone fields (the zone's direction from
/// the longitude's hemisphere, daylight saving adding an hour), or, where the birth
/// place's clock is known from the atlas, by that clock's true offset.
struct BirthMoment
{
    BirthData birth;
    /// The local clock's true offset from universal time, seconds, East of Greenwich
    /// positive; none: the zone fields give universal time.
    std::optional<int> utcOffsetSeconds;
};

/// The two texts of one zodiac, such as `16° 42' 10" Lib` (UTF-8).
struct MoonReading
{
    std::string GeocentricText;  // seen from the centre of the Earth ("Non-Parallax")
    std::string TopocentricText; // seen from the birth place ("Parallax")
};

/// The longitudes behind one zodiac's two texts, degrees, 0 to 360.
struct ZodiacLongitudes
{
    double geocentric;
    double topocentric;
};

/// The four readings of one birth: the texts and the longitudes they show.
struct MoonReadings
{
    MoonReading sidereal;
    MoonReading tropical;
    ZodiacLongitudes siderealLongitudes;
    ZodiacLongitudes tropicalLongitudes;
};

/// All four texts of one birth at its moment, the Moon computed once; bit for bit the texts
/// and longitudes of the reference's ComputeMoonReading in either zodiac.
MoonReadings ComputeMoonReadings(const BirthMoment& moment);

/// Universal time of the moment, hours from 0h of the entered date, not folded (may be
/// below 0 or 24 and more): the one rule every reading, detail and face uses.
double UniversalTime(const BirthMoment& moment);

/// Signed longitude of the birth place, degrees, West positive.
double SignedLongitude(const BirthData& birth);

/// Signed latitude of the birth place, degrees, North positive.
double SignedLatitude(const BirthData& birth);

/// A zodiacal longitude (degrees, 0 to 360) as degrees, minutes and seconds within its sign.
std::string FormatZodiacLongitude(double longitude);

} // namespace modEphemeris
