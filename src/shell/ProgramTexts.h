#pragma once

#include <QString>

/// The first sentences of the program's own description, shown by the entry
/// window and the about box.
inline const QString kProgramDescription = QStringLiteral(
    "Selenoscope displays the position of the moon as viewed from different lines of sight. "
    "\"Parallax\" means Greek for Alteration.");

inline const QString kAlgorithmNote =
    QStringLiteral("This calculation is based on both Tropical as well as Sidereal Astrology.");
