#pragma once

#include <QIcon>

/// The program's icon, a crescent Moon: the SVG the desktop shows, compiled in,
/// or a drawn crescent where Qt's SVG plugins are missing.
QIcon appIcon();
