// The house's shape, read from the sources: every include names its folder (or,
// inside the Qt-free Moon computation, a file of its own folder), no folder
// includes one above it or beside it, and no two files include each other round
// a circle.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

/// The floor of each folder. The ground holds the Moon computation at the bottom,
/// then the birth data (its checks, ranges, month names and key filters) and what every
/// window shares; above them what a reading says in words and JSON, which every face shows;
/// the middle the windows and the atlas; the top the composition roots of the program, of
/// the command-line tool and of the web page. A folder includes only lower floors and itself.
const std::map<std::string, int> kFloors{
    {"ephemeris", 0}, {"birth", 1},  {"shell", 1}, {"report", 2}, {"entry", 3}, {"display", 3},
    {"timezone", 3},  {"lookup", 3}, {"atlas", 3}, {"app", 4},    {"cli", 4},   {"web", 4},
};

/// Headers the build generates into its own tree, included by their folder as
/// if they lay in it (the atlas's folding table, made from ICU).
const std::set<std::string> kGenerated{"atlas/FoldTable.h"};

/// A source file: "entry/frmMain.cpp" and the files it includes ("shell/AppIcon.h").
struct Source
{
    std::string folder;
    std::string path;
    std::vector<std::string> includes;
};

std::vector<Source> ReadSources()
{
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Source> sources;
    for (const auto& entry : fs::recursive_directory_iterator(SELENOSCOPE_SOURCE_DIR "/src")) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const fs::path relative = fs::relative(entry.path(), SELENOSCOPE_SOURCE_DIR "/src");
        Source source{relative.begin()->string(), relative.generic_string(), {}};
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line))
            if (std::regex_search(line, match, include) && !match[1].str().ends_with(".moc"))
                source.includes.push_back(match[1].str());
        sources.push_back(std::move(source));
    }
    return sources;
}

/// The file an include names, as a path under src/.
std::string IncludedPath(const Source& from, const std::string& include)
{
    if (include.find('/') == std::string::npos) // the Moon computation's own files
        return from.folder + "/" + include;
    return include;
}

/// "entry/frmMain.cpp" and "entry/frmMain.h" are one unit.
std::string Unit(const std::string& path)
{
    return path.substr(0, path.find_last_of('.'));
}

TEST(IncludeFloors, EveryFolderHasAFloor)
{
    for (const Source& source : ReadSources())
        EXPECT_TRUE(kFloors.contains(source.folder)) << source.path;
}

TEST(IncludeFloors, IncludesNameTheirFolder)
{
    for (const Source& source : ReadSources()) {
        for (const std::string& include : source.includes) {
            // The Moon computation builds alone from its own files, without an include path.
            const bool bare = include.find('/') == std::string::npos;
            EXPECT_EQ(bare, source.folder == "ephemeris") << source.path << " includes " << include;
            EXPECT_TRUE(kGenerated.contains(IncludedPath(source, include)) ||
                        fs::exists(SELENOSCOPE_SOURCE_DIR "/src/" + IncludedPath(source, include)))
                << source.path << " includes " << include;
        }
    }
}

TEST(IncludeFloors, NoFolderReachesUpOrSideways)
{
    for (const Source& source : ReadSources()) {
        for (const std::string& include : source.includes) {
            const std::string folder =
                IncludedPath(source, include).substr(0, IncludedPath(source, include).find('/'));
            if (folder == source.folder || !kFloors.contains(folder))
                continue;
            EXPECT_LT(kFloors.at(folder), kFloors.at(source.folder))
                << source.path << " includes " << include;
        }
    }
}

TEST(IncludeFloors, NoFilesIncludeEachOtherRoundACircle)
{
    std::map<std::string, std::set<std::string>> uses;
    for (const Source& source : ReadSources())
        for (const std::string& include : source.includes)
            if (Unit(IncludedPath(source, include)) != Unit(source.path))
                uses[Unit(source.path)].insert(Unit(IncludedPath(source, include)));

    // Depth-first: a unit met again while still on the path closes a circle.
    enum class Mark { Unseen, OnPath, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::vector<std::string> circles;
    auto visit = [&](auto&& self, const std::string& unit) -> void {
        marks[unit] = Mark::OnPath;
        path.push_back(unit);
        for (const std::string& next : uses[unit]) {
            if (marks[next] == Mark::OnPath) {
                std::string circle;
                for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it)
                    circle += *it + " -> ";
                circles.push_back(circle + next);
            } else if (marks[next] == Mark::Unseen) {
                self(self, next);
            }
        }
        path.pop_back();
        marks[unit] = Mark::Done;
    };
    for (const auto& [unit, used] : uses)
        if (marks[unit] == Mark::Unseen)
            visit(visit, unit);

    for (const std::string& circle : circles)
        ADD_FAILURE() << "circle: " << circle;
}

} // namespace
