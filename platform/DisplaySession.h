#pragma once

#include <QProcessEnvironment>

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
    // The environment for the programs started for the user: this process's,
    // with the variables preferX11() set put back as the session had them, so
    // that a browser or a settings panel runs wherever the user's desktop
    // would run it.
    static QProcessEnvironment userEnvironment();
};
