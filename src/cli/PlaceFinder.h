// The atlas for the command line: the places a query finds, each with its entry
// fields and, at a local date and time, its clock. The index is loaded on first use.
// Plain C++20, no Qt.
#pragma once

#include "atlas/PlaceChoice.h"
#include "atlas/PlaceIndex.h"
#include "report/BirthInput.h"

#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

class PlaceFinder final : public report::PlaceLocator
{
public:
    /// The index file; empty: the one the tool finds where it is installed or built.
    explicit PlaceFinder(std::filesystem::path indexFile);

    /// The places a query finds, in the finder's order, at most limit; each with its clock
    /// at the local time when one is given. The message when the index cannot be loaded.
    [[nodiscard]] std::variant<std::vector<atlas::PlaceChoice>, std::string>
    Search(std::string_view query, std::size_t limit,
           const std::optional<modEphemeris::CivilTime>& local,
           modEphemeris::Occurrence occurrence = modEphemeris::Occurrence::First) const;

    /// The first match and its clock's offset at the local time: what --place uses.
    [[nodiscard]] std::variant<report::LocatedPlace, std::string>
    Locate(std::string_view query, const modEphemeris::CivilTime& local,
           modEphemeris::Occurrence occurrence, birth::BirthDataFields& fields) const override;

private:
    /// The index, or nullptr when it cannot be loaded (the reason in load_.error).
    [[nodiscard]] const atlas::PlaceIndex* Index() const;

    std::filesystem::path file_;
    mutable std::once_flag loaded_;
    mutable atlas::IndexLoad load_;
};

} // namespace cli
