#include "LocationLookup.h"

// Provisional: the embedded browser is being built; until then the lookup
// command ends once it has set its flag.
void OpenLocationBrowser(const LocationQuery& /*query*/) {}
