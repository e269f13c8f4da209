#pragma once

#include <functional>
#include <optional>
#include <string>

// The clock places itself in the middle of the screen and stays above other
// windows; a Wayland client may do neither, so in a Wayland session it runs
// through XWayland when that is there.
class DisplaySession final
{
public:
    using Environment = std::function<std::optional<std::string>(const char* name)>;

    // The Qt platform plugin to ask for, or nothing to leave Qt's choice alone.
    static std::optional<std::string> preferredPlatform(const Environment& environment);
    // Applies the choice, and the X11 settings that keep an idle clock idle, to
    // this process; call before the application object exists.
    static void preferX11();
};
