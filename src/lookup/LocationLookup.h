#pragma once

#include <QString>

class QWidget;

/// What the lookup browser reads from the entry window when it loads.
struct LocationQuery
{
    bool bMaleSearch = false;
    QString city;
    QString state;
    QString country;
};

/// Unloads the lookup browser if it is open and opens a fresh one, not modal,
/// searching for the place of the query.
void OpenLocationBrowser(const LocationQuery& query);
