#pragma once

#include <QImage>
#include <QRect>

class QLabel;
class QWidget;

// Controls and pictures as the window designs give them.
namespace Design {

// A control at its designed place.
template <class Control>
Control* place(Control* control, const QRect& geometry)
{
    control->setGeometry(geometry);
    return control;
}

// A caption as the form runtime draws one: plain text from the top-left corner.
QLabel* label(const char* caption, QWidget* parent, const QRect& geometry);

// Puts the window in the middle of the primary screen's work area: the window
// manager cannot be relied on to centre a new window.
void centreOnScreen(QWidget& window);

// One of the pictures built into the program, by file name. It is read as the
// format its name says: guessing would load and ask every image plugin.
QImage picture(const char* name);

} // namespace Design
