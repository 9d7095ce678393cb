#pragma once

#include <QRect>
#include <QSize>

namespace tallino {

// Every place and size on the windows is given in twips; 15 of them make one logical pixel.
inline constexpr double twipsPerPixel = 15.0;

constexpr int twipsToPixels(int twips)
{
    return static_cast<int>(twips / twipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}

constexpr QSize twipsSize(int width, int height)
{
    return { twipsToPixels(width), twipsToPixels(height) };
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return { twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height) };
}

} // namespace tallino
