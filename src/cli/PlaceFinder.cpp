#include "cli/PlaceFinder.h"

#include "atlas/AtlasTexts.h"
#include "atlas/PlaceSearch.h"

#include <memory>
#include <utility>

namespace cli {

std::string CoordinateText(const atlas::DegreesMinutes& angle, char hemisphere)
{
    return std::to_string(angle.degrees) + (angle.minutes < 10 ? ":0" : ":") +
           std::to_string(angle.minutes) + hemisphere;
}

std::string LongitudeText(const atlas::EntryFields& fields)
{
    return CoordinateText(fields.longitude, fields.east ? 'E' : 'W');
}

std::string LatitudeText(const atlas::EntryFields& fields)
{
    return CoordinateText(fields.latitude, fields.south ? 'S' : 'N');
}

PlaceFinder::PlaceFinder(std::filesystem::path indexFile) : file_(std::move(indexFile)) {}

const atlas::PlaceIndex* PlaceFinder::Index() const
{
    std::call_once(loaded_, [this] { load_ = atlas::PlaceIndex::load(file_); });
    return load_.index.get();
}

std::variant<std::vector<PlaceChoice>, std::string>
PlaceFinder::Search(std::string_view query, std::size_t limit,
                    const std::optional<atlas::CivilTime>& local) const
{
    const atlas::PlaceIndex* index = Index();
    if (index == nullptr)
        return load_.error;
    std::vector<PlaceChoice> choices;
    for (const atlas::PlaceHit& hit : atlas::findPlaces(*index, query, limit)) {
        PlaceChoice choice;
        choice.place = index->place(hit.id);
        choice.matchedName = hit.otherName;
        if (local) {
            atlas::ClockReading reading = atlas::readClock(choice.place.zoneId, *local);
            choice.clock = std::move(reading.clock);
            choice.clockError = std::move(reading.error);
        }
        choice.fields = atlas::entryFields(choice.place, choice.clock ? &*choice.clock : nullptr);
        choices.push_back(std::move(choice));
    }
    return choices;
}

std::variant<LocatedPlace, std::string> PlaceFinder::Locate(std::string_view query,
                                                            const LocalDateTime& local) const
{
    auto found =
        Search(query, 1,
               atlas::CivilTime{local.year, local.month, local.day, local.hour, local.minute, 0});
    if (auto* error = std::get_if<std::string>(&found))
        return std::move(*error);
    auto& choices = std::get<std::vector<PlaceChoice>>(found);
    if (choices.empty())
        return std::string("No place matches");
    PlaceChoice& first = choices.front();
    if (!first.clock)
        return atlas::clockErrorLine(first.place.name, first.clockError);
    LocatedPlace located{LongitudeText(first.fields), LatitudeText(first.fields),
                         first.clock->offset.totalSeconds, nullptr};
    located.choice = std::make_shared<const PlaceChoice>(std::move(first));
    return located;
}

} // namespace cli
