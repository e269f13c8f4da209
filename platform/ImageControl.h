#pragma once

#include "platform/WindowlessControl.h"

#include <QImage>
#include <QPixmap>

// A picture, or with no picture an invisible area that only takes clicks.
// Without Stretch the control takes the size of its picture and keeps its
// top-left corner; with Stretch the picture fills the control.
class ImageControl final : public WindowlessControl
{
public:
    ImageControl(PictureBox& container, const QRect& geometry, bool stretch);

    void setPicture(const QImage& picture);
    // Only the top-left part of a picture of fullSize: the part that can ever
    // show. Without Stretch the control still takes the full size.
    void setPicture(const QImage& topLeftPart, const QSize& fullSize);
    bool hasPicture() const { return !m_picture.isNull(); }

    QRect geometry() const { return m_geometry; }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    QRect bounds() const override { return m_geometry; }
    void paint(QPainter& painter) const override;

private:
    QRect m_geometry;
    bool m_stretch;
    bool m_enabled = true;
    QPixmap m_picture;
};
