#include "report/PlaceQuery.h"

#include "birth/BirthDataChecks.h"
#include "report/BirthInput.h"

#include <charconv>

namespace report {

std::string QueryNameProblem(std::string_view query)
{
    if (query.find_first_not_of(" \t,") != std::string_view::npos)
        return {};
    return "the place to look for is empty: give a place's name, such as \"Springfield, "
           "Illinois\"";
}

std::variant<std::optional<modEphemeris::CivilTime>, std::string>
ReadLocalTime(std::string_view date, std::string_view time)
{
    if (date.empty() && time.empty())
        return std::optional<modEphemeris::CivilTime>();
    if (date.empty() || time.empty())
        return std::string("the date and the time go together: give both or neither");
    const auto dateTime = ReadDateTime(date, time);
    if (const auto* refusal = std::get_if<std::string>(&dateTime))
        return *refusal;
    const auto& local = std::get<modEphemeris::CivilTime>(dateTime);
    // The clock of a date its month lacks would be the next month's.
    if (const auto refusal = birth::ValidateDate(local.year, local.month, local.day))
        return refusal->message;
    return std::optional(local);
}

std::variant<PlaceQuery, std::string> ReadPlaceQuery(const PlaceQueryTexts& texts,
                                                     std::size_t mostPlaces)
{
    PlaceQuery query;
    if (std::string problem = QueryNameProblem(texts.query); !problem.empty())
        return problem;
    query.query = texts.query;

    auto local = ReadLocalTime(texts.date, texts.time);
    if (const auto* refusal = std::get_if<std::string>(&local))
        return *refusal;
    query.local = std::get<std::optional<modEphemeris::CivilTime>>(local);

    if (!texts.limit.empty()) {
        std::size_t limit = 0;
        const char* end = texts.limit.data() + texts.limit.size();
        const auto [stop, error] = std::from_chars(texts.limit.data(), end, limit);
        if (error != std::errc() || stop != end || limit < 1 || limit > mostPlaces)
            return "the limit must be a whole number from 1 to " + std::to_string(mostPlaces);
        query.limit = limit;
    }

    if (texts.occurrence == "second")
        query.occurrence = modEphemeris::Occurrence::Second;
    else if (!texts.occurrence.empty() && texts.occurrence != "first")
        return std::string("the occurrence must be first or second");
    if (!texts.occurrence.empty() && !query.local)
        return std::string("the occurrence needs the date and the time");
    return query;
}

} // namespace report
