#pragma once

#include <QIcon>
#include <QIconEngine>

// The icon of a window that has none. An empty QIcon would leave the window
// the program's icon; this one has no picture at any size, so the window
// carries no icon at all and the window manager shows its own stand-in.
class NoIcon final : public QIconEngine
{
public:
    static QIcon icon();

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    bool isNull() override;
};
