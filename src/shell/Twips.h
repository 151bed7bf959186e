#pragma once

#include <QRect>
#include <cmath>

// Window layouts are drawn in twips (1/1440 inch). At 96 dpi a logical pixel is
// 15 twips; Qt scales logical pixels on high-density screens.
inline constexpr int kTwipsPerPixel = 15;

/// Twips to logical pixels, rounded to the nearest pixel.
inline int twips(int value)
{
    return static_cast<int>(std::lround(static_cast<double>(value) / kTwipsPerPixel));
}

/// A rectangle given in twips (left, top, width, height) as logical pixels.
inline QRect tw(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}
