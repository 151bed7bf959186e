// Random places and instants from 1900 to 2050, drawn from a fixed seed: the
// fields the finder writes pass the entry window's checks and give the place's
// true universal time through the reading's own rule, or the reading's question
// gives it.
#include "AtlasTestIndex.h"
#include "EnteredBirth.h"
#include "atlas/AtlasTexts.h"
#include "atlas/EntryFields.h"
#include "birth/BirthRanges.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

using modEphemeris::CivilTime;

constexpr int kDraws = 10000;
// The fields hold whole minutes; a little more for the rounding of hours.
constexpr double kToleranceSeconds = 30.5;

// Seconds from 1 January 1900 0h of a moment's universal time.
double instantSeconds(const modEphemeris::BirthMoment& moment)
{
    const modEphemeris::BirthData& birth = moment.birth;
    const double days = modEphemeris::daysBetween(
        {1900, 1, 1}, {birth.BirthYear, birth.BirthMonth, birth.BirthDay});
    return days * 86400 + modEphemeris::UniversalTime(moment) * 3600;
}

double instantSeconds(const CivilTime& ut)
{
    return modEphemeris::daysBetween({1900, 1, 1}, ut) * 86400.0 + ut.hour * 3600 + ut.minute * 60 +
           ut.second;
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
        local.day = std::uniform_int_distribution<int>(
            1, birth::daysInMonth(local.year, local.month))(random);
        const auto occurrence = coin(random) ? atlas::Occurrence::Second : atlas::Occurrence::First;
        const atlas::ClockReading reading = atlas::readClock(place.zoneId, local, occurrence);
        ASSERT_TRUE(reading.clock) << place.zoneId << ": " << reading.error;
        const atlas::PlaceClock& clock = *reading.clock;

        const atlas::EntryFields fields = atlas::entryFields(place, &clock);
        ASSERT_TRUE(fields.zone);
        SCOPED_TRACE(place.name + " " + place.zoneId + " " + std::to_string(local.year) + "-" +
                     std::to_string(local.month) + "-" + std::to_string(local.day) + " " +
                     std::to_string(local.hour) + ":" + std::to_string(local.minute));
        const modEphemeris::BirthData entered = enteredBirth(fields, local);
        const double trueInstant = instantSeconds(atlas::universalTime(clock));
        const auto question = atlas::zoneQuestion(place.name, clock, entered);
        if (fields.zone->said) {
            ++said;
            EXPECT_LE(std::fabs(instantSeconds({entered, {}}) - trueInstant), kToleranceSeconds);
            EXPECT_FALSE(question);
        } else {
            ++asked;
            ASSERT_TRUE(question);
            EXPECT_LE(std::fabs(instantSeconds({entered, clock.offset.totalSeconds}) - trueInstant),
                      kToleranceSeconds);
        }
    }
    // Both roads are taken: most places' fields say their clock, some need the question.
    EXPECT_GT(said, kDraws / 2);
    EXPECT_GT(asked, 0);
}

} // namespace
