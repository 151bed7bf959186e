#pragma once

#include <cstdint>

class QWidget;

/// Seeds the program's random-number generator from the system clock.
void SeedRandomFromClock();
/// Seeds it with a fixed value, for repeatable runs.
void SeedRandom(std::uint32_t seed);
/// The next draw, 0 <= r < 1, in single precision.
float NextRandomSingle();

/// The whole number 1 to 7 that a draw r chooses: r * 6 + 1 in single
/// precision, rounded to the nearest whole number with halves to the even one.
int CoBrandNumber(float r);

/// Draws once and brings one of the two promotional labels to the front:
/// 2, 4, 6 the full-branding offer; 1, 3, 5 the co-branding offer; 7 leaves
/// the stacking as it is. Stores the number drawn.
void CoBrand_Randomize(int& intCoBrandRandomNumber, QWidget& lblCobrand, QWidget& lblFullBrand);
