// Exports the clocks of every zone the atlas's index names, over the years the web
// page offers and more, from the system's tzdata into the page's zone table:
//   export_zones PLACES_ATLAS OUTPUT
#include "atlas/PlaceIndex.h"
#include "atlas/ZoneTable.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

int fail(const std::string& message)
{
    std::cerr << "export_zones: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: export_zones PLACES_ATLAS OUTPUT\n";
        return 2;
    }
    const atlas::IndexLoad load = atlas::PlaceIndex::load(argv[1]);
    if (!load.index)
        return fail(load.error);
    std::vector<std::string> zoneIds;
    for (const atlas::format::ZoneRecord& zone : load.index->sections().zones)
        zoneIds.emplace_back(load.index->text(zone.id));

    std::string error;
    const std::vector<unsigned char> table =
        atlas::writeZoneTable(zoneIds, atlas::kExportedYears, atlas::findZone, error);
    if (table.empty())
        return fail(error);
    // Read back what was written: the page must be able to use it.
    atlas::ZoneTable::read(table, error);
    if (!error.empty())
        return fail("the table written does not read back: " + error);

    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(table.data()),
              static_cast<std::streamsize>(table.size()));
    out.close();
    if (!out)
        return fail(std::string("cannot write ") + argv[2]);
    std::cout << "export_zones: " << zoneIds.size() << " zones, " << table.size() << " bytes\n";
    return 0;
}
