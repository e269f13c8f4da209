#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <vector>

class QMouseEvent;
class QPainter;
class WindowlessControl;

// A box that shows a picture over its background colour and paints the
// windowless controls it contains on top of it, bottom to top. It keeps the
// picture as drawn (transparent parts in the background colour), which is
// what the window outline is cut from. A picture for a scaled screen keeps
// its device pixels; the box takes its logical size.
class PictureBox final : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    // With AutoSize the box takes the size of each new picture.
    void setPicture(const QImage& picture);
    void setAutoSize(bool autoSize);

    // The persistent bitmap: the picture over the background colour, pixel
    // for pixel as the picture has them.
    const QImage& drawnImage() const { return m_drawn; }

    void addControl(WindowlessControl& control);
    void removeControl(WindowlessControl& control);

signals:
    // Presses that no image on top takes; buttons as the runtime numbers them
    // (1 left, 2 right, 4 middle).
    void MouseDown(int button, QPoint position);
    void MouseMove(int buttons, QPoint position);
    void MouseUp(int button, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void redraw();
    void clearOutsideOutline(QPainter& painter);
    bool insideWindowOutline(const QPoint& point) const;
    WindowlessControl* controlAt(const QPoint& point) const;
    QColor backColor() const;

    QImage m_picture;
    QImage m_drawn;
    QPixmap m_drawnPixmap;
    // Opaque inside the outline, clear outside it, made when first needed.
    QImage m_inside;
    bool m_autoSize = false;
    std::vector<WindowlessControl*> m_controls;
    // The control a press went to, until every button is up again.
    WindowlessControl* m_pressTarget = nullptr;
    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_pressed = false;
};
