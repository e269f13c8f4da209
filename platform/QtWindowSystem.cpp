#include "platform/QtWindowSystem.h"

#include "platform/WindowPlacement.h"
#include "platform/WindowShape.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

namespace {

xcb_connection_t* x11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, false, static_cast<std::uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Whether the left button is down at this moment. The events handled so far
// may be older than that: a program kept busy handles a drag's press and
// motion when the button has long come up again.
bool leftButtonDownNow()
{
    xcb_connection_t* const connection = x11Connection();
    if (!connection)
        return QGuiApplication::mouseButtons() & Qt::LeftButton;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> pointer(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr), &std::free);
    return pointer && (pointer->mask & XCB_BUTTON_MASK_1);
}

// The frame the window manager has put around the window, as it states it;
// nothing while it has not framed the window yet. Qt's own figure is a guess
// until then, taken from whatever the window sits in at that moment.
std::optional<QMargins> frameOf(QWindow& window)
{
    xcb_connection_t* const connection = x11Connection();
    if (!connection) {
        const QMargins frame = window.frameMargins();
        return frame.isNull() ? std::nullopt : std::optional<QMargins>(frame);
    }
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> extents(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, false, static_cast<xcb_window_t>(window.winId()),
                                                atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
                               nullptr),
        &std::free);
    if (!extents || extents->format != 32 || xcb_get_property_value_length(extents.get()) != 16)
        return std::nullopt;
    const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(extents.get()));
    const qreal ratio = window.devicePixelRatio();
    return QMargins(qRound(sides[0] / ratio), qRound(sides[2] / ratio), qRound(sides[1] / ratio),
                    qRound(sides[3] / ratio));
}

// Has the window manager move the window with the pointer as from the spot
// where it was pressed, so that the spot stays under the pointer. Qt's own
// request starts from where the pointer is when it is made, which is already
// past the first motion.
void moveFrom(QWindow& window, const QPoint& pressedAt)
{
    xcb_connection_t* const connection = x11Connection();
    if (!connection) {
        window.startSystemMove();
        return;
    }
    const QPoint at = pressedAt * window.devicePixelRatio();
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = static_cast<xcb_window_t>(window.winId());
    request.type = atom(connection, "_NET_WM_MOVERESIZE");
    request.data.data32[0] = static_cast<std::uint32_t>(at.x());
    request.data.data32[1] = static_cast<std::uint32_t>(at.y());
    request.data.data32[2] = 8; // move
    request.data.data32[3] = XCB_BUTTON_INDEX_1;
    request.data.data32[4] = 1; // asked by an application
    // The press gave the program the pointer; the window manager needs it.
    xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    xcb_send_event(connection, false, xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

} // namespace

// What a window placed or about to be moved does next comes to the program's
// windows as events: the press a move is asked for in, the pointer's first
// motion, the frame the window manager puts around a new window.
QtWindowSystem::QtWindowSystem()
{
    qGuiApp->installEventFilter(this);
}

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

// A window given its place before it is shown keeps it, where the window
// manager would put it over the middle of its owner. The frame the window
// manager adds is known only once it has framed the window, so the window is
// placed with the frame the last one had, and once more when its own frame
// turns out to be another.
void QtWindowSystem::placeBeside(QWidget& window, QWidget& owner)
{
    window.winId();
    m_placed = window.windowHandle();
    m_placedWidget = &window;
    m_placedOwner = &owner;
    place(window, owner);
}

void QtWindowSystem::place(QWidget& window, const QWidget& owner)
{
    const QScreen* screen = owner.screen();
    if (!screen)
        return;
    const QPoint frameAt = WindowPlacement::beside(owner.frameGeometry(), window.size().grownBy(m_frame),
                                                   screen->availableGeometry());
    const QPoint inside = frameAt + QPoint(m_frame.left(), m_frame.top());
    // A widget's position is its frame's as far as Qt knows the frame, which
    // is a guess while the window manager frames it: a shown window is moved
    // by its inside, as the window system has it.
    if (window.isVisible())
        window.windowHandle()->setPosition(inside);
    else
        window.move(inside);
}

void QtWindowSystem::framed(QEvent::Type type)
{
    if (type == QEvent::Hide) {
        m_placed = nullptr;
        return;
    }
    if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::Expose)
        return;
    const std::optional<QMargins> frame = frameOf(*m_placed);
    if (!frame)
        return;
    m_placed = nullptr;
    if (*frame == m_frame || !m_placedWidget || !m_placedOwner)
        return;
    m_frame = *frame;
    place(*m_placedWidget, *m_placedOwner);
}

// Window managers move a window for as long as the left button is held. Asked
// while another button is down, they would leave the window stuck to the
// pointer until the next left click, so such a request ends at once, as the
// move of a window whose left button is not down always has.
//
// A request made at the press reaches the window manager only after the
// program has handled it, and a quick click has been released by then: the
// window manager would take the pointer with no button held and move the
// window with it until the next click. So the move is handed over at the
// pointer's first motion, only while the button is still down, and a release
// before any motion ends the request.
void QtWindowSystem::startMove(QWidget& window)
{
    m_pendingMove = nullptr;
    if (QGuiApplication::mouseButtons() & Qt::LeftButton)
        m_pendingMove = window.windowHandle();
}

void QtWindowSystem::setShape(QWidget& window, const QRegion& outline)
{
    WindowShape::set(window, outline);
}

void QtWindowSystem::pointerMoved(QEvent* event)
{
    QWindow* const window = std::exchange(m_pendingMove, nullptr);
    if (event->type() == QEvent::MouseMove && (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)
        && leftButtonDownNow())
        moveFrom(*window, m_pressedAt);
}

bool QtWindowSystem::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWindowType())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressedAt = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::Hide:
        if (watched == m_pendingMove)
            pointerMoved(event);
        break;
    default:
        break;
    }
    if (m_placed && watched == m_placed)
        framed(event->type());
    return false;
}
