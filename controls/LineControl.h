#pragma once

#include "controls/WindowlessControl.h"

#include <cstdint>

// A straight line from (X1, Y1) to (X2, Y2) with round ends, in the container's
// pixels. It repaints only when something it shows actually changes.
class LineControl final : public WindowlessControl
{
public:
    LineControl(PictureBox& container, float x1, float y1, float x2, float y2, std::uint32_t borderColor,
                int borderWidth);

    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }
    float X2() const { return m_x2; }
    float Y2() const { return m_y2; }
    void setStart(float x1, float y1);
    void setEnd(float x2, float y2);

    std::uint32_t BorderColor() const { return m_borderColor; }
    // An invalid colour number is refused and the line keeps its colour.
    bool setBorderColor(std::uint32_t oleColor);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

    QRect bounds() const override;
    void paint(QPainter& painter) const override;

private:
    float m_x1;
    float m_y1;
    float m_x2;
    float m_y2;
    std::uint32_t m_borderColor;
    int m_borderWidth;
};
