#pragma once

#include "display/frmDisplay.h"
#include "ephemeris/modEphemeris.h"

#include <QLineEdit>
#include <QStringList>

// The four reading texts in the order the display window's boxes hold them:
// sidereal without and with parallax, then tropical without and with parallax.
// Header-only: only the tests that link the windows include it.

/// The four texts as the computation gives them for the birth data.
inline QStringList computedReading(const modEphemeris::BirthData& birth)
{
    const modEphemeris::MoonReading sidereal = modEphemeris::ComputeMoonReading(birth, false);
    const modEphemeris::MoonReading tropical = modEphemeris::ComputeMoonReading(birth, true);
    return {QString::fromStdString(sidereal.GeocentricText),
            QString::fromStdString(sidereal.TopocentricText),
            QString::fromStdString(tropical.GeocentricText),
            QString::fromStdString(tropical.TopocentricText)};
}

/// The four texts the display window shows.
inline QStringList shownReading(const frmDisplay& display)
{
    return {display.txtSiderealNonParallax->text(), display.txtSiderealParallax->text(),
            display.txtWesternNonParallax->text(), display.txtWesternParallax->text()};
}
