#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What setting.ini asks of the clock at start-up, read once in the order face,
// colours, thickness, window mode. A face or colour the file lacks, or holds
// in a form the clock cannot use, is left for the built-in one; a thickness or
// window mode the file lacks is its entry's fallback.
struct StartupSettings
{
    std::optional<std::string> faceLocation;
    // Hour, minute and second hand, as colour numbers.
    std::array<std::optional<std::uint32_t>, 3> handColors;
    std::optional<int> handWidth;
    // Nothing: a window mode the clock does not know leaves the stacking alone.
    std::optional<bool> topmost;

    static StartupSettings read(const std::string& settingsPath);
};
