#include "settings/SettingKeys.h"

#include "settings/VbConversion.h"

std::string ColorSetting::text(std::uint32_t color)
{
    return std::to_string(color);
}

std::optional<std::uint32_t> ColorSetting::color(std::string_view text)
{
    const std::optional<std::int32_t> number = VbConversion::toLong(text);
    return number ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*number)) : std::nullopt;
}
