#include "app/Module1.h"
#include "clock/frmClock.h"
#include "platform/DisplaySession.h"
#include "platform/Platform.h"
#include "platform/QtCommonDialog.h"
#include "platform/QtLauncher.h"
#include "platform/QtMsgBox.h"
#include "platform/QtWindowSystem.h"
#include "platform/SdlAudioDevice.h"
#include "platform/SystemInfoRegistry.h"
#include "platform/SystemTimeSource.h"
#include "platform/WavePlayer.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    DisplaySession::preferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Module1::ProgramTitle));
    QIcon icon(QStringLiteral(":/pictures/tansywatch.png"));
    icon.addFile(QStringLiteral(":/pictures/tansywatch-32.png"));
    QApplication::setWindowIcon(icon);

    SystemTimeSource time;
    SdlAudioDevice audio;
    WavePlayer sound(audio, time);
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
