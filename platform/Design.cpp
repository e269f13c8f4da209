#include "platform/Design.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

QLabel* Design::label(const char* caption, QWidget* parent, const QRect& geometry)
{
    auto* control = place(new QLabel(QString::fromLatin1(caption), parent), geometry);
    control->setTextFormat(Qt::PlainText);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return control;
}

QImage Design::picture(const char* name)
{
    const QString path = QStringLiteral(":/pictures/") + QLatin1String(name);
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
