#include "controls/ImageControl.h"

#include "controls/Design.h"
#include "controls/PictureBox.h"

#include <QPainter>

ImageControl::ImageControl(PictureBox& container, const QRect& geometry, bool stretch)
    : WindowlessControl(container)
    , m_geometry(geometry)
    , m_stretch(stretch)
{
}

void ImageControl::setPicture(const QImage& picture)
{
    setPicture(picture, Design::logicalSize(picture));
}

void ImageControl::setPicture(const QImage& topLeftPart, const QSize& fullSize)
{
    const QRect before = bounds();
    if (!m_stretch)
        m_geometry.setSize(fullSize);
    // Scaled once here rather than at every repaint under the moving hands.
    m_picture = QPixmap::fromImage(Design::atRatio(topLeftPart, container().devicePixelRatioF()));
    changed(before);
}

void ImageControl::paint(QPainter& painter) const
{
    if (m_picture.isNull())
        return;
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(m_geometry, m_picture);
    } else
        painter.drawPixmap(m_geometry.topLeft(), m_picture);
}

bool ImageControl::takesMouseAt(const QPoint& point) const
{
    return Visible() && m_enabled && m_geometry.contains(point);
}

void ImageControl::mousePressed(int button)
{
    if (m_mouseDown)
        m_mouseDown(button);
}

void ImageControl::clicked()
{
    if (m_click)
        m_click();
}
