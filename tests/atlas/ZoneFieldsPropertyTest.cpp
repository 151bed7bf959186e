// Random places and instants from 1900 to 2050, drawn from a fixed seed: the
// fields the finder writes give the place's true universal time through the
// reading's own rule, or the reading's question gives it.
#include "AtlasTestIndex.h"
#include "atlas/AtlasTexts.h"
#include "atlas/EntryFields.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using atlas::CivilTime;

constexpr int kDraws = 10000;
// The fields hold whole minutes; a little more for the rounding of hours.
constexpr double kToleranceSeconds = 30.5;

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// Seconds from 1 January 1900 0h of the birth data's date and universal time.
double instantSeconds(const modEphemeris::BirthData& birth)
{
    const double days =
        atlas::daysBetween({1900, 1, 1}, {birth.BirthYear, birth.BirthMonth, birth.BirthDay});
    return days * 86400 + modEphemeris::UniversalTime(birth) * 3600;
}

double instantSeconds(const CivilTime& ut)
{
    return atlas::daysBetween({1900, 1, 1}, ut) * 86400.0 + ut.hour * 3600 + ut.minute * 60 +
           ut.second;
}

// The texts pass the entry window's checks: zone hour not above 12 (a negative
// one always passes), minutes 0 to 59, degrees up to 179 and 89.
void expectAccepted(const atlas::EntryFields& fields)
{
    ASSERT_TRUE(fields.zone);
    const int hour = std::stoi(fields.zone->hour);
    EXPECT_LE(hour, 12) << fields.zone->hour;
    const int minute = std::stoi(fields.zone->minute);
    EXPECT_TRUE(minute >= 0 && minute <= 59) << fields.zone->minute;
    EXPECT_LE(fields.longitude.degrees, 179);
    EXPECT_LE(fields.latitude.degrees, 89);
    EXPECT_TRUE(fields.longitude.minutes >= 0 && fields.longitude.minutes <= 59);
    EXPECT_TRUE(fields.latitude.minutes >= 0 && fields.latitude.minutes <= 59);
}

TEST(ZoneFieldsProperty, TheReadingGetsTheTrueUniversalTime)
{
    const atlas::PlaceIndex& index = builtIndex();
    std::mt19937 random(19430615);
    std::uniform_int_distribution<atlas::PlaceId> anyPlace(
        0, static_cast<atlas::PlaceId>(index.placeCount() - 1));
    std::uniform_int_distribution<int> year(1900, 2050), month(1, 12), hour(0, 23), minute(0, 59);
    std::uniform_int_distribution<int> coin(0, 1);
    int said = 0, asked = 0;
    for (int draw = 0; draw < kDraws; ++draw) {
        const atlas::Place place = index.place(anyPlace(random));
        CivilTime local{year(random), month(random), 1, hour(random), minute(random)};
        local.day =
            std::uniform_int_distribution<int>(1, daysInMonth(local.year, local.month))(random);
        const auto occurrence = coin(random) ? atlas::Occurrence::Second : atlas::Occurrence::First;
        const atlas::ClockReading reading = atlas::readClock(place.zoneId, local, occurrence);
        ASSERT_TRUE(reading.clock) << place.zoneId << ": " << reading.error;
        const atlas::PlaceClock& clock = *reading.clock;

        const atlas::EntryFields fields = atlas::entryFields(place, &clock);
        expectAccepted(fields);
        const modEphemeris::BirthData entered = atlas::birthDataFrom(fields, local);
        const double trueInstant = instantSeconds(atlas::universalTime(clock));
        const auto question = atlas::zoneQuestion(place.name, clock, entered);
        SCOPED_TRACE(place.name + " " + place.zoneId + " " + std::to_string(local.year) + "-" +
                     std::to_string(local.month) + "-" + std::to_string(local.day) + " " +
                     std::to_string(local.hour) + ":" + std::to_string(local.minute));
        if (fields.zone->said) {
            ++said;
            EXPECT_LE(std::fabs(instantSeconds(entered) - trueInstant), kToleranceSeconds);
            EXPECT_FALSE(question);
        } else {
            ++asked;
            ASSERT_TRUE(question);
            EXPECT_LE(std::fabs(instantSeconds(question->atUniversalTime) - trueInstant),
                      kToleranceSeconds);
        }
    }
    // Both roads are taken: most places' fields say their clock, some need the question.
    EXPECT_GT(said, kDraws / 2);
    EXPECT_GT(asked, 0);
}

} // namespace
