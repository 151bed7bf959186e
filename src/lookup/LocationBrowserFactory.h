#pragma once

#include "lookup/LocationQuery.h"

#include <QtPlugin>

class QUrl;
class QWidget;

/// What the browser component offers the program: fresh lookup windows.
class LocationBrowserFactory
{
public:
    virtual ~LocationBrowserFactory() = default;

    /// Creates and loads a lookup window: shown, not modal, deleted when closed.
    /// The search form is submitted to searchAction.
    virtual QWidget* create(const LocationQuery& query, const QUrl& searchAction) = 0;
};

#define LocationBrowserFactory_iid "org.selenoscope.LocationBrowserFactory/1"
Q_DECLARE_INTERFACE(LocationBrowserFactory, LocationBrowserFactory_iid)
