#include "settings/StartupSettings.h"

#include "settings/ProfileFile.h"
#include "settings/SettingKeys.h"

#include <algorithm>

namespace {

// Never more than the buffer at hand, whatever the entry says: the colours share
// one buffer sized by the hour colour.
std::size_t readInto(std::string& buffer, const SettingKey& entry, const std::string& path)
{
    return ProfileFile::GetPrivateProfileString(entry.section, entry.key, "", buffer.data(),
                                                std::min(entry.readSize, buffer.size()), path);
}

// The text before the NUL: the buffer up to its last non-blank character,
// less that character, which is the NUL the read put behind the value.
std::string valueBeforeNul(const std::string& buffer)
{
    const std::size_t last = buffer.find_last_not_of(' ');
    if (last == std::string::npos)
        return {};
    return buffer.substr(0, last);
}

std::string freshRead(const SettingKey& entry, const std::string& path)
{
    std::string buffer(entry.bufferLength, ' ');
    readInto(buffer, entry, path);
    return valueBeforeNul(buffer);
}

} // namespace

StartupSettings StartupSettings::read(const std::string& settingsPath)
{
    StartupSettings settings;

    {
        std::string buffer(SettingKeys::FacePicture.bufferLength, ' ');
        if (readInto(buffer, SettingKeys::FacePicture, settingsPath) != 0)
            settings.faceLocation = valueBeforeNul(buffer);
    }

    // One buffer for the three colours: each conversion stops at its NUL, so
    // what a longer earlier value left behind it is never seen.
    std::string colorBuffer(SettingKeys::HandColors[0].key.bufferLength, ' ');
    for (std::size_t hand = 0; hand < SettingKeys::HandColors.size(); ++hand) {
        if (readInto(colorBuffer, SettingKeys::HandColors[hand].key, settingsPath) != 0)
            settings.handColors[hand] = ColorSetting::color(colorBuffer.c_str());
    }

    settings.handWidth = SettingKeys::Border.value(freshRead(SettingKeys::Border.key, settingsPath));
    const std::optional<int> window = SettingKeys::Window.value(freshRead(SettingKeys::Window.key, settingsPath));
    if (window)
        settings.topmost = *window != 0;

    return settings;
}
