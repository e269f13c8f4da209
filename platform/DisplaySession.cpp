#include "platform/DisplaySession.h"

#include <cstdlib>
#include <map>

namespace {

constexpr const char* PlatformVariable = "QT_QPA_PLATFORM";
constexpr const char* NoSharedMemoryVariable = "QT_XCB_NO_MITSHM";

// What the session had for each variable preferX11() sets: a value, or
// nothing when it was not set at all.
std::map<std::string, std::optional<std::string>> sessionValues;

std::optional<std::string> processVariable(const char* name)
{
    if (const char* value = std::getenv(name))
        return std::string(value);
    return std::nullopt;
}

} // namespace

std::optional<std::string> DisplaySession::preferredPlatform(const Environment& environment)
{
    const auto set = [&environment](const char* name) {
        const std::optional<std::string> value = environment(name);
        return value && !value->empty();
    };
    if (set(PlatformVariable))
        return std::nullopt;
    const bool wayland = set("WAYLAND_DISPLAY")
        || environment("XDG_SESSION_TYPE") == std::optional<std::string>("wayland");
    if (wayland && set("DISPLAY"))
        return std::string("xcb");
    return std::nullopt;
}

void DisplaySession::preferX11()
{
    for (const char* name : {PlatformVariable, NoSharedMemoryVariable})
        sessionValues[name] = processVariable(name);
    const auto platform = preferredPlatform(processVariable);
    if (platform)
        ::setenv(PlatformVariable, platform->c_str(), 1);
    // The clock repaints a few hundred pixels a second. Through shared memory
    // each repaint costs a round trip to the X server and a completion event,
    // four wake-ups where sending the pixels costs one.
    ::setenv(NoSharedMemoryVariable, "1", 0);
}

QProcessEnvironment DisplaySession::userEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : sessionValues) {
        const QString variable = QString::fromLatin1(name.c_str());
        if (value)
            environment.insert(variable, QString::fromLocal8Bit(value->c_str()));
        else
            environment.remove(variable);
    }
    return environment;
}
