#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window opens beside the window it belongs to: right of the owner
// where the work area has room, else left of it, else below, else above; the
// top or left edges in line with the owner's as far as the work area allows.
// The window always lies whole inside the work area; it covers the owner only
// when no side has room.
class WindowPlacement final
{
public:
    // The top-left corner of a window of this outer size (frame included).
    static QPoint beside(const QRect& owner, const QSize& window, const QRect& workArea);
};
