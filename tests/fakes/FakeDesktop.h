#pragma once

#include "TestFiles.h"
#include "app/Program.h"
#include "clock/frmClock.h"
#include "fakes/FakeCommonDialog.h"
#include "fakes/FakeLauncher.h"
#include "fakes/FakeMsgBox.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/FakeTimeSource.h"
#include "fakes/FakeWindowSystem.h"
#include "shared/Module1.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Shown and active, as the window the user works in.
inline bool shownActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// A program directory of its own and fakes for everything the windows ask of
// the desktop. When it goes, at the end of a test, every expected message box
// must have come and no other; windows unloaded during the test are deleted.
struct FakeDesktop
{
    QTemporaryDir directory;
    FakeTimeSource time;
    FakeSoundPlayer sound;
    FakeWindowSystem windows;
    FakeMsgBox msgBox;
    FakeCommonDialog dialogs;
    FakeLauncher launcher;
    FakeRegistry registry;
    std::unique_ptr<Module1> module = std::make_unique<Module1>(
        directory.path(), Platform{time, sound, windows, msgBox, dialogs, launcher, registry});
    std::unique_ptr<Program> program = std::make_unique<Program>(*module);

    QString file(const QString& name) const { return directory.path() + '/' + name; }
    // A sound as the player is asked for a cue: played without waiting.
    QString cue(const char* name) const { return "async:" + file(name); }
    QString setting() const { return QString::fromUtf8(load(file("setting.ini"))); }
    Program& forms() const { return *program; }
    frmClock& clock() const { return program->clock(); }
    Alarm& alarm() const { return module->alarm(); }
    // An alarm for the minute the clock shows, gone off: its pop-up shows.
    void alarmGoesOff() const
    {
        const QTime now = time.now().time;
        alarm().setAlarmHour(std::int16_t(now.hour()));
        alarm().setAlarmMin(std::int16_t(now.minute()));
        alarm().arm();
        alarm().Timer_Alarm_Timer();
    }
    // The question before the alarm set for `alarmTime` ("7 Hr : 5 Min") is
    // switched off, and after a Yes the note that it is.
    void expectDisableQuestion(const QString& alarmTime, MsgBox::Answer answer)
    {
        msgBox.expect("Alarm is enabled.\r\n" + alarmTime + "\r\n\r\nDisable alarm now?", answer);
        if (answer == MsgBox::vbYes)
            msgBox.expect("Alarm is Disabled now.");
    }
    void processDeletes() const { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    ~FakeDesktop()
    {
        QVERIFY2(msgBox.allAnswered(), qPrintable("unexpected boxes: " + msgBox.surprises.join(" | ")));
        processDeletes();
    }
};
