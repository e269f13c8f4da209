#pragma once

#include "controls/WindowlessControl.h"

#include <QImage>
#include <QPixmap>

#include <functional>

// A picture, or with no picture an invisible area that only takes clicks.
// Without Stretch the control takes the size of its picture and keeps its
// top-left corner; with Stretch the picture fills the control.
class ImageControl final : public WindowlessControl
{
public:
    ImageControl(PictureBox& container, const QRect& geometry, bool stretch);

    // Shown at the picture's logical size, in the screen's device pixels.
    void setPicture(const QImage& picture);
    // Only the top-left part of a picture of fullSize (logical pixels): the
    // part that can ever show. Without Stretch the control still takes the
    // full size.
    void setPicture(const QImage& topLeftPart, const QSize& fullSize);
    bool hasPicture() const { return !m_picture.isNull(); }

    QRect geometry() const { return m_geometry; }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    QRect bounds() const override { return m_geometry; }
    void paint(QPainter& painter) const override;

    // A visible, enabled image takes the presses and clicks on it, with or
    // without a picture: an image without one is an invisible click area.
    void onMouseDown(std::function<void(int button)> handler) { m_mouseDown = std::move(handler); }
    void onClick(std::function<void()> handler) { m_click = std::move(handler); }
    bool takesMouseAt(const QPoint& point) const override;
    void mousePressed(int button) override;
    void clicked() override;

private:
    QRect m_geometry;
    bool m_stretch;
    bool m_enabled = true;
    QPixmap m_picture;
    std::function<void(int)> m_mouseDown;
    std::function<void()> m_click;
};
