// Search as you type over the whole atlas. Plain C++20, no Qt.
#pragma once

#include "atlas/PlaceIndex.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace atlas {

/// Rows the finder shows at most.
inline constexpr std::size_t kMaxRows = 50;

/// Places whose name, or one of whose Latin-script other names, has a word that
/// begins with the text before the first comma (case and accents aside); each
/// text after a comma must begin a word of the place's region or country name
/// or be its code ("Springfield, Illinois", "Paris, US"). Places one of whose
/// names is the whole text come first, then those with a word of their own name
/// beginning with it, then those matched by another name; within each, towns
/// before city districts, then the more populous first. At most limit ids; none
/// for a text that matches nothing, whatever it holds.
std::vector<PlaceId> searchPlaces(const PlaceIndex& index, std::string_view text,
                                  std::size_t limit = kMaxRows);

/// The same ranking for a folded key, found by going through every match even
/// where the index stores the result; the index builder stores these.
std::vector<PlaceId> rankByScan(const PlaceIndex& index, std::string_view key, std::size_t limit);

/// Ranges of more than this many search entries have their ranking stored.
inline constexpr std::size_t kStoredRankingThreshold = 4096;

} // namespace atlas
