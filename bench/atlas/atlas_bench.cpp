// The offline atlas's costs as the finder meets them: the first load of the
// index, a keystroke's search over the whole index, and the memory the loaded
// index takes. Prints the figures; scripts/bench atlas runs it.
//   atlas_bench [INDEX]
#include "atlas/AtlasLocation.h"
#include "atlas/Fold.h"
#include "atlas/PlaceSearch.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Resident memory of this process, kilobytes.
long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

// What a user types on the way to a name: every prefix, cut at whole characters.
void addPrefixes(const std::string& name, std::vector<std::string>& queries)
{
    for (std::size_t pos = 0; pos < name.size();) {
        atlas::nextCodePoint(name, pos);
        queries.push_back(name.substr(0, pos));
    }
}

// Every prefix of the most populous names and of names drawn from the whole
// index with a fixed seed, then every one- and two-letter prefix.
std::vector<std::string> keystrokes(const atlas::PlaceIndex& index)
{
    constexpr std::size_t populous = 200;
    constexpr std::size_t drawn = 200;
    std::vector<std::string> queries;
    for (atlas::PlaceId id = 0; id < populous && id < index.placeCount(); ++id)
        addPrefixes(index.place(id).name, queries);
    std::mt19937 random(42);
    std::uniform_int_distribution<atlas::PlaceId> anyPlace(
        0, static_cast<atlas::PlaceId>(index.placeCount() - 1));
    for (std::size_t i = 0; i < drawn; ++i)
        addPrefixes(index.place(anyPlace(random)).name, queries);
    for (char a = 'a'; a <= 'z'; ++a) {
        queries.emplace_back(1, a);
        for (char b = 'a'; b <= 'z'; ++b)
            queries.push_back(std::string{a, b});
    }
    return queries;
}

// Each query searched rounds times; the microseconds of each search.
std::vector<double> timeSearches(const atlas::PlaceIndex& index,
                                 const std::vector<std::string>& queries, int rounds,
                                 std::size_t& rows)
{
    std::vector<double> micros;
    for (int round = 0; round < rounds; ++round) {
        for (const std::string& query : queries) {
            const auto start = Clock::now();
            rows += atlas::searchPlaces(index, query).size();
            micros.push_back(
                std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        }
    }
    return micros;
}

void printSpread(const char* what, std::size_t queries, const std::vector<double>& micros)
{
    std::printf("%s, %zu keystrokes: median %.1f us, p99 %.1f us, max %.1f us\n", what, queries,
                percentile(micros, 0.5), percentile(micros, 0.99), percentile(micros, 1.0));
}

// Every prefix of names typed in their own scripts, and of texts narrowed after a comma.
std::vector<std::string> prefixesOf(std::initializer_list<const char*> names)
{
    std::vector<std::string> queries;
    for (const char* name : names)
        addPrefixes(name, queries);
    return queries;
}

std::string repeated(const std::string& part, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += part;
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path file = argc > 1 ? argv[1] : atlas::defaultIndexPath();
    const long before = residentKilobytes();
    const auto started = Clock::now();
    const atlas::IndexLoad load = atlas::PlaceIndex::load(file);
    const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    if (!load.index) {
        std::fprintf(stderr, "%s\n", load.error.c_str());
        return 1;
    }
    const long loaded = residentKilobytes();

    const std::vector<std::string> queries = keystrokes(*load.index);
    std::size_t rows = 0;
    constexpr int rounds = 3;
    const std::vector<double> micros = timeSearches(*load.index, queries, rounds, rows);
    const long searched = residentKilobytes();

    std::printf("index: %s (%zu places, %.1f MB; budget 30 MB)\n", file.c_str(),
                load.index->placeCount(),
                static_cast<double>(std::filesystem::file_size(file)) / 1e6);
    std::printf("first load: %.1f ms (budget 150 ms)\n", loadMs);
    std::printf("search, %zu keystrokes x %d rounds (%zu rows listed):\n", queries.size(), rounds,
                rows);
    std::printf("  median %.1f us, p90 %.1f us, p99 %.1f us, max %.1f us "
                "(budget: median 1000 us, p99 10000 us)\n",
                percentile(micros, 0.5), percentile(micros, 0.9), percentile(micros, 0.99),
                percentile(micros, 1.0));

    const auto ownScripts = prefixesOf({"Москва", "Київ", "Санкт-Петербург", "Αθήνα", "मुंबई", "東京",
                                        "القاهرة", "תל אביב", "서울", "ΘΕΣΣΑΛΟΝΙΚΗ"});
    std::size_t otherRows = 0;
    printSpread("names in their own scripts", ownScripts.size(),
                timeSearches(*load.index, ownScripts, rounds, otherRows));
    const auto narrowed = prefixesOf({"Springfield, Illinois", "Paris, US", "London, UK",
                                      "Saint Petersburg, Russia", "a, a, a"});
    printSpread("texts narrowed after a comma", narrowed.size(),
                timeSearches(*load.index, narrowed, rounds, otherRows));
    // Pasted texts that once cost a search per comma or per byte: each alone.
    for (const auto& [what, text] :
         {std::pair<const char*, std::string>{"'a,a,a,...' with 50,000 parts",
                                              "a" + repeated(",a", 49999)},
          {"'Springfield, Illinois, US' and 50,000 more parts",
           "Springfield, Illinois, US" + repeated(", a", 50000)},
          {"1 MB of letters", std::string(1 << 20, 'a')},
          {"1 MB of spaces, then Paris", std::string(1 << 20, ' ') + "Paris"}}) {
        const std::vector<double> once = timeSearches(*load.index, {text}, 1, otherRows);
        std::printf("%s: %.1f us\n", what, once.front());
    }

    std::printf("memory: %.1f MB resident before loading, %.1f MB loaded (+%.1f MB), %.1f MB "
                "after searching (+%.1f MB; budget +40 MB)\n",
                before / 1024.0, loaded / 1024.0, (loaded - before) / 1024.0, searched / 1024.0,
                (searched - before) / 1024.0);
    return 0;
}
