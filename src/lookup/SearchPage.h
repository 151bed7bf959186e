#pragma once

#include "lookup/LocationQuery.h"

#include <QString>
#include <QUrl>

/// The query the lookup submits: "Latitude Longitude " and, for a place
/// search, the city, state and country exactly as typed, one space apart.
QString LocationSearchText(const LocationQuery& query);

/// The engine's home page: the root of the site the search goes to.
QUrl SearchEngineHome(const QUrl& searchAction);

/// The search page written into the blank start page: the engine's custom-search
/// form with its query box, button and hidden fields.
QString SearchPageHtml(const QUrl& searchAction, const QString& client);

/// Script that writes the page into the blank document, fills its query box
/// with searchText and presses its button. Both texts go in as string
/// literals, so nothing in them is ever read as markup or code.
QString SubmitSearchScript(const QString& pageHtml, const QString& searchText);
