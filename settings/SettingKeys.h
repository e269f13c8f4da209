#pragma once

#include <cstddef>

// The six entries of setting.ini, spelled as the program writes them, with the
// buffer the start-up read uses and the size it passes (a value longer than
// size - 1 arrives cut).
struct SettingKey
{
    const char* section;
    const char* key;
    std::size_t bufferLength;
    std::size_t readSize;
};

namespace SettingKeys {
inline constexpr SettingKey FacePicture{"BG", "location", 1000, 1000};
inline constexpr SettingKey HourColor{"Line", "Line1", 20, 20};
inline constexpr SettingKey MinuteColor{"Line", "Line2", 20, 20};
inline constexpr SettingKey SecondColor{"Line", "Line3", 20, 20};
inline constexpr SettingKey Border{"Line", "Border", 20, 10};
inline constexpr SettingKey Window{"Clock", "window", 20, 10};
} // namespace SettingKeys
