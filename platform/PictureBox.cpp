#include "platform/PictureBox.h"

#include "platform/OleColor.h"
#include "platform/WindowlessControl.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

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
        resize(m_picture.size());
    redraw();
}

void PictureBox::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.size());
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
        painter.drawImage(0, 0, m_picture);
    }
    m_drawnPixmap = QPixmap::fromImage(m_drawn);
    update();
}

void PictureBox::addControl(WindowlessControl& control)
{
    m_controls.push_back(&control);
}

void PictureBox::removeControl(WindowlessControl& control)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), &control), m_controls.end());
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_drawnPixmap.rect().contains(rect()))
        painter.fillRect(rect(), backColor());
    painter.drawPixmap(0, 0, m_drawnPixmap);
    for (const WindowlessControl* control : m_controls) {
        if (control->Visible() && event->region().intersects(control->bounds()))
            control->paint(painter);
    }
}
