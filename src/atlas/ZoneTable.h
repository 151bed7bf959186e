// The zones' histories as a compact table: exported at build time from the
// system's tzdata for the zones the atlas uses, shipped with the web page, and
// read there instead of tzdata. Plain C++20, no Qt.
//
// The file: the magic "SELZONES", a version byte, then unsigned LEB128 numbers
// (offsets zigzag-coded): the first and last year covered; the histories, each
// its states (offset, abbreviation), the state in force when the table begins
// and its changes (seconds since the previous change, the state from then on);
// then the zones, sorted by id, each its id and the number of its history.
// Zones that are links of one another share a history.
#pragma once

#include "atlas/ZoneHistory.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace atlas {

/// The years a table covers when exported for the page.
inline constexpr YearSpan kExportedYears{1850, 2100};

class ZoneTable
{
public:
    struct Data;

    /// The table in the file's bytes, or the reason they are not one (error set).
    /// Never reads outside the bytes, whatever they hold.
    static ZoneTable read(std::span<const unsigned char> bytes, std::string& error);

    /// The zone's history, or none when the table lacks the zone.
    [[nodiscard]] std::shared_ptr<const ZoneHistory> find(const std::string& zoneId) const;

    [[nodiscard]] std::vector<std::string> zoneIds() const;
    [[nodiscard]] YearSpan years() const;
    [[nodiscard]] bool empty() const { return data_ == nullptr; }

private:
    std::shared_ptr<const Data> data_;
};

/// Opens a zone's history for the export (findZone, or a test's own).
using ZoneOpener = std::function<std::shared_ptr<const ZoneHistory>(const std::string&)>;

/// The table's bytes for these zones over these years, their histories read through
/// open; empty with error set when a zone cannot be opened.
std::vector<unsigned char> writeZoneTable(const std::vector<std::string>& zoneIds, YearSpan years,
                                          const ZoneOpener& open, std::string& error);

/// Makes findZone answer from this table (the web page, once it has fetched the table).
void useZoneTable(ZoneTable table);

} // namespace atlas
