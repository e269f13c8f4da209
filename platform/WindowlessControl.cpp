#include "platform/WindowlessControl.h"

#include "platform/PictureBox.h"

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
    if (m_visible)
        m_container.update(before.united(bounds()));
}
