#include "controls/PictureButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

PictureButton::PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent)
    : QPushButton(caption, parent)
    , m_picture(picture)
{
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the button itself; picture and caption are stacked here.
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButton, option);

    const int gap = 2;
    const int textHeight = fontMetrics().height();
    const QSize pictureSize = m_picture.deviceIndependentSize().toSize().boundedTo(size()
                                                                                   - QSize(4, textHeight + gap + 4));
    const int top = (height() - pictureSize.height() - gap - textHeight) / 2;
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    const QRect pictureRect(QPoint((width() - pictureSize.width()) / 2, top) + shift, pictureSize);
    painter.drawPixmap(pictureRect, m_picture);
    const QRect textRect(QPoint(0, pictureRect.bottom() + 1 + gap) + shift, QSize(width(), textHeight));
    painter.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, palette(), isEnabled(),
                         text(), QPalette::ButtonText);
}
