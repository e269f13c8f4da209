#include "app/CommandLine.h"

#include "shared/Module1.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <QtGlobal>

#include <cstdio>

namespace {

// The name people type, whatever path or link started the program.
constexpr char ProgramName[] = "tansywatch";

// Qt's own options on Linux, as QApplication, QGuiApplication and the X11
// platform plugin take them. They are let through here and left in argv for
// the application object to act on.
constexpr const char* QtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "geometry", "qwindowicon",
    "icon",     "qwindowtitle",       "title",         "session", "display",         "name",     "visual",
    "style",    "stylesheet",         "qmljsdebugger"};
constexpr const char* QtSwitches[] = {"reverse", "testability", "nograb", "dograb", "widgetcount"};

void addHidden(QCommandLineParser& parser, const char* name, const QString& valueName)
{
    QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Qt's X11 and Wayland plugins find no display without these variables or an
// X server named with -display, and Qt then aborts with advice to reinstall.
// Any other plugin asked for (offscreen, vnc ...) may be loaded instead.
bool displayMissing(const QCommandLineParser& parser)
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !parser.value(QStringLiteral("display")).isEmpty())
        return false;
    const QString platforms = parser.isSet(QStringLiteral("platform")) ? parser.value(QStringLiteral("platform"))
                                                                       : qEnvironmentVariable("QT_QPA_PLATFORM");
    for (const QString& platform : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = platform.section(QLatin1Char(':'), 0, 0);
        if (name != QLatin1String("xcb") && !name.startsWith(QLatin1String("wayland")))
            return false;
    }
    return true;
}

} // namespace

std::optional<int> CommandLine::answer(int argc, char* argv[])
{
    QCommandLineParser parser;
    // -platform is one option, as Qt reads it, not eight one-letter ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("An analog clock for the desktop. Drag it with the left mouse button, open its options\n"
                       "with a right press, quit with the red cross under its ring. See tansywatch(1).\n\n"
                       "Qt's own options, such as -platform NAME and -display DISPLAY, are taken too."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : QtOptionsWithValue)
        addHidden(parser, name, QStringLiteral("value"));
    for (const char* name : QtSwitches)
        addHidden(parser, name, QString());

    QStringList arguments{QString::fromLatin1(ProgramName)};
    for (int index = 1; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    const bool parsed = parser.parse(arguments);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error = parsed
            ? QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first())
            : parser.errorText();
        print(stderr,
              QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                  .arg(QString::fromLatin1(ProgramName), error));
        return 2;
    }
    if (parser.isSet(help)) {
        // The usage line names the program only while an application object
        // exists; a core one needs no display.
        int coreArgc = 1;
        char name[] = "tansywatch";
        char* coreArgv[] = {name, nullptr};
        const QCoreApplication core(coreArgc, coreArgv);
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout,
              QStringLiteral("%1 %2\n"
                             "Copyright (C) 2026 The Tansywatch developers\n"
                             "License GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>\n"
                             "This is free software: you are free to change and redistribute it.\n"
                             "There is NO WARRANTY, to the extent permitted by law.\n")
                  .arg(QString::fromLatin1(Module1::ProgramTitle), QString::fromLatin1(Module1::ProgramVersion)));
        return 0;
    }
    if (displayMissing(parser)) {
        print(stderr,
              QStringLiteral("%1: no display: neither DISPLAY nor WAYLAND_DISPLAY is set (start it in a desktop "
                             "session, or name an X server with -display)\n")
                  .arg(QString::fromLatin1(ProgramName)));
        return 1;
    }
    return std::nullopt;
}
