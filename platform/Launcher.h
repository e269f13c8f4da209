#pragma once

#include <QString>
#include <QStringList>

// Starts other programs for the user. Nothing waits for them: each call
// returns as soon as the program is on its way, false when it cannot start.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // The address in the user's web browser.
    virtual bool openUrl(const QString& address) = 0;
    // The desktop's panel for setting the date and time.
    virtual bool openDateTimeSettings() = 0;
};
