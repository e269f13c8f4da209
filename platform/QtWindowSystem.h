#pragma once

#include "platform/WindowSystem.h"

#include <QEvent>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <QWindow>

class QtWindowSystem final : public QObject, public WindowSystem
{
    Q_OBJECT

public:
    QtWindowSystem();

    void setTopmost(QWidget& window, bool topmost) override;
    void setOwner(QWidget& window, QWidget& owner) override;
    void placeBeside(QWidget& window, QWidget& owner) override;
    void startMove(QWidget& window) override;
    void setShape(QWidget& window, const QRegion& outline) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place(QWidget& window, const QWidget& owner);
    // What the window last placed hears until the window manager has framed it.
    void framed(QEvent::Type type);
    // What ends a move that waits for the pointer: its first motion, or none.
    void pointerMoved(QEvent* event);

    QPointer<QWindow> m_placed;
    QPointer<QWidget> m_placedWidget;
    QPointer<QWidget> m_placedOwner;
    // The frame the window manager put around the last window it framed.
    QMargins m_frame;
    QPointer<QWindow> m_pendingMove;
    QPoint m_pressedAt;
};
