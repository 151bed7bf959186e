// Random births written as the tool's texts, with the readings the core gives for them.
#pragma once

#include "ephemeris/modEphemeris.h"
#include "support/ValidBirths.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace cli_test {

/// One birth as texts, and the four texts the core computes for it.
struct TextBirth
{
    std::string date;
    std::string time;
    std::string longitude;
    std::string latitude;
    std::string zone; // empty when by utcOffset
    bool dst = false;
    std::string utcOffset;
    std::array<std::string, 4> expected; // in the display's order
    modEphemeris::BirthMoment moment;    // what the texts say

    /// The reading command's arguments for this birth.
    [[nodiscard]] std::vector<std::string> Arguments() const
    {
        std::vector<std::string> args{"--date",      date,      "--time",     time,
                                      "--longitude", longitude, "--latitude", latitude};
        if (!zone.empty()) {
            args.insert(args.end(), {"--zone=" + zone});
            if (dst)
                args.emplace_back("--dst");
        } else {
            args.insert(args.end(), {"--utc-offset=" + utcOffset});
        }
        return args;
    }

    /// A batch row for the columns date,time,longitude,latitude,zone,dst,utc_offset.
    [[nodiscard]] std::string CsvRow() const
    {
        return date + "," + time + "," + longitude + "," + latitude + "," + zone + "," +
               (dst ? "yes" : "") + "," + utcOffset;
    }
};

inline constexpr const char* kBirthColumns = "date,time,longitude,latitude,zone,dst,utc_offset";

/// Births that every check passes, in every form the texts may take: times with and without
/// seconds, hemisphere letters in either case, zones with a minus sign, offsets either way.
inline std::vector<TextBirth> RandomBirths(std::size_t count, unsigned seed)
{
    std::mt19937 rng(seed);
    const auto pick = [&rng](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(rng);
    };
    const auto chance = [&rng](double p) { return std::bernoulli_distribution(p)(rng); };
    const auto text = [](const char* format, auto... values) {
        std::array<char, 48> buffer{};
        std::snprintf(buffer.data(), buffer.size(), format, values...);
        return std::string(buffer.data());
    };
    std::vector<TextBirth> births;
    for (std::size_t i = 0; i < count; ++i) {
        modEphemeris::BirthData b = test_support::ValidRandomBirth(rng);

        TextBirth t;
        t.date = text("%04d-%02d-%02d", b.BirthYear, b.BirthMonth, b.BirthDay);
        t.time = chance(0.3) ? text("%02d:%02d:%02d", b.BirthHour, b.BirthMinute, pick(0, 59))
                             : text("%d:%02d", b.BirthHour, b.BirthMinute);
        const auto letter = [&chance](char upper) {
            return chance(0.3) ? static_cast<char>(upper + ('a' - 'A')) : upper;
        };
        t.longitude = text("%d:%02d%c", b.LongitudeDegrees, b.LongitudeMinutes,
                           letter(b.LongitudeIsEast ? 'E' : 'W'));
        t.latitude = text("%d:%02d%c", b.LatitudeDegrees, b.LatitudeMinutes,
                          letter(b.LatitudeIsSouth ? 'S' : 'N'));

        if (chance(0.75)) {
            // A minus sign lets the zone hour pass 12: its magnitude is read.
            const bool minus = chance(0.2);
            b.ZoneHours = static_cast<std::int16_t>(minus ? pick(0, 30) : pick(0, 12));
            b.ZoneMinutes = static_cast<std::int16_t>(chance(0.5) ? 0 : pick(0, 59));
            b.DaylightSaving = chance(0.3);
            t.zone = text(minus ? "-%d" : "%d", b.ZoneHours);
            if (b.ZoneMinutes != 0 || chance(0.5))
                t.zone += text(":%02d", b.ZoneMinutes);
            t.dst = b.DaylightSaving;
            t.moment = {b, {}};
        } else {
            const int minutes = pick(-14 * 60, 14 * 60);
            t.utcOffset = text("%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                               std::abs(minutes) % 60);
            t.moment = {b, minutes * 60};
        }
        const modEphemeris::MoonReadings readings = modEphemeris::ComputeMoonReadings(t.moment);
        t.expected = {readings.sidereal.GeocentricText, readings.sidereal.TopocentricText,
                      readings.tropical.GeocentricText, readings.tropical.TopocentricText};
        births.push_back(std::move(t));
    }
    return births;
}

} // namespace cli_test
