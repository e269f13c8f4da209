#pragma once

class QRegion;
class QWidget;

// What the program asks of the window manager beyond what a widget does by itself.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;
    // Keeps the window above ordinary windows, or lets it stack as one of them.
    // Changes only the stacking: the window is neither hidden, moved nor resized.
    virtual void setTopmost(QWidget& window, bool topmost) = 0;
    // Makes the window belong to its owner, as a dialog to the window it was
    // opened from: the window manager keeps it above the owner, even when the
    // owner stays above ordinary windows.
    virtual void setOwner(QWidget& window, QWidget& owner) = 0;
    // Puts a window that is not shown yet beside its owner, on the owner's
    // screen (see WindowPlacement), where the window manager leaves it.
    virtual void placeBeside(QWidget& window, QWidget& owner) = 0;
    // Asked while a left press on the window is handled: from the pointer's
    // first motion with the button still down, the window manager moves the
    // window with the pointer until the button is released. A press released
    // without motion, or of another button, moves nothing.
    virtual void startMove(QWidget& window) = 0;
    // Cuts the window to an outline given in device pixels, the screen's own,
    // which a window's mask in logical pixels cannot follow on a scaled
    // screen. The window keeps it however often it is shown; an empty outline
    // leaves it a plain rectangle.
    virtual void setShape(QWidget& window, const QRegion& outline) = 0;
};
