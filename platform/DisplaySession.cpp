#include "platform/DisplaySession.h"

#include <cstdlib>

std::optional<std::string> DisplaySession::preferredPlatform(const Environment& environment)
{
    const auto set = [&environment](const char* name) {
        const std::optional<std::string> value = environment(name);
        return value && !value->empty();
    };
    if (set("QT_QPA_PLATFORM"))
        return std::nullopt;
    const bool wayland = set("WAYLAND_DISPLAY") || environment("XDG_SESSION_TYPE") == std::optional<std::string>("wayland");
    if (wayland && set("DISPLAY"))
        return std::string("xcb");
    return std::nullopt;
}

void DisplaySession::preferX11()
{
    const auto platform = preferredPlatform([](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name))
            return std::string(value);
        return std::nullopt;
    });
    if (platform)
        ::setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
    // The clock repaints a few hundred pixels a second. Through shared memory
    // each repaint costs a round trip to the X server and a completion event,
    // four wake-ups where sending the pixels costs one.
    ::setenv("QT_XCB_NO_MITSHM", "1", 0);
}
