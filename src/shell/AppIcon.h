#pragma once

#include <QIcon>

/// The program's icon: a crescent Moon.
QIcon appIcon();
