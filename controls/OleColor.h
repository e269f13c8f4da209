#pragma once

#include <QColor>

#include <cstdint>
#include <optional>

class QPalette;

// Colours as the settings file and the window designs store them: 0x00BBGGRR
// for a plain colour, or 0x800000nn for the desktop's own colour number nn.
class OleColor final
{
public:
    static constexpr std::uint32_t WindowText = 0x80000008u;
    static constexpr std::uint32_t GrayText = 0x80000011u;
    static constexpr std::uint32_t ButtonFace = 0x8000000Fu;

    static bool isValid(std::uint32_t ole);
    // The colour to paint with; desktop colours follow the given palette.
    static QColor toColor(std::uint32_t ole, const QPalette& palette);
    static std::uint32_t fromRgb(int red, int green, int blue);
};
