// The web page's clock reads the zone table exported at build time; the desktop's reads
// the system's tzdata through cctz. Both go through the same rules, so over random local
// times of every zone the atlas uses (half of them within two hours of a change of the
// clocks) they must agree in every field, and both must agree with cctz's own reading
// of the wall clock. A damaged table is refused, never read outside its bytes.
#include "atlas/ZoneTable.h"

#include "atlas/PlaceClock.h"

#include <cctz/civil_time.h>
#include <cctz/time_zone.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using atlas::CivilTime;
using atlas::LocalTimeKind;

std::vector<unsigned char> fileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

atlas::ZoneTable exportedTable()
{
    std::string error;
    atlas::ZoneTable table = atlas::ZoneTable::read(fileBytes(ATLAS_TEST_ZONE_TABLE), error);
    EXPECT_EQ(error, "");
    return table;
}

std::string text(const CivilTime& t)
{
    std::ostringstream out;
    out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
        << t.second;
    return out.str();
}

std::string text(const atlas::ClockOffset& o)
{
    std::ostringstream out;
    out << o.totalSeconds << ' ' << o.abbreviation << " standard " << o.standardSeconds
        << " saving " << o.savingSeconds << (o.meanTime ? " mean time" : "");
    return out.str();
}

/// Every field of a clock, so that two clocks compare as texts and a difference shows.
std::string text(const atlas::PlaceClock& c)
{
    std::ostringstream out;
    out << c.zoneId << " at " << text(c.local) << ": kind " << static_cast<int>(c.kind)
        << " occurrence " << static_cast<int>(c.occurrence) << "; offset " << text(c.offset)
        << "; before " << text(c.before) << "; after " << text(c.after);
    if (c.kind != LocalTimeKind::Unique)
        out << "; change from " << text(c.changeFrom) << " to " << text(c.changeTo);
    return out.str();
}

CivilTime civilAt(atlas::UnixSeconds seconds)
{
    return modEphemeris::addSeconds({1970, 1, 1, 0, 0, 0}, seconds);
}

atlas::UnixSeconds secondsOf(const CivilTime& t)
{
    return modEphemeris::daysBetween({1970, 1, 1}, t) * 86400LL + t.hour * 3600 + t.minute * 60 +
           t.second;
}

/// cctz's own reading of a wall clock: the kind, the offset before any change, and the
/// wall clock just after the change (skipped or repeated times).
struct CctzReading
{
    LocalTimeKind kind;
    int offsetBefore;
    CivilTime changeTo;
};

CctzReading cctzReading(const std::string& zoneId, const CivilTime& local)
{
    cctz::time_zone zone;
    EXPECT_TRUE(cctz::load_time_zone(zoneId, &zone)) << zoneId;
    const auto found = zone.lookup(cctz::civil_second(local.year, local.month, local.day,
                                                      local.hour, local.minute, local.second));
    const cctz::civil_second to = cctz::convert(found.trans, zone);
    using Kind = cctz::time_zone::civil_lookup;
    return {
        found.kind == Kind::UNIQUE    ? LocalTimeKind::Unique
        : found.kind == Kind::SKIPPED ? LocalTimeKind::Skipped
                                      : LocalTimeKind::Repeated,
        zone.lookup(found.kind == Kind::UNIQUE ? found.pre : found.trans - cctz::seconds(1)).offset,
        {static_cast<int>(to.year()), to.month(), to.day(), to.hour(), to.minute(), to.second()}};
}

constexpr int kPairs = 120000;
constexpr int kNearChangeSeconds = 2 * 3600;
constexpr int kFewestOfEachKind = 2000;

TEST(ZoneTable, EveryClockOfTheTableIsTheSystemsClock)
{
    const atlas::ZoneTable table = exportedTable();
    const std::vector<std::string> zones = table.zoneIds();
    ASSERT_GT(zones.size(), 300U) << "the atlas names several hundred zones";
    std::mt19937_64 engine(20260101U);
    auto pick = [&](long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(engine);
    };
    const atlas::YearSpan years = table.years();
    const atlas::UnixSeconds first = secondsOf({years.first, 1, 1});
    const atlas::UnixSeconds last = secondsOf({years.last, 12, 31, 23, 59, 59});
    std::array<int, 3> kinds{};
    for (int i = 0; i < kPairs; ++i) {
        const std::string& zone = zones[static_cast<std::size_t>(pick(0, zones.size() - 1))];
        const auto fromTable = table.find(zone);
        const auto fromSystem = atlas::findZone(zone);
        ASSERT_TRUE(fromTable && fromSystem) << zone;
        // Every other time lies within two hours of a change of the clocks, on the wall clock.
        atlas::UnixSeconds wall = pick(first, last);
        if (const auto change = fromTable->nextChange(wall); change && i % 2 == 0)
            wall = *change + fromTable->stateAt(*change - 1).offsetSeconds +
                   pick(-kNearChangeSeconds, kNearChangeSeconds);
        const CivilTime local = civilAt(std::clamp(wall, first, last));
        const auto occurrence =
            pick(0, 1) == 0 ? atlas::Occurrence::First : atlas::Occurrence::Second;

        const atlas::ClockReading a = atlas::readClock(fromTable.get(), zone, local, occurrence);
        const atlas::ClockReading b = atlas::readClock(fromSystem.get(), zone, local, occurrence);
        ASSERT_TRUE(a.clock && b.clock) << zone << ' ' << text(local) << ": " << a.error << b.error;
        ASSERT_EQ(text(*a.clock), text(*b.clock));

        const CctzReading own = cctzReading(zone, local);
        ASSERT_EQ(a.clock->kind, own.kind) << text(*a.clock);
        ASSERT_EQ(a.clock->before.totalSeconds, own.offsetBefore) << text(*a.clock);
        if (own.kind != LocalTimeKind::Unique) {
            ASSERT_EQ(text(a.clock->changeTo), text(own.changeTo)) << text(*a.clock);
        }
        ++kinds[static_cast<std::size_t>(a.clock->kind)];
    }
    EXPECT_GT(kinds[static_cast<std::size_t>(LocalTimeKind::Skipped)], kFewestOfEachKind);
    EXPECT_GT(kinds[static_cast<std::size_t>(LocalTimeKind::Repeated)], kFewestOfEachKind);
}

TEST(ZoneTable, ClocksBeyondItsYearsAreRefused)
{
    const atlas::ZoneTable table = exportedTable();
    const auto madrid = table.find("Europe/Madrid");
    ASSERT_TRUE(madrid);
    for (const CivilTime& local : {CivilTime{1849, 12, 31, 23, 59}, CivilTime{2101, 1, 1, 0, 0}}) {
        const atlas::ClockReading reading = atlas::readClock(madrid.get(), "Europe/Madrid", local);
        EXPECT_FALSE(reading.clock);
        EXPECT_EQ(reading.error, "the clock history of Europe/Madrid here runs from 1850 to 2100");
    }
    EXPECT_FALSE(table.find("Atlantis/Capital"));
}

/// A small table of three zones, written through the system's zones.
std::vector<unsigned char> smallTable()
{
    std::string error;
    auto bytes = atlas::writeZoneTable({"Europe/Madrid", "Pacific/Apia", "America/New_York"},
                                       {1900, 1950}, atlas::findZone, error);
    EXPECT_EQ(error, "");
    return bytes;
}

TEST(ZoneTable, EveryTruncationIsRefused)
{
    const std::vector<unsigned char> bytes = smallTable();
    std::string error;
    ASSERT_FALSE(atlas::ZoneTable::read(bytes, error).empty()) << error;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const atlas::ZoneTable table = atlas::ZoneTable::read(std::span(bytes.data(), size), error);
        EXPECT_TRUE(table.empty()) << size << " bytes";
        EXPECT_NE(error, "") << size << " bytes";
    }
}

TEST(ZoneTable, DamagedBytesNeverLeadOutside)
{
    const std::vector<unsigned char> bytes = smallTable();
    int refused = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        for (const unsigned char damage : {0x01, 0x80, 0xFF}) {
            std::vector<unsigned char> damaged = bytes;
            damaged[at] ^= damage;
            std::string error;
            const atlas::ZoneTable table = atlas::ZoneTable::read(damaged, error);
            refused += table.empty() ? 1 : 0;
            // What is accepted answers within itself (the sanitizers watch every read).
            for (const std::string& zone : table.zoneIds())
                (void)atlas::readClock(table.find(zone).get(), zone, {1920, 6, 1, 12});
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(ZoneTable, AZoneTheSystemLacksIsNotExported)
{
    std::string error;
    EXPECT_TRUE(atlas::writeZoneTable({"Europe/Madrid", "Atlantis/Capital"}, {1900, 1950},
                                      atlas::findZone, error)
                    .empty());
    EXPECT_EQ(error, "the time zone Atlantis/Capital is not in this computer's time zone data");
}

} // namespace
