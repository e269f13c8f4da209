#pragma once

#include "platform/Launcher.h"

#include <functional>

// Starts programs as the user's own desktop would: detached, and with the
// user's environment rather than the settings the clock made for itself.
class QtLauncher final : public Launcher
{
public:
    using Installed = std::function<bool(const QString& program)>;

    bool start(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QString& address) override;
    bool openDateTimeSettings() override;

    // The date-and-time panel to start, program first, for the desktops named
    // in XDG_CURRENT_DESKTOP's manner; empty when none is installed.
    static QStringList dateTimePanel(const QString& currentDesktops, const Installed& installed);
};
