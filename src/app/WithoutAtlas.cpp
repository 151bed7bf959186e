// A build without the offline atlas: no place finder, and every moment comes from the
// zone fields.
#include "app/BirthClock.h"

BirthClock* attachPlaceClock(frmMain& /*entry*/)
{
    return nullptr;
}
