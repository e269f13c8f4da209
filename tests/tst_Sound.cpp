#include "TestFiles.h"
#include "fakes/FakeAudioDevice.h"
#include "fakes/FakeTimeSource.h"
#include "sound/AudioProcess.h"
#include "sound/SdlAudioDevice.h"
#include "sound/WavePlayer.h"

#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The sound subsystem: wave files played by the sound child, and an output
// that comes and goes with its sound server.
class TestSound final : public QObject
{
    Q_OBJECT

private:
    // Read once: the device writes to the file as it plays.
    static qint64 nonSilentBytes(const QByteArray& output) { return output.size() - output.count('\0'); }

private slots:
    // A missing wave file is silent as a cue and rings as two short beeps;
    // the sound child says once why.
    void aMissingWaveIsSilentAsACueAndBeepsAsARing()
    {
        QTemporaryDir dir;
        const QString output = dir.path() + "/out.raw";
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        FakeTimeSource time;
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
        // The beeps last 0.4 s, and the child says so in milliseconds.
        QCOMPARE(device.play(missing, AudioDevice::Unreadable::DefaultSound), std::optional<int>(400));
        ::dup2(stderrSaved, STDERR_FILENO);
        ::close(stderrSaved);
        QCOMPARE(
            load(log.fileName()).count("tansywatch.sound: the wave file " + missing.toUtf8() + " could not be read"),
            1);
    }

    void withoutSdlThereIsNoSoundAndNoCrash()
    {
        FakeTimeSource time;
        SdlAudioDevice withoutSdl("libSDL2-absent.so.0");
        WavePlayer(withoutSdl, time).playSync(QStringLiteral("alarm1.wav"));
        QVERIFY(!withoutSdl.open());
    }

    void soundComesBackWithItsServer()
    {
        FakeTimeSource time;
        FakeAudioDevice device;
        WavePlayer player(device, time);
        const QString alarm = QStringLiteral("alarm1.wav");

        // Each loss and return is logged once, not at every try.
        QTest::failOnWarning(QRegularExpression("."));
        // No server yet at the first cue: the alarm ringing within the second
        // after that try does not try again.
        device.server = false;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no sound output"));
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

QTEST_GUILESS_MAIN(TestSound)
#include "tst_Sound.moc"
