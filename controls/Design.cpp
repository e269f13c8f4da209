#include "controls/Design.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>

QLabel* Design::label(const char* caption, QWidget* parent, const QRect& geometry)
{
    auto* control = place(new QLabel(QString::fromLatin1(caption), parent), geometry);
    control->setTextFormat(Qt::PlainText);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

void Design::centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

QImage Design::picture(const char* name)
{
    const QString path = QStringLiteral(":/pictures/") + QLatin1String(name);
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
