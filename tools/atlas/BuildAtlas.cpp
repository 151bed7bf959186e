// Builds the offline atlas's index file from the pinned place data:
//   build_atlas CITIES500_TXT ADMIN1_JSON ISO3166_JSON OUTPUT
// cities500.txt is GeoNames' table of places (tab-separated), admin1.json the
// names of first-level divisions ([{"code":"US.IL","name":"Illinois"}, ...]),
// iso_3166-1.json Debian's iso-codes table of countries.
#include "atlas/Fold.h"
#include "atlas/PlaceIndex.h"
#include "atlas/PlaceSearch.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using namespace atlas;

struct CountryName
{
    std::string_view code;
    std::string_view name;
};

// The short English names people know where iso-codes gives only a formal or
// turned-round one ("Russian Federation", "Holy See (Vatican City State)") or
// one with a comma, which separates a query's parts; its common names (Bolivia,
// Iran, South Korea, Vietnam) and plain names serve the rest.
constexpr std::array kShortNames{
    CountryName{"BN", "Brunei"},
    CountryName{"BQ", "Caribbean Netherlands"},
    CountryName{"CD", "Democratic Republic of the Congo"},
    CountryName{"FK", "Falkland Islands"},
    CountryName{"FM", "Micronesia"},
    CountryName{"PS", "Palestine"},
    CountryName{"RU", "Russia"},
    CountryName{"SH", "Saint Helena"},
    CountryName{"VA", "Vatican City"},
    CountryName{"VG", "British Virgin Islands"},
    CountryName{"VI", "U.S. Virgin Islands"},
    CountryName{"XK", "Kosovo"}, // GeoNames' code; Kosovo is not in ISO 3166
};

// Names people write after a comma that iso-codes does not give: found, not shown.
constexpr std::array kCommonOtherNames{
    CountryName{"AE", "UAE"},        CountryName{"CI", "Ivory Coast"},
    CountryName{"CV", "Cape Verde"}, CountryName{"GB", "UK"},
    CountryName{"MM", "Burma"},      CountryName{"NL", "Holland"},
    CountryName{"SZ", "Swaziland"},  CountryName{"TL", "East Timor"},
    CountryName{"TR", "Turkey"},     CountryName{"US", "USA"},
};

// Shorter other names are abbreviations and single syllables ("Ma", "Li"),
// which would be taken for whole names while the user types. Counted in bytes
// of the folded name: three Latin letters, two Cyrillic or Greek ones, one
// Chinese character.
constexpr std::size_t kShortestOtherName = 3;

[[noreturn]] void fail(const std::string& message)
{
    std::cerr << "build_atlas: " << message << '\n';
    std::exit(1);
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// A decimal degree text ("-3.70256") as microdegrees, rounded half away from zero.
std::optional<std::int32_t> microdegrees(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string fraction(point == std::string_view::npos ? "" : text.substr(point + 1));
    long degrees = 0;
    if (whole.empty() ||
        std::from_chars(whole.data(), whole.data() + whole.size(), degrees).ec != std::errc())
        return std::nullopt;
    if (!std::all_of(fraction.begin(), fraction.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    fraction.resize(7, '0');
    long micro = degrees * 1000000 + std::stol(fraction.substr(0, 6)) + (fraction[6] >= '5');
    return static_cast<std::int32_t>(negative ? -micro : micro);
}

nlohmann::json readJson(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail("cannot read " + path);
    try {
        return nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& error) {
        fail(path + " is not JSON: " + error.what());
    }
}

// The text of a JSON object's string member, or empty.
std::string member(const nlohmann::json& object, const char* name)
{
    const auto found = object.find(name);
    return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

// The code-to-name pairs of admin1.json.
std::map<std::string, std::string> readRegionNames(const std::string& path)
{
    std::map<std::string, std::string> names;
    for (const auto& region : readJson(path))
        if (region.is_object() && !member(region, "code").empty() &&
            !member(region, "name").empty())
            names[member(region, "code")] = member(region, "name");
    if (names.empty())
        fail(path + " holds no region names");
    return names;
}

struct Country
{
    std::string name;
    std::string otherNames; // ';' between them
};

void addOtherName(std::string& otherNames, std::string_view name)
{
    if (!otherNames.empty())
        otherNames += ';';
    otherNames += name;
}

std::map<std::string, Country> readCountries(const std::string& path)
{
    const nlohmann::json table = readJson(path);
    std::map<std::string, Country> countries;
    const auto rows = table.find("3166-1");
    if (rows == table.end() || !rows->is_array())
        fail(path + " holds no ISO 3166-1 table");
    for (const auto& row : *rows) {
        const std::string code = member(row, "alpha_2");
        const std::string common = member(row, "common_name");
        Country& country = countries[code];
        country.name = common.empty() ? member(row, "name") : common;
        for (const char* other : {"name", "official_name"}) {
            const std::string text = member(row, other);
            if (!text.empty() && text != country.name)
                addOtherName(country.otherNames, text);
        }
    }
    for (const CountryName& shortName : kShortNames) {
        Country& country = countries[std::string(shortName.code)];
        if (!country.name.empty())
            addOtherName(country.otherNames, country.name);
        country.name = shortName.name;
    }
    for (const CountryName& other : kCommonOtherNames)
        addOtherName(countries[std::string(other.code)].otherNames, other.name);
    if (countries.size() < 200 || countries.count("") != 0)
        fail(path + " does not hold the countries");
    return countries;
}

// An other name worth searching: not an airport code (MAD, LEMD), nothing with
// digits (postal and district numbers).
bool searchableOtherName(std::string_view name)
{
    if (name.size() <= 4 &&
        std::all_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A name of a place the search finds it by, as the data writes it.
struct SearchName
{
    std::string text;
    FoldedText folded;
    bool own; // the place's own name, not one of its other names
};

struct RawPlace
{
    std::string name;
    std::vector<SearchName> names; // each folded text once, the own names first
    std::int32_t latitude;
    std::int32_t longitude;
    std::uint32_t population;
    std::string country;
    std::string admin1;
    std::string zone;
    bool district;
};

// Appends a NUL-terminated text once; returns its offset.
class TextPool
{
public:
    explicit TextPool(std::vector<char>& section) : section(section) {}
    std::uint32_t add(const std::string& text)
    {
        const auto [found, added] = offsets.try_emplace(text, 0);
        if (added) {
            found->second = static_cast<std::uint32_t>(section.size());
            section.insert(section.end(), text.begin(), text.end());
            section.push_back('\0');
        }
        return found->second;
    }

private:
    std::vector<char>& section;
    std::unordered_map<std::string, std::uint32_t> offsets;
};

std::vector<RawPlace> readPlaces(const std::string& path)
{
    std::vector<RawPlace> places;
    std::ifstream in(path);
    if (!in)
        fail("cannot read " + path);
    std::size_t lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        const auto f = split(line, '\t');
        if (f.size() < 19)
            fail(path + ":" + std::to_string(lineNumber) + ": expected 19 fields");
        RawPlace place;
        place.name = f[1];
        const auto latitude = microdegrees(f[4]);
        const auto longitude = microdegrees(f[5]);
        if (!latitude || !longitude)
            fail(path + ":" + std::to_string(lineNumber) + ": unreadable coordinates");
        place.latitude = *latitude;
        place.longitude = *longitude;
        std::uint64_t population = 0;
        std::from_chars(f[14].data(), f[14].data() + f[14].size(), population);
        place.population =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(population, UINT32_MAX));
        place.country = f[8];
        place.admin1 = f[10];
        place.zone = f[17];
        place.district = f[7] == "PPLX";
        if (place.zone.empty())
            fail(path + ":" + std::to_string(lineNumber) + ": no time zone");
        // Each folded text once: the own name's spelling, or else the other
        // name's with the most bytes, which is the one with its accents
        // (München rather than Munchen), to show as the name that matched.
        std::map<std::string, std::size_t> spellings; // folded text to its index in names
        auto addName = [&](std::string_view name, bool own) {
            FoldedText folded = foldText(name, format::kLongestKey);
            if (!folded.valid || folded.tooLong || folded.key.empty())
                return;
            if (!own && folded.key.size() < kShortestOtherName)
                return;
            const auto [found, added] = spellings.try_emplace(folded.key, place.names.size());
            if (added) {
                place.names.push_back({std::string(name), std::move(folded), own});
                return;
            }
            SearchName& kept = place.names[found->second];
            if (!kept.own && name.size() > kept.text.size())
                kept = {std::string(name), std::move(folded), own};
        };
        addName(f[1], true);
        addName(f[2], true);
        for (const std::string_view other : split(f[3], ','))
            if (searchableOtherName(other))
                addName(other, false);
        places.push_back(std::move(place));
    }
    return places;
}

// A search entry with the folded text it is sorted by.
struct SortedEntry
{
    std::string folded; // the name's folded text from the entry's word on
    format::EntryRecord record;
};

struct BuiltIndex
{
    IndexData sections;
    std::vector<std::string> foldedEntries; // each entry's folded text, in the entries' order
};

BuiltIndex buildSections(std::vector<RawPlace> raw,
                         const std::map<std::string, std::string>& regionNames,
                         const std::map<std::string, Country>& countries)
{
    // Towns before city districts, then the populous first: the search ranks by this order.
    std::stable_sort(raw.begin(), raw.end(), [](const RawPlace& a, const RawPlace& b) {
        if (a.district != b.district)
            return !a.district;
        if (a.population != b.population)
            return a.population > b.population;
        return a.name < b.name;
    });

    IndexData s;
    TextPool strings(s.strings);
    std::map<std::string, std::uint16_t> countryIndex;
    std::map<std::string, std::uint32_t> regionIndex;
    std::map<std::string, std::uint16_t> zoneIndex;
    for (const RawPlace& place : raw) {
        if (!countryIndex.count(place.country)) {
            const auto country = countries.find(place.country);
            format::CountryRecord record{};
            if (place.country.size() != 2)
                fail("country code '" + place.country + "' is not two letters");
            std::copy(place.country.begin(), place.country.end(), record.code.begin());
            record.name =
                strings.add(country != countries.end() ? country->second.name : place.country);
            record.otherNames =
                strings.add(country != countries.end() ? country->second.otherNames : "");
            countryIndex[place.country] = static_cast<std::uint16_t>(s.countries.size());
            s.countries.push_back(record);
        }
        const std::string regionKey = place.country + "." + place.admin1;
        if (!regionIndex.count(regionKey) && regionNames.count(regionKey)) {
            regionIndex[regionKey] = static_cast<std::uint32_t>(s.regions.size());
            s.regions.push_back({strings.add(regionNames.at(regionKey)), strings.add(place.admin1),
                                 countryIndex[place.country]});
        }
        if (!zoneIndex.count(place.zone)) {
            zoneIndex[place.zone] = static_cast<std::uint16_t>(s.zones.size());
            s.zones.push_back({strings.add(place.zone)});
        }
    }

    std::vector<SortedEntry> entries;
    for (std::uint32_t id = 0; id < raw.size(); ++id) {
        const RawPlace& place = raw[id];
        const auto region = regionIndex.find(place.country + "." + place.admin1);
        s.places.push_back({place.latitude, place.longitude, place.population,
                            strings.add(place.name),
                            region == regionIndex.end() ? format::kNoRegion : region->second,
                            countryIndex[place.country], zoneIndex[place.zone],
                            place.district ? format::kDistrict : 0});
        for (const SearchName& name : place.names) {
            const std::uint32_t offset = strings.add(name.text);
            const FoldedText& folded = name.folded;
            for (std::size_t word = 0; word < folded.wordStarts.size(); ++word) {
                // The search folds a name from the word's first letter on: a
                // word that starts inside one character's letters (℅, c/o)
                // cannot be read from there.
                std::string rest = folded.key.substr(folded.wordStarts[word]);
                if (foldText(std::string_view(name.text).substr(folded.sourceStarts[word])).key !=
                    rest)
                    continue;
                const std::uint32_t flags =
                    (name.own ? format::kOwnName : 0) | (word == 0 ? format::kWholeKey : 0);
                entries.push_back(
                    {std::move(rest), {offset + folded.sourceStarts[word], id | flags}});
            }
        }
    }
    std::sort(entries.begin(), entries.end(), [](const SortedEntry& a, const SortedEntry& b) {
        const int order = a.folded.compare(b.folded);
        if (order != 0)
            return order < 0;
        return a.record.place != b.record.place ? a.record.place < b.record.place
                                                : a.record.name < b.record.name;
    });
    BuiltIndex built;
    for (SortedEntry& entry : entries) {
        s.entries.push_back(entry.record);
        built.foldedEntries.push_back(std::move(entry.folded));
    }
    built.sections = std::move(s);
    return built;
}

// Stores the ranking of every prefix whose matches are too many to rank
// while the user types.
void storeHeavyRankings(BuiltIndex& built)
{
    IndexData& s = built.sections;
    const PlaceIndex scratch(s.sections(), nullptr); // without stored rankings yet
    const std::vector<std::string>& folded = built.foldedEntries;
    std::vector<std::string> heavy;
    const std::size_t longest = sizeof(format::TopPrefixRecord::prefix);
    for (std::size_t length = 1; length <= longest; ++length) {
        std::size_t i = 0;
        while (i < folded.size()) {
            if (folded[i].size() < length) {
                ++i;
                continue;
            }
            const std::string_view prefix = std::string_view(folded[i]).substr(0, length);
            std::size_t j = i;
            while (j < folded.size() && std::string_view(folded[j]).substr(0, length) == prefix)
                ++j;
            // A typed text ends with a whole character and never with a gap.
            const bool wholeCharacter =
                folded[i].size() == length ||
                (static_cast<unsigned char>(folded[i][length]) & 0xC0) != 0x80;
            if (j - i > kStoredRankingThreshold && prefix.back() != ' ' && wholeCharacter)
                heavy.emplace_back(prefix);
            i = j;
        }
    }
    std::sort(heavy.begin(), heavy.end());
    for (const std::string& prefix : heavy) {
        const std::vector<PlaceHit> ranking = rankByScan(scratch, prefix, kMaxRows);
        format::TopPrefixRecord record{};
        std::copy(prefix.begin(), prefix.end(), record.prefix.begin());
        record.first = static_cast<std::uint32_t>(s.topHits.size());
        record.count = static_cast<std::uint32_t>(ranking.size());
        for (const PlaceHit& hit : ranking)
            s.topHits.push_back({hit.id, hit.otherName.empty()
                                             ? format::kNoOtherName
                                             : static_cast<std::uint32_t>(hit.otherName.data() -
                                                                          s.strings.data())});
        s.topPrefixes.push_back(record);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: build_atlas CITIES500_TXT ADMIN1_JSON ISO3166_JSON OUTPUT\n";
        return 2;
    }
    const auto regionNames = readRegionNames(argv[2]);
    const auto countries = readCountries(argv[3]);
    BuiltIndex built = buildSections(readPlaces(argv[1]), regionNames, countries);
    if (const std::string why = checkSections(built.sections.sections()); !why.empty())
        fail("the index came out wrong: " + why);
    storeHeavyRankings(built);
    std::string error;
    if (!writeIndex(argv[4], built.sections.sections(), error))
        fail(error);
    const IndexData& s = built.sections;
    std::size_t regionless = 0;
    for (const auto& place : s.places)
        regionless += place.region == format::kNoRegion;
    std::size_t unnamedCountries = 0;
    for (const auto& country : s.countries)
        unnamedCountries += countries.count(std::string(country.code.data(), 2)) == 0;
    std::cout << "build_atlas: " << s.places.size() << " places, " << s.entries.size()
              << " search entries, " << s.topPrefixes.size() << " stored rankings, " << regionless
              << " places without a region name, " << unnamedCountries
              << " countries without a name\n";
    return 0;
}
