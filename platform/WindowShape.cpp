#include "platform/WindowShape.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTransform>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

namespace {

xcb_connection_t* x11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace

WindowShape::WindowShape(QWidget& window)
    : QObject(&window)
    , m_window(window)
{
    window.installEventFilter(this);
}

void WindowShape::set(QWidget& window, const QRegion& outline)
{
    auto* shape = window.findChild<WindowShape*>(QString(), Qt::FindDirectChildrenOnly);
    if (!shape)
        shape = new WindowShape(window);
    shape->m_outline = outline;
    window.clearMask();
    if (window.internalWinId())
        shape->apply();
}

// Qt gives a widget a native window when it is first shown, and a new one if
// it ever has to make it again.
bool WindowShape::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::WinIdChange && m_window.internalWinId())
        apply();
    return false;
}

void WindowShape::apply()
{
    xcb_connection_t* const connection = x11Connection();
    const xcb_query_extension_reply_t* const shapes = connection ? xcb_get_extension_data(connection, &xcb_shape_id)
                                                                 : nullptr;
    if (!shapes || !shapes->present) {
        // Elsewhere the window is cut as closely as logical pixels allow.
        const qreal ratio = m_window.devicePixelRatioF();
        m_window.setMask(QTransform::fromScale(1 / ratio, 1 / ratio).map(m_outline));
        return;
    }
    const auto window = static_cast<xcb_window_t>(m_window.internalWinId());
    if (m_outline.isEmpty()) {
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, window, 0, 0, XCB_NONE);
    } else {
        std::vector<xcb_rectangle_t> rectangles;
        rectangles.reserve(static_cast<std::size_t>(m_outline.rectCount()));
        for (const QRect& rect : m_outline)
            rectangles.push_back({static_cast<std::int16_t>(rect.x()), static_cast<std::int16_t>(rect.y()),
                                  static_cast<std::uint16_t>(rect.width()), static_cast<std::uint16_t>(rect.height())});
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, XCB_CLIP_ORDERING_UNSORTED, window, 0,
                             0, static_cast<std::uint32_t>(rectangles.size()), rectangles.data());
    }
    xcb_flush(connection);
}
