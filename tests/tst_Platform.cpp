#include "app/ProgramPaths.h"
#include "platform/DisplaySession.h"
#include "platform/SdlSoundPlayer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <map>

class TestPlatform final : public QObject
{
    Q_OBJECT

private:
    static std::optional<std::string> platformFor(const std::map<std::string, std::string>& environment)
    {
        return DisplaySession::preferredPlatform([&environment](const char* name) -> std::optional<std::string> {
            const auto found = environment.find(name);
            if (found == environment.end())
                return std::nullopt;
            return found->second;
        });
    }

    static qint64 nonSilentBytes(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray data = file.readAll();
        return std::count_if(data.begin(), data.end(), [](char byte) { return byte != 0; });
    }

private slots:
    void waylandSessionsRunThroughXWayland_data()
    {
        QTest::addColumn<QString>("waylandDisplay");
        QTest::addColumn<QString>("sessionType");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("userChoice");
        QTest::addColumn<QString>("expected");
        QTest::newRow("X11 session: Qt's own choice") << "" << "x11" << ":0" << "" << "";
        QTest::newRow("Wayland with XWayland") << "wayland-0" << "wayland" << ":0" << "" << "xcb";
        QTest::newRow("Wayland named only by the session type") << "" << "wayland" << ":1" << "" << "xcb";
        QTest::newRow("Wayland without XWayland") << "wayland-0" << "wayland" << "" << "" << "";
        QTest::newRow("the user's choice wins") << "wayland-0" << "wayland" << ":0" << "wayland" << "";
    }

    void waylandSessionsRunThroughXWayland()
    {
        QFETCH(QString, waylandDisplay);
        QFETCH(QString, sessionType);
        QFETCH(QString, display);
        QFETCH(QString, userChoice);
        QFETCH(QString, expected);
        std::map<std::string, std::string> environment;
        const auto put = [&environment](const char* name, const QString& value) {
            if (!value.isEmpty())
                environment[name] = value.toStdString();
        };
        put("WAYLAND_DISPLAY", waylandDisplay);
        put("XDG_SESSION_TYPE", sessionType);
        put("DISPLAY", display);
        put("QT_QPA_PLATFORM", userChoice);
        QCOMPARE(QString::fromStdString(platformFor(environment).value_or("")), expected);
    }

    void filesLieInTheProgramDirectory()
    {
        QCOMPARE(ProgramPaths::settingsPath("/opt/tansy"), std::string("/opt/tansy/setting.ini"));
        QCOMPARE(ProgramPaths::settingsPath("/"), std::string("/setting.ini"));
        QCOMPARE(ProgramPaths::fileBeside("/opt/tansy", "do.wav"), std::string("/opt/tansy/do.wav"));
    }

    void soundsReachTheDevice()
    {
        QTemporaryDir dir;
        const QString output = dir.path() + "/out.raw";
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        const QString click = QStringLiteral(TANSY_RESOURCES_DIR "/do.wav");
        QVERIFY(QFile::exists(click));

        SdlSoundPlayer player;
        player.playAsync(dir.path() + "/missing.wav");
        QCOMPARE(nonSilentBytes(output), 0);

        player.playSync(click);
        const qint64 clickBytes = nonSilentBytes(output);
        QVERIFY2(clickBytes > 0, "the wave's samples never reached the device");

        // A ringing alarm with its wave file gone still makes itself heard.
        player.playSync(dir.path() + "/missing.wav");
        QVERIFY(nonSilentBytes(output) > clickBytes);

        // A device that takes two seconds per buffer does not hold the alarm up
        // much past the 400 ms its beeps last.
        qputenv("SDL_DISKAUDIODELAY", "2000");
        SdlSoundPlayer stalled;
        QElapsedTimer timer;
        timer.start();
        stalled.playSync(dir.path() + "/missing.wav");
        QVERIFY(timer.elapsed() < 1800);
    }
};

QTEST_APPLESS_MAIN(TestPlatform)
#include "tst_Platform.moc"
