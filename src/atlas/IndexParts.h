// The offline atlas in parts, as the web page holds it: the common part first, then
// each part a search needs, added as it arrives; the search over them answers exactly as
// findPlaces over the whole index. Parts are read from bytes and checked as the index
// file is (atlas/PartFormat.h): a damaged or foreign part is refused in words, never
// read outside its bytes. Plain C++20, no Qt.
#pragma once

#include "atlas/PartFormat.h"
#include "atlas/PlaceIndex.h"
#include "atlas/PlaceSearch.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace atlas {

/// "common.part", or a part's file name by its number ("017.part").
std::string partFileName(std::uint32_t number);

/// The parts that a search's folded key reads: first to last of the directory. Several
/// when the key is shorter than the letters its entries were split by ("s" over "sa",
/// "sb", ...).
struct PartRange
{
    std::uint32_t first = 0;
    std::uint32_t last = 0;

    [[nodiscard]] bool single() const { return first == last; }
};

/// The directory's first keys, sorted, the first empty: where a key's entries lie.
PartRange partsOfKey(const std::vector<std::string>& firstKeys, std::string_view key);

class IndexParts
{
public:
    /// The common part's bytes; none, with error set, when they are refused.
    static std::unique_ptr<IndexParts> open(std::span<const unsigned char> bytes,
                                            std::string& error);

    IndexParts(const IndexParts&) = delete;
    IndexParts& operator=(const IndexParts&) = delete;
    ~IndexParts();

    [[nodiscard]] std::uint32_t partCount() const;

    /// The parts the search of this text reads that have not been added, by number.
    [[nodiscard]] std::vector<std::uint32_t> missingParts(std::string_view text,
                                                          std::size_t limit = kMaxRows) const;

    /// Adds part number from its file's bytes; false with the reason when refused
    /// (damaged, cut short, of another split, not this number's).
    bool addPart(std::uint32_t number, std::span<const unsigned char> bytes, std::string& error);

    [[nodiscard]] bool hasPart(std::uint32_t number) const;

    /// What findPlaces over the whole index finds, and the index whose places the hits
    /// name (valid until the next search or added part); index null when a part it
    /// needs is missing.
    struct Found
    {
        const PlaceIndex* index = nullptr;
        std::vector<PlaceHit> hits;
    };
    [[nodiscard]] Found find(std::string_view text, std::size_t limit = kMaxRows) const;

private:
    struct Common;
    struct Part;
    struct Merged;
    /// The parts a query reads, or none for one the common part answers.
    struct Route
    {
        bool head = false; // the stored ranking in the common part answers
        bool nothing = false;
        PartRange parts;
    };

    IndexParts();
    [[nodiscard]] Route route(const PlaceQuery& query, std::size_t limit) const;
    [[nodiscard]] const PlaceIndex* merged(PartRange range) const;

    std::unique_ptr<Common> common_;
    std::vector<std::unique_ptr<Part>> parts_;
    mutable std::unique_ptr<Merged> merged_; // the last join of several parts
};

/// The atlas's parts as the splitter makes them: the common part, then the others by number.
struct PartFile
{
    std::string name; // partFileName
    std::vector<unsigned char> bytes;
};

/// The web page's parts: a first search fetches the common part and one part, and both
/// together, with the search's own code and the zones' table, stay within 1.5 MB even
/// where the server does not compress them.
inline constexpr std::size_t kWebPartBytes = 512 * 1024;

/// Splits the index into parts of about partBytes each at most (a single key's entries
/// may need more), the common part first; empty with error set when it cannot.
std::vector<PartFile> splitIndex(const PlaceIndex& index, std::size_t partBytes,
                                 std::string& error);

} // namespace atlas
