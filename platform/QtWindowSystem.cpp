#include "platform/QtWindowSystem.h"

#include <QWidget>
#include <QWindow>

void QtWindowSystem::setTopmost(QWidget& window, bool topmost)
{
    // QWidget::setWindowFlag on a shown window recreates it hidden; the native
    // window's own flag changes only _NET_WM_STATE_ABOVE.
    if (QWindow* handle = window.windowHandle(); handle && window.isVisible())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
    else
        window.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

void QtWindowSystem::startMove(QWidget& window)
{
    if (QWindow* handle = window.windowHandle())
        handle->startSystemMove();
}
