// The zones' histories from the table shipped with the web page: the clock of the
// page, which has no tzdata of its own.
#include "atlas/ZoneTable.h"

#include <mutex>

namespace atlas {
namespace {

// The page installs the table once it has fetched it; until then no zone is known.
struct InstalledTable
{
    std::mutex mutex;
    std::shared_ptr<const ZoneTable> table;
};

InstalledTable& installed()
{
    static InstalledTable installed;
    return installed;
}

} // namespace

void useZoneTable(ZoneTable table)
{
    auto shared = std::make_shared<const ZoneTable>(std::move(table));
    const std::lock_guard lock(installed().mutex);
    installed().table = std::move(shared);
}

std::shared_ptr<const ZoneHistory> findZone(const std::string& zoneId)
{
    std::shared_ptr<const ZoneTable> table;
    {
        const std::lock_guard lock(installed().mutex);
        table = installed().table;
    }
    return table ? table->find(zoneId) : nullptr;
}

} // namespace atlas
