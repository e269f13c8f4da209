#include "controls/NoIcon.h"

#include <QPixmap>

QIcon NoIcon::icon()
{
    return QIcon(new NoIcon);
}

void NoIcon::paint(QPainter*, const QRect&, QIcon::Mode, QIcon::State)
{
}

QPixmap NoIcon::pixmap(const QSize&, QIcon::Mode, QIcon::State)
{
    return {};
}

QIconEngine* NoIcon::clone() const
{
    return new NoIcon;
}

// Not empty: an empty icon stands for the program's.
bool NoIcon::isNull()
{
    return false;
}
