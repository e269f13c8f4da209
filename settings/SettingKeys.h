#pragma once

#include "controls/OleColor.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An entry of setting.ini, spelled as the program writes it, with the buffer
// the start-up read uses and the size it passes (a value longer than size - 1
// arrives cut).
struct SettingKey
{
    const char* section;
    const char* key;
    std::size_t bufferLength;
    std::size_t readSize;
};

// A hand's colour, stored as the decimal number of its 0x00BBGGRR value and
// read back as users' hand-edited files write numbers. With none stored the
// hand has its built-in colour; "Default" gives it the reset colour and
// stores none.
struct ColorSetting
{
    SettingKey key;
    std::uint32_t builtIn;
    std::uint32_t reset;

    static std::string text(std::uint32_t color);
    // Nothing for a value that is no 32-bit number.
    static std::optional<std::uint32_t> color(std::string_view text);
};

// A word the file holds for a value, spelled as the program writes it and as
// the lists of the options dialog show it.
struct SettingWord
{
    const char* word;
    int value;
};

// A value stored as one of a few words, in the order the options dialog lists
// them. None stored, or an empty value, means the fallback, which "Default"
// stores too; a word the clock does not know means nothing.
template <std::size_t N>
struct WordSetting
{
    SettingKey key;
    std::array<SettingWord, N> words;
    int fallback;

    std::string text(int value) const
    {
        for (const SettingWord& word : words) {
            if (word.value == value)
                return word.word;
        }
        return {};
    }

    std::optional<int> value(std::string_view text) const
    {
        if (text.empty())
            return fallback;
        for (const SettingWord& word : words) {
            if (text == word.word)
                return word.value;
        }
        return std::nullopt;
    }
};

// The six entries, in the order start-up reads them.
namespace SettingKeys {
// None stored, or an empty value: the face built into the program.
inline constexpr SettingKey FacePicture{"BG", "location", 1000, 1000};
// Hour, minute and second hand.
inline constexpr std::array<ColorSetting, 3> HandColors{{
    {{"Line", "Line1", 20, 20}, OleColor::WindowText, 0x000000},
    {{"Line", "Line2", 20, 20}, 0x000000, 0x000000},
    {{"Line", "Line3", 20, 20}, 0x0000FF, 0x0000FF},
}};
// The hands' thickness on the clock in pixels.
inline constexpr WordSetting<3> Border{{"Line", "Border", 20, 10}, {{{"Small", 2}, {"Middle", 3}, {"Large", 4}}}, 3};
// Whether the clock stays above ordinary windows.
inline constexpr WordSetting<2> Window{{"Clock", "window", 20, 10}, {{{"Top", 1}, {"Normal", 0}}}, 1};

// A read that passed more than its buffer holds would write past the buffer.
static_assert(FacePicture.readSize <= FacePicture.bufferLength);
static_assert(Border.key.readSize <= Border.key.bufferLength);
static_assert(Window.key.readSize <= Window.key.bufferLength);
// The three colours are read one after the other into the same buffer.
static_assert(HandColors[0].key.readSize <= HandColors[0].key.bufferLength);
static_assert(HandColors[1].key.bufferLength == HandColors[0].key.bufferLength);
static_assert(HandColors[2].key.bufferLength == HandColors[0].key.bufferLength);
} // namespace SettingKeys
