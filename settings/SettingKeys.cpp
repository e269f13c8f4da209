#include "settings/SettingKeys.h"

namespace {

template <std::size_t N>
const char* wordFor(const SettingWord (&words)[N], int value)
{
    for (const SettingWord& word : words) {
        if (word.value == value)
            return word.word;
    }
    return "";
}

template <std::size_t N>
std::optional<int> valueOf(const SettingWord (&words)[N], std::string_view text)
{
    for (const SettingWord& word : words) {
        if (text == word.word)
            return word.value;
    }
    return std::nullopt;
}

} // namespace

std::string SettingKeys::handWidthWord(int width)
{
    return wordFor(HandWidths, width);
}

std::optional<int> SettingKeys::handWidth(std::string_view word)
{
    return valueOf(HandWidths, word);
}

std::string SettingKeys::windowModeWord(bool topmost)
{
    return wordFor(WindowModes, topmost ? 1 : 0);
}

std::optional<bool> SettingKeys::topmost(std::string_view word)
{
    if (word.empty())
        return DefaultTopmost;
    const std::optional<int> value = valueOf(WindowModes, word);
    return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

std::string SettingKeys::colorText(std::uint32_t color)
{
    return std::to_string(color);
}
