#include "alarm/Alarm.h"
#include "fakes/FakeSoundPlayer.h"
#include "fakes/FakeTimeSource.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

namespace {

// An alarm on a fake clock, its sounds recorded; armed for 7:05 at 7:04:59
// unless told otherwise.
struct ArmedAlarm
{
    FakeTimeSource time;
    FakeSoundPlayer sound;
    Alarm alarm{time, sound};
    QSignalSpy wentOff{&alarm, &Alarm::wentOff};

    explicit ArmedAlarm(int hour = 7, int minute = 5,
                        const QDateTime& now = QDateTime(QDate(2026, 12, 7), QTime(7, 4, 59)))
    {
        time.set(now);
        alarm.reset("alarm1.wav");
        alarm.setAlarmHour(std::int16_t(hour));
        alarm.setAlarmMin(std::int16_t(minute));
        alarm.arm();
    }

    // One look of the watch at this moment.
    void lookAt(const QDateTime& at)
    {
        time.set(at);
        alarm.Timer_Alarm_Timer();
    }
    void lookAt(const QTime& at) { lookAt(QDateTime(QDate(2026, 12, 7), at)); }
};

} // namespace

// The one-time alarm: when its watch finds its minute has begun, how it
// rings, and another time for an armed alarm, on a fake clock. Disarming is
// seen where the windows do it.
class TestAlarm final : public QObject
{
    Q_OBJECT

private slots:
    // Each row: the zone (a POSIX TZ rule, so no zone files are needed), the
    // alarm, the day, then the moment of arming and of each look, local with
    // the zone's offset where a change makes the local time ambiguous. Only
    // an alarm that went off late warns, and says how late.
    void goesOffAtTheFirstLookOnceItsMinuteHasBegun_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("moments");
        QTest::addColumn<int>("goesOffAtLook");
        QTest::addColumn<int>("minutesLate");
        const char *utc = "UTC0", *berlin = "CET-1CEST,M3.5.0,M10.5.0/3", *newYork = "EST5EDT,M3.2.0,M11.1.0";
        const auto row = [](const char* name, const char* zone, int hour, int minute, const char* day,
                            const char* moments, int goesOffAtLook, int minutesLate) {
            QTest::newRow(name) << QByteArray(zone) << hour << minute << QString(day) + 'T' + moments << goesOffAtLook
                                << minutesLate;
        };
        row("its minute begins", utc, 7, 5, "2026-12-07", "07:04:59 07:04:59.990 07:05:00.010", 2, 0);
        row("armed inside its minute: at once", utc, 7, 5, "2026-12-07", "07:05:30 07:05:31", 1, 0);
        row("asleep from 7:04 to 7:31", utc, 7, 5, "2026-12-07", "07:03:30 07:04 07:31", 2, 26);
        row("armed after its minute: tomorrow", utc, 7, 5, "2026-12-07",
            "07:06 07:07 2026-12-08T07:04:59 2026-12-08T07:05", 3, 0);
        row("midnight", utc, 0, 0, "2026-12-07", "23:59:58 23:59:59 2026-12-08T00:00:00.010", 2, 0);
        row("set back over it: then at its minute", utc, 7, 5, "2026-12-07", "07:04 06:00 07:04:59 07:05", 3, 0);
        row("set back before it: today after all", utc, 7, 5, "2026-12-07", "07:06 07:00 07:05", 2, 0);
        row("set back into it: tomorrow", utc, 7, 5, "2026-12-07", "07:06 07:05:30 2026-12-08T07:05", 2, 0);
        row("Berlin, spring skips it: the jump", berlin, 2, 30, "2026-03-29",
            "01:50+01:00 01:59:59+01:00 03:00:00.010+02:00", 2, 0);
        row("Berlin, asleep over the spring change", berlin, 2, 30, "2026-03-29", "01:50+01:00 07:00+02:00", 1, 240);
        row("Berlin, autumn repeats it: the first", berlin, 2, 30, "2026-10-25",
            "01:00+02:00 02:29:59+02:00 02:30+02:00", 2, 0);
        row("Berlin, armed between the two: the second", berlin, 2, 30, "2026-10-25",
            "02:40+02:00 02:29:59+01:00 02:30+01:00", 2, 0);
        row("New York, spring skips it: the jump", newYork, 2, 15, "2026-03-08",
            "01:30-05:00 01:59:59-05:00 03:00:00.010-04:00", 2, 0);
        row("New York, autumn repeats it: the first", newYork, 1, 30, "2026-11-01",
            "00:30-04:00 01:29:59-04:00 01:30-04:00", 2, 0);
    }

    void goesOffAtTheFirstLookOnceItsMinuteHasBegun()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, moments);
        QFETCH(int, goesOffAtLook);
        QFETCH(int, minutesLate);
        const QByteArray machineZone = qgetenv("TZ");
        qputenv("TZ", zone);
        const auto restore = qScopeGuard([&machineZone] {
            if (machineZone.isNull())
                qunsetenv("TZ");
            else
                qputenv("TZ", machineZone);
        });
        QList<QDateTime> at;
        const QString day = moments.left(10);
        for (const QString& moment : moments.split(' '))
            at << QDateTime::fromString(moment.contains('T') ? moment : day + 'T' + moment, Qt::ISODate);
        ArmedAlarm armed(hour, minute, at.takeFirst());
        QTest::failOnWarning(QRegularExpression("."));
        if (minutesLate > 0)
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QString(" went off %1 min 0 s late").arg(minutesLate)));
        int looks = 0;
        for (; armed.wentOff.isEmpty() && looks < at.size(); ++looks)
            armed.lookAt(at[looks]);
        QCOMPARE(armed.wentOff.size(), 1);
        QCOMPARE(looks, goesOffAtLook);
    }

    // From the look after it went off, past its minute, until it is switched
    // off; a sound picked meanwhile rings from the next look.
    void ringsItsWholeSoundAtEveryLook()
    {
        ArmedAlarm armed;
        armed.lookAt(QTime(7, 5, 0, 10));
        for (const QTime& later : {QTime(7, 5, 0, 310), QTime(7, 6, 0), QTime(8, 6, 0)})
            armed.lookAt(later);
        armed.alarm.setAlarmSoundFile("alarm3.wav");
        armed.lookAt(QTime(8, 6, 0, 300));
        QCOMPARE(armed.sound.played,
                 QStringList({"sync:alarm1.wav", "sync:alarm1.wav", "sync:alarm1.wav", "sync:alarm3.wav"}));
        QCOMPARE(armed.wentOff.size(), 1);
    }

    // Just after each new second, so that a computer woken from sleep is seen
    // within a second; while ringing, after the pause between two plays.
    void looksAgainAfterTheNextSecondOrTheRingPause()
    {
        ArmedAlarm armed(7, 5, QDateTime(QDate(2026, 12, 7), QTime(7, 4, 30, 250)));
        QCOMPARE(armed.alarm.nextLookMs(), 750 + TimeSteps::AfterNewSecondMs);
        armed.lookAt(QTime(7, 5, 0, 10));
        QCOMPARE(armed.alarm.nextLookMs(), 300);
    }

    void anArmedAlarmGivenAnotherTimeGoesOffThen()
    {
        ArmedAlarm armed;
        armed.alarm.setAlarmHour(8);
        armed.alarm.setAlarmMin(0);
        armed.lookAt(QTime(7, 5, 0, 10));
        QVERIFY(armed.wentOff.isEmpty());
        armed.lookAt(QTime(8, 0, 0, 10));
        QCOMPARE(armed.wentOff.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAlarm)
#include "tst_Alarm.moc"
