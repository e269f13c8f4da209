#pragma once

#include "app/AlarmState.h"
#include "platform/Platform.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// What the program's windows share: the program directory, the alarm state,
// the sound cue, the desktop services and the other windows while they exist.
class Module1 final
{
public:
    static constexpr const char* ProgramTitle = "Tansywatch";

    Module1(QString programDirectory, const Platform& platform);

    const QString& programDirectory() const { return m_programDirectory; }
    QString settingsPath() const;
    QString fileBeside(const QString& fileName) const;

    const Platform& platform() const { return m_platform; }
    AlarmState& alarm() { return m_alarm; }

    // A short sound from the program directory; returns at once and is silent
    // when the file is missing.
    void PlaySoundCue(const QString& fileName) const;

    // The windows that close with the clock, each null while it does not exist.
    struct OpenWindows
    {
        QPointer<QWidget> TimesUP;
        QPointer<QWidget> frmOption;
        QPointer<QWidget> frmAbout;
    };
    OpenWindows& windows() { return m_windows; }

private:
    QString m_programDirectory;
    Platform m_platform;
    AlarmState m_alarm;
    OpenWindows m_windows;
};
