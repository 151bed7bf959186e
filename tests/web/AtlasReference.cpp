// The native side of the web atlas's test: selenoscope-cli place --json's own code over
// many searches in one run, and names drawn from the atlas for the test to type.
//   atlas_reference INDEX sample COUNT SEED   a JSON line per name drawn: every script's
//                                             names, COUNT more from anywhere
//   atlas_reference INDEX search SEARCHES     for each line of SEARCHES (text, limit,
//                                             date, time; tab-separated, the date and time
//                                             may be empty) the place command's JSON array,
//                                             one per line
#include "atlas/Fold.h"
#include "atlas/PlaceJson.h"
#include "atlas/PlaceSearch.h"
#include "cli/PlaceFinder.h"
#include "report/BirthInput.h"
#include "report/JsonWriter.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Names drawn from each block of 128 code points that names begin in.
constexpr std::size_t kNamesPerBlock = 3;

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return parts;
        start = tab + 1;
    }
}

// Each entry's whole name with the place it names, as a JSON line.
void printName(const atlas::PlaceIndex& index, const atlas::format::EntryRecord& entry)
{
    const atlas::IndexSections& s = index.sections();
    std::uint32_t start = entry.name;
    while (start > 0 && s.strings[start - 1] != '\0')
        --start;
    const atlas::Place place = index.place(entry.place & atlas::format::kPlaceMask);
    report::JsonWriter line;
    line.beginObject()
        .member("name", index.text(start))
        .member("region", place.region)
        .member("country", place.country)
        .member("country_code", place.countryCode)
        .endObject();
    std::cout << line.text() << '\n';
}

int sample(const atlas::PlaceIndex& index, std::size_t count, unsigned seed)
{
    const auto& entries = index.sections().entries;
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> any(0, entries.size() - 1);
    // The entries by the block their name's first letter lies in, drawn from evenly.
    std::map<char32_t, std::vector<std::size_t>> blocks;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        std::uint32_t start = entries[e].name;
        while (start > 0 && index.sections().strings[start - 1] != '\0')
            --start;
        const std::string_view name = index.text(start);
        std::size_t pos = 0;
        blocks[atlas::nextCodePoint(name, pos) >> 7].push_back(e);
    }
    for (const auto& [block, members] : blocks) {
        std::uniform_int_distribution<std::size_t> member(0, members.size() - 1);
        for (std::size_t i = 0; i < kNamesPerBlock; ++i)
            printName(index, entries[members[member(random)]]);
    }
    for (std::size_t i = 0; i < count; ++i)
        printName(index, entries[any(random)]);
    return std::cout.flush() ? 0 : 1;
}

int search(const std::string& indexFile, const std::string& searches)
{
    const cli::PlaceFinder finder(indexFile);
    std::ifstream in(searches);
    if (!in) {
        std::cerr << "atlas_reference: cannot read " << searches << '\n';
        return 1;
    }
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = fields(line);
        if (f.size() != 4) {
            std::cerr << "atlas_reference: not text, limit, date, time: " << line << '\n';
            return 1;
        }
        std::optional<modEphemeris::CivilTime> local;
        if (!f[2].empty()) {
            const auto read = report::ReadDateTime(f[2], f[3]);
            if (const auto* refusal = std::get_if<std::string>(&read)) {
                std::cerr << "atlas_reference: " << *refusal << '\n';
                return 1;
            }
            local = std::get<modEphemeris::CivilTime>(read);
        }
        const auto found = finder.Search(f[0], std::stoul(f[1]), local);
        if (const auto* error = std::get_if<std::string>(&found)) {
            std::cerr << "atlas_reference: " << *error << '\n';
            return 1;
        }
        report::JsonWriter places;
        places.beginArray();
        for (const atlas::PlaceChoice& choice : std::get<std::vector<atlas::PlaceChoice>>(found))
            atlas::writePlaceJson(places, choice);
        std::cout << places.endArray().text() << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[1] == "sample") {
        const atlas::IndexLoad load = atlas::PlaceIndex::load(args[0]);
        if (!load.index) {
            std::cerr << "atlas_reference: " << load.error << '\n';
            return 1;
        }
        return sample(*load.index, std::stoul(args[2]), static_cast<unsigned>(std::stoul(args[3])));
    }
    if (args.size() == 3 && args[1] == "search")
        return search(args[0], args[2]);
    std::cerr << "usage: atlas_reference INDEX sample COUNT SEED | atlas_reference INDEX search "
                 "SEARCHES\n";
    return 2;
}
