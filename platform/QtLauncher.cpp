#include "platform/QtLauncher.h"

#include "platform/DisplaySession.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

struct DateTimePanel
{
    const char* desktop;
    const char* program;
    const char* argument;
};

// The current desktop's own panel is found by the desktop's name; elsewhere
// the first one installed, in this order, serves.
constexpr DateTimePanel DateTimePanels[] = {
    {"GNOME", "gnome-control-center", "datetime"},
    {"KDE", "systemsettings", "kcm_clock"},
    {"KDE", "kcmshell6", "kcm_clock"},
    {"KDE", "kcmshell5", "kcm_clock"},
    {"Cinnamon", "cinnamon-settings", "calendar"},
    {"Budgie", "budgie-control-center", "datetime"},
    {"Unity", "unity-control-center", "datetime"},
    {"LXQt", "lxqt-admin-time", nullptr},
    {"MATE", "mate-time-admin", nullptr},
    {"MATE", "time-admin", nullptr},
    {"XFCE", "time-admin", nullptr},
};

QStringList command(const DateTimePanel& panel)
{
    QStringList command{QString::fromLatin1(panel.program)};
    if (panel.argument)
        command << QString::fromLatin1(panel.argument);
    return command;
}

} // namespace

bool QtLauncher::start(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(DisplaySession::userEnvironment());
    return process.startDetached();
}

// Through xdg-open rather than QDesktopServices, which would hand the browser
// this process's environment.
bool QtLauncher::openUrl(const QString& address)
{
    return start(QStringLiteral("xdg-open"), {address});
}

bool QtLauncher::openDateTimeSettings()
{
    const QStringList panel = dateTimePanel(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), [](const QString& program) {
        return !QStandardPaths::findExecutable(program).isEmpty();
    });
    return !panel.isEmpty() && start(panel.first(), panel.mid(1));
}

QStringList QtLauncher::dateTimePanel(const QString& currentDesktops, const Installed& installed)
{
    for (QString desktop : currentDesktops.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Vendor names such as X-Cinnamon stand for the desktop they extend.
        if (desktop.startsWith(QLatin1String("X-"), Qt::CaseInsensitive))
            desktop.remove(0, 2);
        for (const DateTimePanel& panel : DateTimePanels) {
            if (desktop.compare(QLatin1String(panel.desktop), Qt::CaseInsensitive) == 0
                && installed(QString::fromLatin1(panel.program)))
                return command(panel);
        }
    }
    for (const DateTimePanel& panel : DateTimePanels) {
        if (installed(QString::fromLatin1(panel.program)))
            return command(panel);
    }
    return {};
}
