#pragma once

#include <QRect>

class PictureBox;
class QPainter;

// A control without a window of its own (an image, a line), painted by the
// picture box that contains it. Controls stack in the order they are created:
// the first one lies at the bottom.
class WindowlessControl
{
public:
    explicit WindowlessControl(PictureBox& container);
    virtual ~WindowlessControl();
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;

    bool Visible() const { return m_visible; }
    void setVisible(bool visible);

    // The area of the container this control paints, in the container's pixels.
    virtual QRect bounds() const = 0;
    virtual void paint(QPainter& painter) const = 0;

    // Whether a press at this point of the container belongs to the control;
    // a control that takes none lets it through to what lies below.
    virtual bool takesMouseAt(const QPoint&) const { return false; }
    virtual void mousePressed(int /*button*/) {}
    virtual void clicked() {}

protected:
    PictureBox& container() const { return m_container; }
    // Repaints what the control covered before a change and what it covers after.
    void changed(const QRect& before);

private:
    PictureBox& m_container;
    bool m_visible = true;
};
