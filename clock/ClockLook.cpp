#include "clock/ClockLook.h"

#include "controls/Design.h"
#include "controls/OleColor.h"
#include "controls/WindowsLog.h"
#include "settings/SettingKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

#include <utility>

ClockLook::ClockLook(QString programDirectory)
    : m_programDirectory(std::move(programDirectory))
    , m_colors{SettingKeys::HandColors[0].builtIn, SettingKeys::HandColors[1].builtIn,
               SettingKeys::HandColors[2].builtIn}
    , m_handWidth(SettingKeys::Border.fallback)
    , m_face(Design::picture("face.gif", qApp->devicePixelRatio()))
    , m_faceSize(Design::logicalSize(m_face))
{
}

void ClockLook::setColor(int hand, std::uint32_t color)
{
    if (!OleColor::isValid(color))
        return;
    m_colors.at(static_cast<std::size_t>(hand - 1)) = color;
    emit colorChanged(hand, color);
}

void ClockLook::setHandWidth(int width)
{
    m_handWidth = width;
    emit handWidthChanged(width);
}

void ClockLook::setTopmost(bool topmost)
{
    m_topmost = topmost;
    emit topmostChanged(topmost);
}

bool ClockLook::setFace(const QString& location)
{
    // A relative name means beside the program, never the directory the clock
    // happened to be started from; and only a plain file can be a picture (a
    // pipe would leave start-up waiting for it).
    const QFileInfo file(QDir(m_programDirectory), location);
    const auto unread = [&file](const QString& reason) {
        qCWarning(lcWindows).noquote() << "the face picture" << file.filePath() << "could not be read:" << reason;
        return false;
    };
    if (!file.isFile())
        return unread(file.exists() ? QStringLiteral("not a plain file") : QStringLiteral("no such file"));
    QImageReader reader(file.filePath());
    reader.setDecideFormatFromContent(true);
    // Only the part of the picture inside the clock body can ever show; a huge
    // photo is not kept whole in memory for the sake of its top-left corner.
    const QSize fullSize = reader.size();
    if (fullSize.isValid())
        reader.setClipRect(QRect(QPoint(0, 0), fullSize.boundedTo(FaceArea)));
    const QImage picture = reader.read();
    if (picture.isNull())
        return unread(reader.errorString());
    m_face = picture;
    m_faceSize = fullSize.isValid() ? fullSize : picture.size();
    emit faceChanged();
    return true;
}
