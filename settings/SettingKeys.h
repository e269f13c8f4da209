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

// A read that passed more than its buffer holds would write past the buffer.
static_assert(FacePicture.readSize <= FacePicture.bufferLength);
static_assert(HourColor.readSize <= HourColor.bufferLength);
static_assert(MinuteColor.readSize <= MinuteColor.bufferLength);
static_assert(SecondColor.readSize <= SecondColor.bufferLength);
static_assert(Border.readSize <= Border.bufferLength);
static_assert(Window.readSize <= Window.bufferLength);
// The three colours are read one after the other into the same buffer.
static_assert(MinuteColor.bufferLength == HourColor.bufferLength);
static_assert(SecondColor.bufferLength == HourColor.bufferLength);
} // namespace SettingKeys
