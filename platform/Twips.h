#pragma once

// Window designs are measured in twips, 15 to a pixel at the usual 96 dots per inch.
namespace Twips {
constexpr int perPixel = 15;
constexpr int toPixels(int twips)
{
    return (twips + perPixel / 2) / perPixel;
}
constexpr float toPixelsF(int twips)
{
    return static_cast<float>(twips) / perPixel;
}
} // namespace Twips
