#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// A word the file holds for a value, spelled as the program writes it and as
// the lists of the options dialog show it.
struct SettingWord
{
    const char* word;
    int value;
};

namespace SettingKeys {
inline constexpr SettingKey FacePicture{"BG", "location", 1000, 1000};
inline constexpr SettingKey HourColor{"Line", "Line1", 20, 20};
inline constexpr SettingKey MinuteColor{"Line", "Line2", 20, 20};
inline constexpr SettingKey SecondColor{"Line", "Line3", 20, 20};
inline constexpr SettingKey Border{"Line", "Border", 20, 10};
inline constexpr SettingKey Window{"Clock", "window", 20, 10};

// The hands' thickness on the clock in pixels, in the order the list shows them.
inline constexpr SettingWord HandWidths[] = {{"Small", 2}, {"Middle", 3}, {"Large", 4}};
inline constexpr int DefaultHandWidth = 3;
// Whether the clock stays above ordinary windows, in the order the list shows them.
inline constexpr SettingWord WindowModes[] = {{"Top", 1}, {"Normal", 0}};
inline constexpr bool DefaultTopmost = true;

// Each value as written, and read back: nothing for a word the clock does not
// know. An empty window mode is the default.
std::string handWidthWord(int width);
std::optional<int> handWidth(std::string_view word);
std::string windowModeWord(bool topmost);
std::optional<bool> topmost(std::string_view word);
// A colour as the decimal number of its 0x00BBGGRR value.
std::string colorText(std::uint32_t color);

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
