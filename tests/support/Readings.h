#pragma once

#include "birth/ExampleBirths.h"
#include "ephemeris/modEphemeris.h"

#include <QStringList>

class frmDisplay;

// The four reading texts in the order the display window's boxes hold them:
// sidereal without and with parallax, then tropical without and with parallax.

/// The four texts as the computation gives them for the birth data.
QStringList computedReading(const modEphemeris::BirthData& birth);

/// The worked example's four texts.
QStringList workedExampleReading();

/// The four texts the display window shows.
QStringList shownReading(const frmDisplay& display);

/// The one display window that is shown; nothing when none is, or more than one.
frmDisplay* shownDisplay();

/// Every loaded display window, shown or not.
QList<frmDisplay*> displayWindows();

/// Deletes every loaded display window outright: closing one would run the program's exit.
void deleteDisplayWindows();
