// Search as you type over the whole atlas. Plain C++20, no Qt.
#pragma once

#include "atlas/PlaceIndex.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace atlas {

/// Rows the finder shows at most.
inline constexpr std::size_t kMaxRows = 50;

/// Texts after this many commas narrow no further: a place has a region and a
/// country to narrow by, and a pasted text with thousands of commas costs no more.
inline constexpr std::size_t kMaxFilterParts = 2;

/// A place found, and the other name it was found by.
struct PlaceHit
{
    PlaceId id = 0;
    /// The place's other name that matched (Madrid, for Waupun); empty when
    /// its own name matched. Lives as long as the index.
    std::string_view otherName;

    bool operator==(const PlaceHit&) const = default;
};

/// A typed text as the search reads it.
struct PlaceQuery
{
    std::string key;                  // folded text before the first comma
    bool wholeWord = false;           // a gap followed it: the matched word must end there
    std::vector<std::string> filters; // the folded texts after the first commas, at most two
    bool matchesNothing = false;      // not UTF-8, too long or nothing to look for
};

/// How findPlaces reads a typed text; the web page's atlas, which is split by the key's
/// first letters, asks it which of its parts a text needs.
PlaceQuery parsePlaceQuery(std::string_view text);

/// Places whose name, or one of whose other names in any script, has a word
/// that begins with the text before the first comma (case, accents and
/// compatibility forms aside; in scripts written without spaces, such as
/// Japanese and Chinese, a name's whole run of letters is one word, so 東京
/// finds 東京 and 東京都 from their first character); each of the first two
/// texts after a comma must begin a word of the place's region or country
/// name, or of a country's other names, or be its code ("Springfield,
/// Illinois", "Paris, US", "London, UK"). Places one of whose names is the
/// whole text come first, then those with a word of their own name beginning
/// with it, then those matched by another name; within each, towns before
/// city districts, then the more populous first. At most limit hits; none for
/// a text that matches nothing, whatever it holds.
std::vector<PlaceHit> findPlaces(const PlaceIndex& index, std::string_view text,
                                 std::size_t limit = kMaxRows);

/// The same places' ids.
std::vector<PlaceId> searchPlaces(const PlaceIndex& index, std::string_view text,
                                  std::size_t limit = kMaxRows);

/// The same ranking for a folded key, found by going through every match even
/// where the index stores the result; the index builder stores these.
std::vector<PlaceHit> rankByScan(const PlaceIndex& index, std::string_view key, std::size_t limit);

/// Ranges of more than this many search entries have their ranking stored.
inline constexpr std::size_t kStoredRankingThreshold = 4096;

/// The name a search lists a place under: "Waupun (also Madrid)" when it was
/// found by another name, else its own name. The finder and the command line say this.
std::string listedName(std::string_view name, std::string_view otherName);

} // namespace atlas
