#pragma once

#include <QRect>

// Window designs are measured in twips, 15 to a pixel at the usual 96 dots per inch.
namespace Twips {
constexpr int PerPixel = 15;
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((PerPixel / 2 - twips) / PerPixel);
}
constexpr float toPixelsF(int twips)
{
    return static_cast<float>(twips) / PerPixel;
}
// A control's place in a window design: left, top, width and height.
inline QRect toRect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}
} // namespace Twips
