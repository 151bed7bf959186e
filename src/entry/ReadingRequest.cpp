#include "ReadingRequest.h"

#include "frmMain.h"

// Provisional: the display window is being built; until then a request stops
// after the checks.
void RequestReading(frmMain& entry)
{
    if (!entry.ValidateBirthData())
        return;
}
