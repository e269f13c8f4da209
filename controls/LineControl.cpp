#include "controls/LineControl.h"

#include "controls/OleColor.h"
#include "controls/PictureBox.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

LineControl::LineControl(PictureBox& container, float x1, float y1, float x2, float y2, std::uint32_t borderColor,
                         int borderWidth)
    : WindowlessControl(container)
    , m_x1(x1)
    , m_y1(y1)
    , m_x2(x2)
    , m_y2(y2)
    , m_borderColor(borderColor)
    , m_borderWidth(borderWidth)
{
}

void LineControl::setStart(float x1, float y1)
{
    if (x1 == m_x1 && y1 == m_y1)
        return;
    const QRect before = bounds();
    m_x1 = x1;
    m_y1 = y1;
    changed(before);
}

void LineControl::setEnd(float x2, float y2)
{
    if (x2 == m_x2 && y2 == m_y2)
        return;
    const QRect before = bounds();
    m_x2 = x2;
    m_y2 = y2;
    changed(before);
}

bool LineControl::setBorderColor(std::uint32_t oleColor)
{
    if (!OleColor::isValid(oleColor))
        return false;
    if (oleColor != m_borderColor) {
        m_borderColor = oleColor;
        changed(bounds());
    }
    return true;
}

void LineControl::setBorderWidth(int width)
{
    width = std::max(width, 1);
    if (width == m_borderWidth)
        return;
    const QRect before = bounds();
    m_borderWidth = width;
    changed(before);
}

QRect LineControl::bounds() const
{
    // Round ends reach half the width past each end; one pixel more for the
    // antialiased edge.
    const int margin = m_borderWidth / 2 + 2;
    const int left = static_cast<int>(std::floor(std::min(m_x1, m_x2)));
    const int top = static_cast<int>(std::floor(std::min(m_y1, m_y2)));
    const int right = static_cast<int>(std::ceil(std::max(m_x1, m_x2)));
    const int bottom = static_cast<int>(std::ceil(std::max(m_y1, m_y2)));
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-margin, -margin, margin, margin);
}

void LineControl::paint(QPainter& painter) const
{
    painter.setPen(
        QPen(OleColor::toColor(m_borderColor, container().palette()), m_borderWidth, Qt::SolidLine, Qt::RoundCap));
    // Coordinates name pixels; a pixel's centre lies half a unit inside it.
    painter.drawLine(QPointF(m_x1 + 0.5, m_y1 + 0.5), QPointF(m_x2 + 0.5, m_y2 + 0.5));
}
