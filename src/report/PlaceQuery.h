// A search of the atlas as the tool's place command and the web page's places() take it:
// the text, an optional local date and time for each place's clock, which of a repeated
// time, and how many places. Read by the same rules and refused in the same words on both.
#pragma once

#include "ephemeris/CivilTime.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace report {

/// Why a query names no place ("", " , "), or nothing when it names one.
std::string QueryNameProblem(std::string_view query);

/// The local date and time of a search (none when both texts are empty), checked as a
/// reading checks them; or why they cannot be used.
std::variant<std::optional<modEphemeris::CivilTime>, std::string>
ReadLocalTime(std::string_view date, std::string_view time);

/// A search as typed: every text may be empty but the query.
struct PlaceQueryTexts
{
    std::string_view query;
    std::string_view date;       // YYYY-MM-DD, with time
    std::string_view time;       // HH:MM, with date
    std::string_view limit;      // 1 to the most places; empty: 10
    std::string_view occurrence; // "first" or "second", with date and time; empty: first
};

struct PlaceQuery
{
    std::string query;
    std::size_t limit = 10;
    std::optional<modEphemeris::CivilTime> local;
    modEphemeris::Occurrence occurrence = modEphemeris::Occurrence::First;
};

/// The search the texts ask for, or why they cannot be searched.
std::variant<PlaceQuery, std::string> ReadPlaceQuery(const PlaceQueryTexts& texts,
                                                     std::size_t mostPlaces);

} // namespace report
