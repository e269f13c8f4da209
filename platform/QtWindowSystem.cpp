#include "platform/QtWindowSystem.h"

#include <QGuiApplication>
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

// Only the native windows are linked: as a child widget the window would be
// deleted with its owner and drawn inside it.
void QtWindowSystem::setOwner(QWidget& window, QWidget& owner)
{
    window.winId();
    owner.winId();
    window.windowHandle()->setTransientParent(owner.windowHandle());
}

// Window managers move a window for as long as the left button is held. Asked
// while another button is down, they would leave the window stuck to the
// pointer until the next left click, so such a request ends at once, as the
// move of a window whose left button is not down always has.
void QtWindowSystem::startMove(QWidget& window)
{
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return;
    if (QWindow* handle = window.windowHandle())
        handle->startSystemMove();
}
