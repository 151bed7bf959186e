#include "shell/CoBrandRule.h"

#include <chrono>
#include <cmath>
#include <random>

namespace {
std::mt19937& generator()
{
    static std::mt19937 engine;
    return engine;
}
} // namespace

void SeedRandomFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    SeedRandom(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

void SeedRandom(std::uint32_t seed)
{
    generator().seed(seed);
}

float NextRandomSingle()
{
    // 24 random bits fill a float's mantissa exactly, so the draw never reaches 1.
    return static_cast<float>(generator()() >> 8) * 0x1p-24F;
}

int CoBrandNumber(float r)
{
    const float scaled = r * 6.0F + 1.0F;
    return static_cast<int>(std::nearbyint(scaled)); // default rounding: halves to even
}

FrontOffer FrontOfferFor(int coBrandNumber)
{
    switch (coBrandNumber) {
    case 2:
    case 4:
    case 6:
        return FrontOffer::FullBrand;
    case 1:
    case 3:
    case 5:
        return FrontOffer::CoBrand;
    default:
        return FrontOffer::AsLaidOut;
    }
}
