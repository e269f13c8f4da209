#include "clock/LookSettings.h"

#include "clock/ClockLook.h"
#include "settings/SettingKeys.h"
#include "settings/StartupSettings.h"
#include "shared/Module1.h"

#include <QFile>

LookSettings::LookSettings(const Module1& module, ClockLook& look)
    : m_module(module)
    , m_look(look)
{
}

void LookSettings::read() const
{
    const StartupSettings stored = StartupSettings::read(QFile::encodeName(m_module.settingsPath()).toStdString());
    if (stored.faceLocation)
        m_look.setFace(QFile::decodeName(stored.faceLocation->c_str()));
    for (int hand = ClockLook::Hour; hand <= ClockLook::Second; ++hand) {
        if (const std::optional<std::uint32_t> color = stored.handColors.at(static_cast<std::size_t>(hand - 1)))
            m_look.setColor(hand, *color);
    }
    if (stored.handWidth)
        m_look.setHandWidth(*stored.handWidth);
    if (stored.topmost)
        m_look.setTopmost(*stored.topmost);
}

void LookSettings::changeColor(int hand, std::uint32_t color) const
{
    m_look.setColor(hand, color);
    m_module.writeSetting(SettingKeys::HandColors.at(static_cast<std::size_t>(hand - 1)).key,
                          QString::fromStdString(ColorSetting::text(color)));
}

void LookSettings::changeHandWidth(int width) const
{
    m_look.setHandWidth(width);
    m_module.writeSetting(SettingKeys::Border.key, QString::fromStdString(SettingKeys::Border.text(width)));
}

void LookSettings::changeTopmost(bool topmost) const
{
    m_look.setTopmost(topmost);
    m_module.writeSetting(SettingKeys::Window.key, QString::fromStdString(SettingKeys::Window.text(topmost ? 1 : 0)));
}

void LookSettings::storeFace(const QString& location) const
{
    m_module.writeSetting(SettingKeys::FacePicture, location);
}

void LookSettings::resetHands() const
{
    for (int hand = ClockLook::Second; hand >= ClockLook::Hour; --hand)
        m_look.setColor(hand, SettingKeys::HandColors.at(static_cast<std::size_t>(hand - 1)).reset);
    for (const ColorSetting& color : SettingKeys::HandColors)
        m_module.writeSetting(color.key, QString());
    changeHandWidth(SettingKeys::Border.fallback);
    changeTopmost(SettingKeys::Window.fallback != 0);
}
