#include "cli/PlaceFinder.h"

#include "atlas/AtlasLocation.h"
#include "atlas/AtlasTexts.h"
#include "atlas/PlaceJson.h"
#include "atlas/PlaceSearch.h"

#include <memory>
#include <utility>

namespace cli {

PlaceFinder::PlaceFinder(std::filesystem::path indexFile) : file_(std::move(indexFile)) {}

const atlas::PlaceIndex* PlaceFinder::Index() const
{
    std::call_once(loaded_, [this] {
        load_ = file_.empty() ? atlas::loadDefaultIndex() : atlas::PlaceIndex::load(file_);
    });
    return load_.index.get();
}

std::variant<std::vector<atlas::PlaceChoice>, std::string>
PlaceFinder::Search(std::string_view query, std::size_t limit,
                    const std::optional<modEphemeris::CivilTime>& local,
                    modEphemeris::Occurrence occurrence) const
{
    const atlas::PlaceIndex* index = Index();
    if (index == nullptr)
        return load_.error;
    std::vector<atlas::PlaceChoice> choices;
    for (const atlas::PlaceHit& hit : atlas::findPlaces(*index, query, limit)) {
        choices.push_back(atlas::choosePlace(index->place(hit.id), local, occurrence));
        choices.back().matchedName = hit.otherName;
    }
    return choices;
}

std::variant<report::LocatedPlace, std::string>
PlaceFinder::Locate(std::string_view query, const modEphemeris::CivilTime& local,
                    modEphemeris::Occurrence occurrence, birth::BirthDataFields& fields) const
{
    auto found = Search(query, 1, local, occurrence);
    if (auto* error = std::get_if<std::string>(&found))
        return std::move(*error);
    return atlas::locateFirst(std::move(std::get<std::vector<atlas::PlaceChoice>>(found)), fields);
}

} // namespace cli
