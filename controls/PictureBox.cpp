#include "controls/PictureBox.h"

#include "controls/Design.h"
#include "controls/OleColor.h"
#include "controls/WindowlessControl.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    redraw();
}

void PictureBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resize(Design::logicalSize(m_picture));
    redraw();
}

void PictureBox::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize && !m_picture.isNull())
        resize(Design::logicalSize(m_picture));
}

// Like any picture box, the desktop's button face where the picture is
// transparent.
QColor PictureBox::backColor() const
{
    return OleColor::toColor(OleColor::ButtonFace, palette());
}

void PictureBox::redraw()
{
    const QSize size = m_picture.isNull() ? QSize(1, 1) : m_picture.size();
    m_drawn = QImage(size, QImage::Format_RGB32);
    m_drawn.fill(backColor());
    if (!m_picture.isNull()) {
        QPainter painter(&m_drawn);
        // From premultiplied ARGB the painter blends in one go; from a palette
        // picture it would start a thread pool to split the work, whose threads
        // and their heaps then stay with the program for good.
        QImage blended = m_picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        // Pixel for pixel, whatever screen the picture was drawn for.
        blended.setDevicePixelRatio(1);
        painter.drawImage(0, 0, blended);
    }
    m_drawn.setDevicePixelRatio(m_picture.devicePixelRatio());
    m_drawnPixmap = QPixmap::fromImage(m_drawn);
    m_inside = QImage();
    update();
}

void PictureBox::addControl(WindowlessControl& control)
{
    m_controls.push_back(&control);
}

void PictureBox::removeControl(WindowlessControl& control)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), &control), m_controls.end());
    if (m_pressTarget == &control)
        m_pressTarget = nullptr;
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!QRect(QPoint(0, 0), m_drawnPixmap.deviceIndependentSize().toSize()).contains(rect()))
        painter.fillRect(rect(), backColor());
    painter.drawPixmap(0, 0, m_drawnPixmap);
    for (const WindowlessControl* control : m_controls) {
        if (control->Visible() && event->region().intersects(control->bounds()))
            control->paint(painter);
    }
    // A window cut in the screen's own pixels has no mask of its own to clip
    // its painting, and some compositors draw a window's whole rectangle
    // whatever its shape: a see-through window is cleared again outside the
    // outline, a face that overhangs the body included.
    if (window()->testAttribute(Qt::WA_TranslucentBackground) && window()->mask().isEmpty())
        clearOutsideOutline(painter);
}

// The outline as the window's shape is cut: every pixel that differs from the
// top-left one.
void PictureBox::clearOutsideOutline(QPainter& painter)
{
    if (m_inside.isNull()) {
        m_inside = QImage(m_drawn.size(), QImage::Format_ARGB32_Premultiplied);
        const QRgb background = m_drawn.pixel(0, 0);
        for (int y = 0; y < m_drawn.height(); ++y) {
            const auto* drawn = reinterpret_cast<const QRgb*>(m_drawn.constScanLine(y));
            auto* inside = reinterpret_cast<QRgb*>(m_inside.scanLine(y));
            for (int x = 0; x < m_drawn.width(); ++x)
                inside[x] = drawn[x] == background ? 0 : 0xFF000000U;
        }
        m_inside.setDevicePixelRatio(m_drawn.devicePixelRatio());
    }
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, m_inside);
}

// The window system already keeps presses outside a shaped window's outline
// from reaching it; this keeps the same rule where there is no such system.
bool PictureBox::insideWindowOutline(const QPoint& point) const
{
    const QRegion outline = window()->mask();
    return outline.isEmpty() || outline.contains(mapTo(window(), point));
}

// The topmost control that takes the press, as the controls stack.
WindowlessControl* PictureBox::controlAt(const QPoint& point) const
{
    for (auto control = m_controls.rbegin(); control != m_controls.rend(); ++control) {
        if ((*control)->takesMouseAt(point))
            return *control;
    }
    return nullptr;
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (!insideWindowOutline(point)) {
        event->ignore();
        return;
    }
    // A second button while one is held belongs to the first press. A release
    // lost to a window-manager move must not leave the box deaf, so a press of
    // one button alone always starts afresh.
    if ((event->buttons() & ~event->button()) != Qt::NoButton)
        return;
    m_pressed = true;
    m_pressButton = event->button();
    m_pressTarget = controlAt(point);
    const int button = static_cast<int>(event->button());
    if (m_pressTarget)
        m_pressTarget->mousePressed(button);
    else
        emit MouseDown(button, point);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed && !m_pressTarget)
        emit MouseMove(static_cast<int>(event->buttons()), event->position().toPoint());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_pressed || event->buttons() != Qt::NoButton)
        return;
    m_pressed = false;
    const QPoint point = event->position().toPoint();
    WindowlessControl* const target = std::exchange(m_pressTarget, nullptr);
    // A click is the left or the right button's; the middle one only presses.
    const bool clicks = m_pressButton == Qt::LeftButton || m_pressButton == Qt::RightButton;
    if (!target)
        emit MouseUp(static_cast<int>(event->button()), point);
    else if (clicks && target == controlAt(point))
        target->clicked();
}
