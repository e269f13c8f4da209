#include "platform/WindowPlacement.h"

#include <algorithm>

namespace {

// The start of a span of this length inside [low, high], as near to wanted as fits.
int within(int wanted, int length, int low, int high)
{
    return std::max(low, std::min(wanted, high - length + 1));
}

} // namespace

QPoint WindowPlacement::beside(const QRect& owner, const QSize& window, const QRect& workArea)
{
    const int alongX = within(owner.left(), window.width(), workArea.left(), workArea.right());
    const int alongY = within(owner.top(), window.height(), workArea.top(), workArea.bottom());
    const QPoint candidates[] = {
        {owner.right() + 1, alongY},
        {owner.left() - window.width(), alongY},
        {alongX, owner.bottom() + 1},
        {alongX, owner.top() - window.height()},
    };
    for (const QPoint& place : candidates) {
        if (workArea.contains(QRect(place, window)))
            return place;
    }
    return {within(owner.right() + 1, window.width(), workArea.left(), workArea.right()), alongY};
}
