#include "shared/Module1.h"

#include "settings/ProgramPaths.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsLocation.h"
#include "sound/SoundPlayer.h"

#include <QFile>

#include <utility>

Module1::Module1(QString programDirectory, const Platform& platform)
    : m_programDirectory(std::move(programDirectory))
    , m_platform(platform)
    , m_alarm(platform.time, platform.sound)
{
}

QString Module1::settingsPath() const
{
    return QFile::decodeName(settingsLocation().readPath().c_str());
}

QString Module1::fileBeside(const QString& fileName) const
{
    return QFile::decodeName(ProgramPaths::fileBeside(QFile::encodeName(m_programDirectory).toStdString(),
                                                      QFile::encodeName(fileName).toStdString())
                                 .c_str());
}

void Module1::writeSetting(const SettingKey& key, const QString& value) const
{
    settingsLocation().write(key.section, key.key, value.toStdString());
}

SettingsLocation Module1::settingsLocation() const
{
    return SettingsLocation::find(QFile::encodeName(m_programDirectory).toStdString());
}

void Module1::PlaySoundCue(const QString& fileName) const
{
    m_platform.sound.playAsync(fileBeside(fileName));
}

MsgBox::Answer Module1::msgBox(const QString& prompt, int style) const
{
    return m_platform.msgBox.show(prompt, style, QString::fromLatin1(ProgramTitle));
}
