#pragma once

#include "alarm/Alarm.h"
#include "platform/MsgBox.h"
#include "platform/Platform.h"

#include <QString>

struct SettingKey;
class SettingsLocation;

// What the program's windows share: the program directory and its settings,
// the alarm, the sound cue, the message box and the desktop services.
class Module1 final
{
public:
    static constexpr const char* ProgramTitle = "Tansywatch";
    static constexpr const char* ProgramVersion = "1.1";
    // The program's id in menus, software centres and Wayland: the reverse of
    // its web address.
    static constexpr const char* DesktopId = "org.example.tansywatch";

    Module1(QString programDirectory, const Platform& platform);
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    const QString& programDirectory() const { return m_programDirectory; }
    // The setting.ini start-up reads: beside the program, or the user's own
    // when the program directory cannot be written (see SettingsLocation).
    QString settingsPath() const;
    QString fileBeside(const QString& fileName) const;
    // One value into setting.ini at once. A failed write shows nothing (it is
    // logged): it only means the next start does not bring the value back.
    void writeSetting(const SettingKey& key, const QString& value) const;

    const Platform& platform() const { return m_platform; }
    Alarm& alarm() { return m_alarm; }

    // A short sound from the program directory; returns at once and is silent
    // when the file is missing.
    void PlaySoundCue(const QString& fileName) const;

    // The runtime's message box with the program title.
    MsgBox::Answer msgBox(const QString& prompt, int style) const;

private:
    SettingsLocation settingsLocation() const;

    QString m_programDirectory;
    Platform m_platform;
    Alarm m_alarm;
};
