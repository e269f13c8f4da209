#include "TestFiles.h"
#include "fakes/FakeAudioDevice.h"
#include "fakes/FakeTimeSource.h"
#include "platform/WindowPlacement.h"
#include "sound/AudioProcess.h"
#include "sound/SdlAudioDevice.h"
#include "sound/WavePlayer.h"

#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

class TestPlatform final : public QObject
{
    Q_OBJECT

private:
    // Read once: the device writes to the file as it plays.
    static qint64 nonSilentBytes(const QByteArray& output) { return output.size() - output.count('\0'); }

private slots:
    // A 234 x 214 window beside its owner on a 1024 x 768 screen whose top
    // 24 pixels are a panel's.
    void windowOpensBesideItsOwnerInsideTheWorkArea_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("right, tops in line") << QRect(441, 285, 142, 198) << QPoint(583, 285);
        QTest::newRow("right, pushed up off the bottom") << QRect(441, 700, 142, 198) << QPoint(583, 554);
        QTest::newRow("left at the right edge") << QRect(850, 10, 142, 198) << QPoint(616, 24);
        QTest::newRow("below when no side has room") << QRect(-200, 100, 1400, 198) << QPoint(0, 298);
        QTest::newRow("above when below has none either") << QRect(-200, 600, 1400, 198) << QPoint(0, 386);
        QTest::newRow("over the owner only when nothing else fits") << QRect(-200, 200, 1400, 400) << QPoint(790, 200);
    }

    void windowOpensBesideItsOwnerInsideTheWorkArea()
    {
        QFETCH(QRect, owner);
        QFETCH(QPoint, expected);
        QCOMPARE(WindowPlacement::beside(owner, QSize(234, 214), QRect(0, 24, 1024, 744)), expected);
    }

    void soundsReachTheDevice()
    {
        QTemporaryDir dir;
        const QString output = dir.path() + "/out.raw";
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        FakeTimeSource time;
        time.set(QDateTime(QDate(2026, 12, 7), QTime(7, 5)));
        AudioProcess device(QStringLiteral(TANSY_PROGRAM));
        WavePlayer player(device, time);
        const QString missing = dir.path() + "/missing.wav";
        // The child's log reaches the clock's standard error, here a file.
        QFile log(dir.path() + "/stderr");
        QVERIFY(log.open(QIODevice::WriteOnly));
        const int stderrSaved = ::dup(STDERR_FILENO);
        ::dup2(log.handle(), STDERR_FILENO);
        player.playAsync(missing);
        QCOMPARE(nonSilentBytes(load(output)), 0);

        // A ringing alarm with its wave file gone still makes itself heard;
        // the waves that are there are heard in the end-to-end runs.
        player.playSync(missing);
        QVERIFY(nonSilentBytes(load(output)) > 0);
        ::dup2(stderrSaved, STDERR_FILENO);
        ::close(stderrSaved);
        QCOMPARE(load(log.fileName()).count("tansywatch.sound: Cannot read the wave file " + missing.toUtf8()), 1);

        // Without SDL there is no sound, and no crash either.
        SdlAudioDevice withoutSdl("libSDL2-absent.so.0");
        WavePlayer silent(withoutSdl, time);
        silent.playSync(missing);
        QVERIFY(!withoutSdl.open());
    }

    void soundComesBackWithItsServer()
    {
        FakeTimeSource time;
        time.set(QDateTime(QDate(2026, 12, 7), QTime(7, 5)));
        FakeAudioDevice device;
        WavePlayer player(device, time);
        const QString alarm = QStringLiteral("alarm1.wav");

        // Each loss and return is logged once, not at every try.
        QTest::failOnWarning(QRegularExpression("."));
        // No server yet at the first cue: the alarm ringing within the second
        // after that try does not try again.
        device.server = false;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No sound output"));
        player.playAsync(QStringLiteral("do.wav"));
        time.advanceMs(WavePlayer::RetryMs - 1);
        player.playSync(alarm);
        QCOMPARE(device.opens, 1);
        // Once the server is there, the first ring a second after the try is heard.
        device.server = true;
        time.advanceMs(1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("open again"));
        player.playSync(alarm);
        QCOMPARE(device.heard, 1);

        // The server dies while the alarm rings: the next ring finds the device
        // lost and tries afresh, in vain; the rings after it wait out the second.
        device.killServer();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("lost"));
        player.playSync(alarm);
        time.advanceMs(WavePlayer::RetryMs - 1);
        player.playSync(alarm);
        QCOMPARE(device.opens, 3);
        device.server = true;
        time.advanceMs(1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("open again"));
        player.playSync(alarm);
        QCOMPARE(device.heard, 2);

        // A server that is back before the next cue leaves the device lost all
        // the same; the cue is heard through a device opened afresh.
        device.killServer();
        device.server = true;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("lost"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("open again"));
        player.playAsync(QStringLiteral("quit.wav"));
        QCOMPARE(device.heard, 3);
        QCOMPARE(device.opens, 5);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_Platform.moc"
