#include "app/CommandLine.h"
#include "app/Program.h"
#include "clock/frmClock.h"
#include "controls/Design.h"
#include "platform/DisplaySession.h"
#include "platform/Platform.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtLauncher.h"
#include "platform/QtMsgBox.h"
#include "platform/QtWindowSystem.h"
#include "platform/SystemInfoRegistry.h"
#include "platform/SystemTimeSource.h"
#include "shared/Module1.h"
#include "sound/AudioProcess.h"
#include "sound/AudioService.h"
#include "sound/SdlAudioDevice.h"
#include "sound/WavePlayer.h"

#include <QApplication>
#include <QByteArray>
#include <QIcon>
#include <QPixmap>

#include <cstring>

namespace {

// The menu's icon set, drawn anew for each size; every window shows it.
// Window managers get every size an icon holds in a property of each window,
// so the large ones, which only menus and software centres show, stay out:
// the set ends with the first size that serves for 128 logical pixels on a
// screen of this many device pixels to one.
QIcon programIcon(qreal ratio)
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QByteArray name = "tansywatch-" + QByteArray::number(size) + ".png";
        icon.addPixmap(QPixmap::fromImage(Design::picture(name.constData())));
        if (size >= 128 * ratio)
            break;
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && std::strcmp(argv[1], AudioProcess::ChildArgument) == 0) {
        SdlAudioDevice device;
        return AudioService::serve(device);
    }
    if (const std::optional<int> status = CommandLine::answer(argc, argv))
        return *status;
    DisplaySession::preferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Module1::ProgramTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(Module1::ProgramVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(Module1::DesktopId));
    QApplication::setWindowIcon(programIcon(app.devicePixelRatio()));

    SystemTimeSource time;
    AudioProcess audio(QCoreApplication::applicationFilePath());
    WavePlayer sound(audio, time);
    QtWindowSystem windows;
    QtMsgBox msgBox;
    QtCommonDialog dialogs;
    QtLauncher launcher;
    SystemInfoRegistry registry;
    Module1 module(QCoreApplication::applicationDirPath(),
                   Platform{time, sound, windows, msgBox, dialogs, launcher, registry});

    Program program(module);
    program.clock().show();
    return QApplication::exec();
}
