// Which promotional offer stands in front: one draw of the program's random numbers, made
// once at start-up. Plain C++20, no Qt: the entry window and the web page draw alike.
#pragma once

#include <cstdint>

/// Seeds the program's random-number generator from the system clock.
void SeedRandomFromClock();
/// Seeds it with a fixed value, for repeatable runs.
void SeedRandom(std::uint32_t seed);
/// The next draw, 0 <= r < 1, in single precision.
float NextRandomSingle();

/// The whole number 1 to 7 that a draw r chooses: r * 6 + 1 in single
/// precision, rounded to the nearest whole number with halves to the even one.
int CoBrandNumber(float r);

/// Which offer a number brings to the front.
enum class FrontOffer {
    FullBrand, // 2, 4, 6
    CoBrand,   // 1, 3, 5
    AsLaidOut, // 7: the stacking stands, the co-branding offer in front
};

FrontOffer FrontOfferFor(int coBrandNumber);
