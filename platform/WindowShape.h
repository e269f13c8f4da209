#pragma once

#include <QObject>
#include <QRegion>

class QWidget;

// A window cut to an outline in device pixels. A widget's mask is in logical
// pixels and reaches the X server scaled up, in steps of whole logical pixels;
// this outline goes to the X server as it is, again whenever the window gets
// a native window, and Qt keeps no mask of its own to put over it.
class WindowShape final : public QObject
{
    Q_OBJECT

public:
    static void set(QWidget& window, const QRegion& outline);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowShape(QWidget& window);
    void apply();

    QWidget& m_window;
    QRegion m_outline;
};
