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

// A picture built into the program for a screen of `ratio` device pixels per
// logical pixel: the one drawn for that ratio (name@1.5x.gif, name@2x.gif),
// or else the one drawn for the nearest larger ratio, or the largest, scaled
// to it. Its logical size is that of the 1x picture.
QImage picture(const char* name, qreal ratio);

// The picture with `ratio` device pixels per logical pixel and its logical
// size kept, scaled smoothly where it has another ratio. A picture whose
// pixels are each opaque or transparent, as a GIF's are, stays so: windows
// are cut to such outlines.
QImage atRatio(const QImage& picture, qreal ratio);

// The size a picture takes in logical pixels.
QSize logicalSize(const QImage& picture);

} // namespace Design
