#pragma once

#include <QColor>
#include <QPalette>

// The reading windows' colours: dark teal surfaces, cyan writing, pale cyan boxes.
inline const QColor kDarkTeal(0x00, 0x4d, 0x4d);
inline const QColor kTeal(0x00, 0x73, 0x73);
inline const QColor kCyan(0x00, 0xff, 0xff);
inline const QColor kPaleCyan(0xe0, 0xff, 0xff);
// A mark that asks for care: yellow on the dark surfaces, dark amber on the pale boxes.
inline const QColor kMarkOnDark(0xff, 0xd7, 0x00);
inline const QColor kMarkOnPale(0x8a, 0x4b, 0x00);

/// The palette with the reading windows' colours in place of the style's.
QPalette readingPalette(QPalette colours);
