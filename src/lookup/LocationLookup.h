#pragma once

#include "lookup/LocationQuery.h"

#include <QStringList>
#include <QUrl>

/// Sets up what the browser engine needs before the application object exists:
/// no sandbox when running as root (Chromium refuses to start otherwise and
/// takes the whole process down).
void PrepareLocationBrowser();

/// Unloads the lookup browser if it is open and opens a fresh one, not modal,
/// searching for the place of the query. The browser is a component loaded on
/// first use; if it cannot be loaded, a message box says so and nothing else changes.
void OpenLocationBrowser(const LocationQuery& query);

/// Where the lookup finds its browser component and where its search goes.
struct LocationBrowserSetup
{
    /// Component files tried in order until one loads.
    QStringList pluginFiles;
    /// The address the search form is submitted to.
    QUrl searchAction;
};

/// The setup as built and installed; tests point it at their own server or component.
LocationBrowserSetup& locationBrowserSetup();
