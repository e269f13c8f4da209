#include "controls/gifmod.h"

#include "controls/PictureBox.h"
#include "platform/WindowSystem.h"

#include <QImage>

std::vector<gifmod::RunRect> gifmod::scanRuns(const PixelGrid& grid)
{
    std::vector<RunRect> runs;
    if (grid.height < 1 || grid.width < 1)
        return runs;
    const std::uint32_t background = grid.pixels[0];
    for (int y = 0; y < grid.height; ++y) {
        const std::uint32_t* row = grid.pixels + static_cast<std::ptrdiff_t>(y) * grid.stride;
        bool inRun = false;
        int runStart = 0;
        for (int x = 0; x < grid.width; ++x) {
            if (row[x] != background) {
                if (!inRun) {
                    inRun = true;
                    runStart = x;
                }
            } else if (inRun) {
                inRun = false;
                runs.push_back({runStart, y, x, y + 1});
            }
        }
        if (inRun)
            runs.push_back({runStart, y, grid.width, y + 1});
    }
    return runs;
}

QRegion gifmod::regionFromImage(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull())
        return {};
    const auto runs = scanRuns({pixels.width(), pixels.height(),
                                reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                                static_cast<int>(pixels.bytesPerLine() / 4)});
    // The runs come top to bottom and left to right without overlap, which is
    // exactly the banded order a region is built from in one pass.
    std::vector<QRect> rects;
    rects.reserve(runs.size());
    for (const RunRect& run : runs)
        rects.emplace_back(QPoint(run.left, run.top), QPoint(run.right - 1, run.bottom - 1));
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion gifmod::CreateRegionFromPicture(const PictureBox& box)
{
    return regionFromImage(box.drawnImage());
}

void gifmod::fitWindowToPicture(QWidget& window, PictureBox& box, WindowSystem& windows)
{
    box.setAutoSize(true);
    // Of one size only: tiling window managers float such a window rather than
    // stretch it to a tile, and on a screen of 1.5 device pixels to one Qt
    // would otherwise ask for sizes in steps of 2 device pixels, and a window
    // manager that keeps to them would cut a pixel off the picture's odd width.
    window.setFixedSize(box.size());
    const QRegion outline = CreateRegionFromPicture(box);
    // A window's own mask is in logical pixels: on a scaled screen it would
    // cut the window in steps of whole logical pixels.
    if (!qFuzzyCompare(box.drawnImage().devicePixelRatio(), 1.0))
        windows.setShape(window, outline);
    else if (outline.isEmpty())
        window.clearMask();
    else
        window.setMask(outline);
}
