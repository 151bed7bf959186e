// Builds the offline atlas's index file from the pinned place data:
//   build_atlas CITIES500_TXT ADMIN1_JSON ISO3166_TAB OUTPUT
// cities500.txt is GeoNames' table of places (tab-separated), admin1.json the
// names of first-level divisions ([{"code":"US.IL","name":"Illinois"}, ...]),
// iso3166.tab tzdata's country names.
#include "atlas/Fold.h"
#include "atlas/PlaceIndex.h"
#include "atlas/PlaceSearch.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using namespace atlas;

// Countries GeoNames uses that tzdata's table does not name.
struct CountryName
{
    std::string_view code;
    std::string_view name;
};
constexpr std::array kExtraCountries{
    CountryName{"XK", "Kosovo"},
};

// Countries whose division codes in the place table come from before a reform
// that renumbered them in the names table: a name found by code would be
// another division's (Ho Chi Minh City's old code is Lạng Sơn's new one).
constexpr std::array<std::string_view, 1> kRenumberedDivisions{"VN"};

// Longest key kept: longer "names" are descriptions, not names.
constexpr std::size_t kLongestKey = 120;
// Shorter other names are abbreviations and single syllables ("Ma", "Li"),
// which would be taken for whole names while the user types.
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

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The code-to-name pairs of admin1.json: an array of flat objects of strings.
std::map<std::string, std::string> readRegionNames(const std::string& path)
{
    const std::string json = readFile(path);
    std::map<std::string, std::string> names;
    std::size_t pos = 0;
    auto readString = [&]() {
        std::string value;
        ++pos; // the opening quotation mark
        while (pos < json.size() && json[pos] != '"') {
            if (json[pos] == '\\' && pos + 1 < json.size()) {
                ++pos;
                if (json[pos] == 'u' && pos + 4 < json.size()) {
                    const unsigned code = std::stoul(json.substr(pos + 1, 4), nullptr, 16);
                    pos += 4;
                    if (code < 0x80) {
                        value += static_cast<char>(code);
                    } else if (code < 0x800) {
                        value += static_cast<char>(0xC0 | (code >> 6));
                        value += static_cast<char>(0x80 | (code & 0x3F));
                    } else {
                        value += static_cast<char>(0xE0 | (code >> 12));
                        value += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                        value += static_cast<char>(0x80 | (code & 0x3F));
                    }
                } else {
                    value += json[pos] == 'n' ? '\n' : json[pos];
                }
            } else {
                value += json[pos];
            }
            ++pos;
        }
        ++pos;
        return value;
    };
    std::map<std::string, std::string> object;
    std::string pendingKey;
    bool expectValue = false;
    for (; pos < json.size();) {
        const char c = json[pos];
        if (c == '"') {
            std::string text = readString();
            if (expectValue) {
                object[pendingKey] = std::move(text);
                expectValue = false;
            } else {
                pendingKey = std::move(text);
            }
            continue;
        }
        if (c == ':')
            expectValue = true;
        else if (c == '}') {
            if (object.count("code") && object.count("name"))
                names[object["code"]] = object["name"];
            object.clear();
        }
        ++pos;
    }
    if (names.empty())
        fail(path + " holds no region names");
    return names;
}

std::map<std::string, std::string> readCountryNames(const std::string& path)
{
    std::map<std::string, std::string> names;
    std::istringstream lines(readFile(path));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto fields = split(line, '\t');
        if (fields.size() >= 2 && fields[0].size() == 2)
            names[std::string(fields[0])] = std::string(fields[1]);
    }
    for (const CountryName& extra : kExtraCountries)
        names.try_emplace(std::string(extra.code), extra.name);
    if (names.empty())
        fail(path + " holds no country names");
    return names;
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

struct RawPlace
{
    std::string name;
    std::map<std::string, std::set<std::uint16_t>> keys; // folded, with where its words start
    std::set<std::string> ownKeys; // those of its name, not of its other names
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
        auto addKey = [&](std::string_view name, bool own) {
            FoldedText folded = foldText(name);
            if (!folded.latin || folded.key.empty() || folded.key.size() > kLongestKey)
                return;
            if (!own && folded.key.size() < kShortestOtherName)
                return;
            place.keys[folded.key].insert(folded.wordStarts.begin(), folded.wordStarts.end());
            if (own)
                place.ownKeys.insert(folded.key);
        };
        addKey(f[1], true);
        addKey(f[2], true);
        for (const std::string_view other : split(f[3], ','))
            if (searchableOtherName(other))
                addKey(other, false);
        places.push_back(std::move(place));
    }
    return places;
}

IndexData buildSections(std::vector<RawPlace> raw,
                        const std::map<std::string, std::string>& regionNames,
                        const std::map<std::string, std::string>& countryNames)
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
            const auto name = countryNames.find(place.country);
            format::CountryRecord record{};
            if (place.country.size() != 2)
                fail("country code '" + place.country + "' is not two letters");
            std::copy(place.country.begin(), place.country.end(), record.code.begin());
            record.name = strings.add(name != countryNames.end() ? name->second : place.country);
            countryIndex[place.country] = static_cast<std::uint16_t>(s.countries.size());
            s.countries.push_back(record);
        }
        const std::string regionKey = place.country + "." + place.admin1;
        const bool renumbered = std::find(kRenumberedDivisions.begin(), kRenumberedDivisions.end(),
                                          place.country) != kRenumberedDivisions.end();
        if (!renumbered && !regionIndex.count(regionKey) && regionNames.count(regionKey)) {
            regionIndex[regionKey] = static_cast<std::uint32_t>(s.regions.size());
            s.regions.push_back({strings.add(regionNames.at(regionKey)), strings.add(place.admin1),
                                 countryIndex[place.country]});
        }
        if (!zoneIndex.count(place.zone)) {
            zoneIndex[place.zone] = static_cast<std::uint16_t>(s.zones.size());
            s.zones.push_back({strings.add(place.zone)});
        }
    }

    TextPool keys(s.keys);
    for (std::uint32_t id = 0; id < raw.size(); ++id) {
        const RawPlace& place = raw[id];
        const auto region = regionIndex.find(place.country + "." + place.admin1);
        s.places.push_back({place.latitude, place.longitude, place.population,
                            strings.add(place.name),
                            region == regionIndex.end() ? format::kNoRegion : region->second,
                            countryIndex[place.country], zoneIndex[place.zone],
                            place.district ? format::kDistrict : 0});
        for (const auto& [key, wordStarts] : place.keys) {
            const std::uint32_t offset = keys.add(key);
            const std::uint32_t own = place.ownKeys.count(key) ? format::kOwnName : 0;
            for (const std::uint16_t start : wordStarts)
                s.entries.push_back(
                    {offset + start, id | own | (start == 0 ? format::kWholeKey : 0)});
        }
    }
    const char* text = s.keys.data();
    std::sort(s.entries.begin(), s.entries.end(), [text](const auto& a, const auto& b) {
        const int order = std::strcmp(text + a.key, text + b.key);
        return order != 0 ? order < 0 : a.place < b.place;
    });
    return s;
}

// Stores the ranking of every prefix whose matches are too many to rank
// while the user types.
void storeHeavyRankings(IndexData& s)
{
    const PlaceIndex scratch(s.sections(), nullptr); // without stored rankings yet
    const char* text = s.keys.data();
    std::vector<std::string> heavy;
    const std::size_t longest = sizeof(format::TopPrefixRecord::prefix);
    for (std::size_t length = 1; length <= longest; ++length) {
        std::size_t i = 0;
        while (i < s.entries.size()) {
            const std::string_view suffix(text + s.entries[i].key);
            if (suffix.size() < length) {
                ++i;
                continue;
            }
            const std::string_view prefix = suffix.substr(0, length);
            std::size_t j = i;
            while (j < s.entries.size() &&
                   std::string_view(text + s.entries[j].key).substr(0, length) == prefix)
                ++j;
            if (j - i > kStoredRankingThreshold && prefix.back() != ' ')
                heavy.emplace_back(prefix);
            i = j;
        }
    }
    std::sort(heavy.begin(), heavy.end());
    for (const std::string& prefix : heavy) {
        const std::vector<PlaceId> ranking = rankByScan(scratch, prefix, kMaxRows);
        format::TopPrefixRecord record{};
        std::copy(prefix.begin(), prefix.end(), record.prefix.begin());
        record.first = static_cast<std::uint32_t>(s.topPlaces.size());
        record.count = static_cast<std::uint32_t>(ranking.size());
        s.topPlaces.insert(s.topPlaces.end(), ranking.begin(), ranking.end());
        s.topPrefixes.push_back(record);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: build_atlas CITIES500_TXT ADMIN1_JSON ISO3166_TAB OUTPUT\n";
        return 2;
    }
    const auto regionNames = readRegionNames(argv[2]);
    const auto countryNames = readCountryNames(argv[3]);
    IndexData sections = buildSections(readPlaces(argv[1]), regionNames, countryNames);
    if (const std::string why = checkSections(sections.sections()); !why.empty())
        fail("the index came out wrong: " + why);
    storeHeavyRankings(sections);
    std::string error;
    if (!writeIndex(argv[4], sections.sections(), error))
        fail(error);
    std::size_t regionless = 0;
    for (const auto& place : sections.places)
        regionless += place.region == format::kNoRegion;
    std::cout << "build_atlas: " << sections.places.size() << " places, " << sections.entries.size()
              << " search entries, " << sections.topPrefixes.size() << " stored rankings, "
              << regionless << " places without a region name\n";
    return 0;
}
