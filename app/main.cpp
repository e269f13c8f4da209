#include "app/CommandLine.h"
#include "app/Module1.h"
#include "clock/frmClock.h"
#include "platform/DisplaySession.h"
#include "platform/Platform.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtLauncher.h"
#include "platform/QtMsgBox.h"
#include "platform/QtWindowSystem.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/SystemInfoRegistry.h"
#include "platform/SystemTimeSource.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>

namespace {

// The menu's icon set, drawn anew for each size. Window managers get every
// size an icon holds in a property of each window, so the large ones, which
// only menus and software centres show, stay out.
QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        // Read as PNG at once: QIcon(file) would first try every image plugin.
        QImageReader reader(QStringLiteral(":/pictures/tansywatch-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = CommandLine::answer(argc, argv))
        return *status;
    DisplaySession::preferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Module1::ProgramTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(Module1::ProgramVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(Module1::DesktopId));
    QApplication::setWindowIcon(programIcon());

    SystemTimeSource time;
    SdlSoundPlayer sound;
    QtWindowSystem windows;
    QtMsgBox msgBox;
    QtCommonDialog dialogs;
    QtLauncher launcher;
    SystemInfoRegistry registry;
    Module1 module(QCoreApplication::applicationDirPath(),
                   Platform{time, sound, windows, msgBox, dialogs, launcher, registry});

    module.forms().clock().show();
    return QApplication::exec();
}
