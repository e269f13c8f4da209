#pragma once

#include <QRegion>

#include <cstdint>
#include <vector>

class PictureBox;
class QWidget;
class WindowSystem;

// Cuts a window to the outline of its picture.
class gifmod final
{
public:
    // Left, top, right, bottom; right and bottom exclusive.
    struct RunRect
    {
        int left;
        int top;
        int right;
        int bottom;
        bool operator==(const RunRect& other) const
        {
            return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
        }
    };

    // A picture as rows of 32-bit colours; stride counts colours, not bytes.
    struct PixelGrid
    {
        int width;
        int height;
        const std::uint32_t* pixels;
        int stride;
    };

    // One one-pixel-high rectangle per horizontal run of pixels whose colour
    // differs from the top-left pixel's, row by row from the top, left to
    // right within a row. A run still open at the end of a row ends at the
    // right edge. Empty when every pixel has the top-left colour.
    static std::vector<RunRect> scanRuns(const PixelGrid& grid);

    // The region of the box's picture as drawn, in the picture's own pixels;
    // empty (no region) when the picture has no pixel that differs from its
    // top-left pixel.
    static QRegion CreateRegionFromPicture(const PictureBox& box);
    static QRegion regionFromImage(const QImage& image);

    // Fixes the window at the size of its picture box, the box at its picture's, and cuts
    // the window to the picture's outline; a picture without one leaves the
    // window a plain rectangle. The outline of a picture for a scaled screen
    // follows its device pixels.
    static void fitWindowToPicture(QWidget& window, PictureBox& box, WindowSystem& windows);
};
