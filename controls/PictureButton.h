#pragma once

#include <QPixmap>
#include <QPushButton>

// A command button that shows its picture above its caption.
class PictureButton final : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QString& caption, const QPixmap& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
