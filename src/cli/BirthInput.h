// One birth as the command line and the batch file give it, turned into the birth
// data of a reading by the entry window's own checks. Plain C++20, no Qt.
#pragma once

#include "ephemeris/MoonDetails.h"
#include "ephemeris/modEphemeris.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace cli {

/// The texts of one birth, as typed.
struct BirthTexts
{
    std::string_view date;       // YYYY-MM-DD
    std::string_view time;       // HH:MM or HH:MM:SS; the seconds are not used
    std::string_view longitude;  // DDD:MM and E or W, either case: "77:13E"
    std::string_view latitude;   // DD:MM and N or S: "28:37n"
    std::string_view zone;       // H or H:MM, as the entry window's zone fields take it
    bool daylightSaving = false; // with a zone only
    std::string_view utcOffset;  // +HH:MM or -HH:MM: the clock's true offset, East positive
    std::string_view place;      // a query for the atlas
};

/// A local date and clock time, to the minute.
struct LocalDateTime
{
    int year;
    int month; // 1 to 12
    int day;   // 1 to 31
    int hour;  // 0 to 23
    int minute;
};

/// The date and time texts read, or why they cannot be.
std::variant<LocalDateTime, std::string> ReadDateTime(std::string_view date, std::string_view time);

struct PlaceChoice; // what the atlas chose for a query (cli/PlaceFinder.h)

/// A place's coordinates and its clock's true offset at a birth.
struct LocatedPlace
{
    std::string longitude; // as --longitude takes it: "3:42W"
    std::string latitude;  // "40:25N"
    int utcOffsetSeconds = 0;
    std::shared_ptr<const PlaceChoice> choice; // the place and its clock, for reports
};

/// Finds a place and its clock at a local date and time, or says why it cannot.
class PlaceLocator
{
public:
    virtual ~PlaceLocator() = default;
    [[nodiscard]] virtual std::variant<LocatedPlace, std::string>
    Locate(std::string_view query, const LocalDateTime& local) const = 0;
};

/// A birth ready for the computation.
struct ResolvedBirth
{
    modEphemeris::BirthData birth;
    // The clock's true offset, seconds, East positive; none: the zone fields' rule.
    std::optional<int> utcOffsetSeconds;
    std::shared_ptr<const PlaceChoice> place; // the atlas's choice, for --place
};

/// The birth the texts give, or the message refusing them: the entry window's own for
/// what it checks (the name optional), a message of the tool for what it cannot type.
/// Places need a locator; without one a place is refused.
std::variant<ResolvedBirth, std::string> ResolveBirth(const BirthTexts& texts,
                                                      const PlaceLocator* places);

/// The four readings of a birth, at the instant its clock rule gives.
modEphemeris::MoonReadings ReadingsOf(const ResolvedBirth& resolved);

/// The details of a birth's reading, by the same rule.
modEphemeris::MoonDetails DetailsOf(const ResolvedBirth& resolved);

} // namespace cli
