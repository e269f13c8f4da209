#pragma once

#include "platform/Launcher.h"

// Records what would be started; `startable` decides whether it starts.
class FakeLauncher final : public Launcher
{
public:
    bool start(const QString& program, const QStringList& arguments) override
    {
        started.push_back((QStringList{program} + arguments).join(' '));
        return startable;
    }
    bool openUrl(const QString& address) override
    {
        urls.push_back(address);
        return true;
    }
    bool openDateTimeSettings() override
    {
        ++dateTimePanels;
        return startable;
    }

    bool startable = true;
    QStringList started;
    QStringList urls;
    int dateTimePanels = 0;
};
