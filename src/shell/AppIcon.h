#pragma once

#include <QIcon>
#include <QPixmap>

/// The program's icon, a crescent Moon: the SVG the desktop shows, drawn while
/// building at the sizes a window manager takes and compiled in.
QIcon appIcon();

/// The icon at one size, as drawn from the SVG where it was drawn at that size
/// while building (48, for the about box), else scaled from the nearest size.
QPixmap appIconPixmap(int size);
