#include "controls/Design.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <iterator>

namespace {

// The ratios the pictures are drawn for, and how their file names say so.
struct Drawing
{
    qreal ratio;
    const char* suffix;
};
constexpr Drawing Drawings[] = {{1.0, ""}, {1.5, "@1.5x"}, {2.0, "@2x"}};

// Whether every pixel is either transparent or opaque, as in a GIF.
bool hasHardEdges(const QImage& picture)
{
    if (!picture.hasAlphaChannel())
        return false;
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* pixel = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        if (!std::all_of(pixel, pixel + pixels.width(), [](QRgb each) { return qAlpha(each) % 255 == 0; }))
            return false;
    }
    return true;
}

// Leaves no colour half transparent: alpha at or past one half becomes opaque.
void hardenEdges(QImage& picture)
{
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            pixel[x] = qAlpha(pixel[x]) < 128 ? 0 : (pixel[x] | 0xFF000000U);
    }
}

} // namespace

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

QImage Design::picture(const char* name, qreal ratio)
{
    // Ratios come from screens' dots per inch: 1.5 may arrive a hair off.
    const Drawing* drawing = std::find_if(std::begin(Drawings), std::end(Drawings),
                                          [ratio](const Drawing& each) { return each.ratio >= ratio - 0.01; });
    if (drawing == std::end(Drawings))
        --drawing;
    const QByteArray file(name);
    const qsizetype dot = file.lastIndexOf('.');
    QImage drawn = picture((file.left(dot) + drawing->suffix + file.mid(dot)).constData());
    drawn.setDevicePixelRatio(drawing->ratio);
    return atRatio(drawn, ratio);
}

QImage Design::atRatio(const QImage& picture, qreal ratio)
{
    if (picture.isNull() || qFuzzyCompare(picture.devicePixelRatio(), ratio))
        return picture;
    const QSize logical = logicalSize(picture);
    QImage scaled = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                        .scaled(qRound(logical.width() * ratio), qRound(logical.height() * ratio),
                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (hasHardEdges(picture))
        hardenEdges(scaled);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

QSize Design::logicalSize(const QImage& picture)
{
    return picture.deviceIndependentSize().toSize();
}
