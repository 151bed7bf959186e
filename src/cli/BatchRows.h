// The batch's rows: the header read into the columns a reading needs, and each
// input row turned into its output row with the four readings or the refusal.
#pragma once

#include "cli/Csv.h"
#include "ephemeris/PreciseBeside.h"
#include "report/BirthInput.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cli {

/// The columns appended to every row, in this order: the readings, with --precise the precise
/// Moon's (kPreciseColumns), then the error.
inline constexpr std::array<std::string_view, 4> kReadingColumns{
    "sidereal_geocentric", "sidereal_topocentric", "tropical_geocentric", "tropical_topocentric"};
inline constexpr std::array<std::string_view, 4> kPreciseColumns{
    "precise_sidereal_geocentric", "precise_sidereal_topocentric", "precise_tropical_geocentric",
    "precise_tropical_topocentric"};
inline constexpr std::string_view kErrorColumn = "error";

/// Where the batch takes a row's precise Moon from (PreciseForReadings); a build without it
/// gives none.
using PreciseSource = std::optional<modEphemeris::PreciseBeside> (*)(
    const modEphemeris::BirthMoment& moment, const modEphemeris::MoonReadings& readings);

/// Where the columns that a reading needs lie in the rows.
struct BatchColumns
{
    std::size_t count = 0; // fields in the header, and so in every row
    std::optional<std::size_t> date;
    std::optional<std::size_t> time;
    std::optional<std::size_t> longitude;
    std::optional<std::size_t> latitude;
    std::optional<std::size_t> zone;
    std::optional<std::size_t> dst;
    std::optional<std::size_t> utcOffset;
    std::optional<std::size_t> place; // read only where the atlas is
};

/// The columns a header names (in any order, case and surrounding spaces aside), or why
/// the header cannot serve. A place column is read only withPlaces.
std::variant<BatchColumns, std::string> ReadHeader(const std::vector<std::string_view>& names,
                                                   bool withPlaces);

/// Turns input rows into output rows. One per worker thread: its buffers are reused from
/// row to row.
class alignas(64) RowComputer // one cache line to itself: workers write to theirs per row
{
public:
    /// WithoutPrecise: the readings computed, the precise Moon asked for and unavailable.
    enum class Outcome { Computed, Refused, WithoutPrecise, Blank };

    /// places may be null when no place column is read; lineEnd ends every output row;
    /// precise null: no precise columns.
    RowComputer(const BatchColumns& columns, const report::PlaceLocator* places,
                std::string_view lineEnd, PreciseSource precise = nullptr);

    /// Appends the output row for one input record (its line end included or not): the
    /// record's fields, then the readings (and the precise Moon's) and an empty error, or
    /// empty readings and the refusal. A row whose precise Moon is unavailable keeps its
    /// readings and says why in error. A blank record gives no row.
    Outcome Process(std::string_view record, std::string& out);

    /// The columns appended to every row, the error last.
    [[nodiscard]] std::vector<std::string_view> AppendedColumns() const;

private:
    [[nodiscard]] std::string_view Field(const std::optional<std::size_t>& column) const;
    void AppendRefused(std::string_view text, std::string_view message, std::string& out) const;

    const BatchColumns& columns_;
    const report::PlaceLocator* places_;
    std::string_view lineEnd_;
    PreciseSource precise_;
    csv::Record record_;
};

} // namespace cli
