#include "controls/OleColor.h"

#include <QPalette>

#include <array>
#include <utility>

namespace {

constexpr std::uint32_t SystemFlag = 0x80000000u;

// The desktop's colour numbers 0 to 24, each taken from the palette entry that
// plays the same part on this desktop.
constexpr std::array<std::pair<QPalette::ColorGroup, QPalette::ColorRole>, 25> systemColors{{
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Dark},            // desktop
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::WindowText},      // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Button},          // active border
    {QPalette::Inactive, QPalette::Button},        // inactive border
    {QPalette::Active, QPalette::Dark},            // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlighted text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // tooltip background
}};

} // namespace

bool OleColor::isValid(std::uint32_t ole)
{
    if ((ole & 0xFF000000u) == 0)
        return true;
    return (ole & 0xFFFFFF00u) == SystemFlag && (ole & 0xFFu) < systemColors.size();
}

QColor OleColor::toColor(std::uint32_t ole, const QPalette& palette)
{
    if ((ole & SystemFlag) != 0) {
        const auto index = ole & 0xFFu;
        if (!isValid(ole))
            return {};
        const auto& [group, role] = systemColors[index];
        return palette.color(group, role);
    }
    return QColor(static_cast<int>(ole & 0xFF), static_cast<int>((ole >> 8) & 0xFF),
                  static_cast<int>((ole >> 16) & 0xFF));
}

std::uint32_t OleColor::fromRgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red & 0xFF) | static_cast<std::uint32_t>(green & 0xFF) << 8
        | static_cast<std::uint32_t>(blue & 0xFF) << 16;
}
