#include "PreciseBeside.h"

#include <cstddef>
#include <exception>
#include <string_view>

namespace modEphemeris {

namespace {

constexpr std::string_view kUnavailable = "The precise Moon is unavailable: ";

PreciseBeside Unavailable(std::string_view reason)
{
    return {std::nullopt, std::string(kUnavailable).append(reason)};
}

PreciseBeside Beside(const BirthMoment& moment, const std::array<MoonDetailRow, 4>& rows)
{
    try {
        const PreciseMoon moon = PreciseMoonAt(moment);
        if (!moon.longitudes)
            return Unavailable(moon.unavailable);
        std::array<PreciseReading, 4> readings{};
        for (std::size_t i = 0; i < rows.size(); ++i)
            readings[i] = PreciseReadingOf(rows[i], *moon.longitudes);
        return {readings, {}};
    } catch (const std::exception&) {
        return Unavailable("it could not be computed");
    }
}

// What PreciseReadingOf reads of a row (its zodiac, its view and its longitude), for the
// four readings in the details' order.
std::array<MoonDetailRow, 4> RowsOf(const MoonReadings& readings)
{
    struct Kind
    {
        bool tropical;
        bool topocentric;
    };
    constexpr std::array<Kind, 4> kKinds{
        {{false, false}, {false, true}, {true, false}, {true, true}}};
    std::array<MoonDetailRow, 4> rows{};
    for (std::size_t i = 0; i < kKinds.size(); ++i) {
        const ZodiacLongitudes& zodiac =
            kKinds[i].tropical ? readings.tropicalLongitudes : readings.siderealLongitudes;
        rows[i].tropical = kKinds[i].tropical;
        rows[i].topocentric = kKinds[i].topocentric;
        rows[i].longitude = kKinds[i].topocentric ? zodiac.topocentric : zodiac.geocentric;
    }
    return rows;
}

} // namespace

PreciseBeside PreciseBesideDetails(const BirthMoment& moment, const MoonDetails& details)
{
    return Beside(moment, details.rows);
}

PreciseBeside PreciseBesideReadings(const BirthMoment& moment, const MoonReadings& readings)
{
    return Beside(moment, RowsOf(readings));
}

} // namespace modEphemeris
