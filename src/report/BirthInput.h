// One birth as the command line, the batch file and the web page's module give it, turned
// into the birth data of a reading by the entry window's own checks. Plain C++20, no Qt.
#pragma once

#include "birth/BirthDataChecks.h"
#include "ephemeris/CivilTime.h"
#include "ephemeris/modEphemeris.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace atlas {
struct PlaceChoice; // what the atlas chose for a query (atlas/PlaceChoice.h)
}

namespace report {

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
    modEphemeris::Occurrence occurrence = modEphemeris::Occurrence::First; // with a place
};

/// The date and time texts read (seconds 0: they are not used), or why they cannot be.
std::variant<modEphemeris::CivilTime, std::string> ReadDateTime(std::string_view date,
                                                                std::string_view time);

/// A place found for a birth, and its clock's true offset at the birth.
struct LocatedPlace
{
    int utcOffsetSeconds = 0;
    std::shared_ptr<const atlas::PlaceChoice> choice; // for reports
};

/// Finds a place and its clock at a local date and time, or says why it cannot.
class PlaceLocator
{
public:
    virtual ~PlaceLocator() = default;
    /// The first place the query finds and its clock at the local time (the given occurrence
    /// of a repeated time); its coordinates and zone are written into the birth's fields.
    [[nodiscard]] virtual std::variant<LocatedPlace, std::string>
    Locate(std::string_view query, const modEphemeris::CivilTime& local,
           modEphemeris::Occurrence occurrence, birth::BirthDataFields& fields) const = 0;
};

/// A birth ready for the computation.
struct ResolvedBirth
{
    modEphemeris::BirthMoment moment;
    std::shared_ptr<const atlas::PlaceChoice> place; // the atlas's choice, for --place
};

/// The birth the texts give, or the message refusing them: the entry window's own for
/// what it checks (the name optional), a message of the tool for what it cannot type.
/// Places need a locator; without one a place is refused.
std::variant<ResolvedBirth, std::string> ResolveBirth(const BirthTexts& texts,
                                                      const PlaceLocator* places);

} // namespace report
