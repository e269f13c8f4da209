#include "controls/WindowlessControl.h"

#include "controls/PictureBox.h"

#include <QRegion>

WindowlessControl::WindowlessControl(PictureBox& container)
    : m_container(container)
{
    m_container.addControl(*this);
}

WindowlessControl::~WindowlessControl()
{
    m_container.removeControl(*this);
}

void WindowlessControl::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    m_container.update(bounds());
}

void WindowlessControl::changed(const QRect& before)
{
    // Two small areas, not the rectangle around both: a moving hand sweeps
    // little of the box between them.
    if (m_visible)
        m_container.update(QRegion(before) + bounds());
}
