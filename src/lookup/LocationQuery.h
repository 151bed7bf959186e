#pragma once

#include <QString>

/// What the lookup browser reads from the entry window when it loads.
struct LocationQuery
{
    bool bMaleSearch = false;
    QString city;
    QString state;
    QString country;
};
