#pragma once

#include <QRect>

// Window designs are measured in twips, 15 to a pixel at the usual 96 dots per inch.
namespace Twips {
constexpr int perPixel = 15;
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((perPixel / 2 - twips) / perPixel);
}
constexpr float toPixelsF(int twips)
{
    return static_cast<float>(twips) / perPixel;
}
// A control's place in a window design: left, top, width and height.
inline QRect toRect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}
} // namespace Twips
