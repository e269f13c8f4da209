#include "alarm/AlarmWatch.h"
#include "controls/ComboBox.h"
#include "fakes/FakeDesktop.h"
#include "options/frmOption.h"
#include "popup/TimesUP.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

// The alarm from arming to switching off, driven by a fake clock, with the
// message boxes answered by script.
class TestAlarm final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<FakeDesktop> m_desk;

    Program& forms() { return *m_desk->program; }
    frmClock& clock() { return m_desk->clock(); }
    Alarm& alarm() { return m_desk->module->alarm(); }
    FakeMsgBox& boxes() { return m_desk->msgBox; }
    QStringList& cues() { return m_desk->sound.played; }
    QString cue(const char* name) { return m_desk->cue(name); }

    // A look of the watch at this moment.
    void tickAt(const QTime& time)
    {
        m_desk->time.setTime(time);
        alarm().Timer_Alarm_Timer();
    }

    static QString timeText(int hour, int minute) { return QString("%1 Hr : %2 Min").arg(hour).arg(minute); }

    void pick(int hour, int minute)
    {
        forms().options().Combo_Hour().setListIndex(hour);
        forms().options().Combo_Min().setListIndex(minute);
    }

    void armAt(const QTime& now, int hour, int minute)
    {
        m_desk->time.setTime(now);
        pick(hour, minute);
        boxes().expect("Alarm is Enabled now.\r\n" + timeText(hour, minute));
        forms().options().Cmd_Alarm().click();
        m_desk->processDeletes();
    }

    void expectDisableQuestion(MsgBox::Answer answer)
    {
        boxes().expect("Alarm is enabled.\r\n" + timeText(alarm().state().AlarmHour, alarm().state().AlarmMin)
                           + "\r\n\r\nDisable alarm now?",
                       answer);
        if (answer == MsgBox::vbYes)
            boxes().expect("Alarm is Disabled now.");
    }

    void verifyArmed(bool armed)
    {
        QCOMPARE(alarm().Timer_AlarmEnabled(), armed);
        QCOMPARE(clock().Image_SmallAlarm().Visible(), armed);
        QCOMPARE(clock().Image_SmallAlarm().Enabled(), armed);
        if (!armed) {
            QVERIFY(!alarm().state().AlarmRinging);
            QVERIFY(!forms().loaded(Forms::Form::Popup));
        }
    }

private slots:
    void init()
    {
        m_desk = std::make_unique<FakeDesktop>();
        m_desk->time.set(QDateTime(QDate(2026, 12, 7), QTime(7, 0)));
        clock();
    }

    void cleanup() { m_desk.reset(); }

    void armedAlarmGoesOffAtItsMinuteAndRingsUntilSwitchedOff()
    {
        // The sound picked, once its question has a Yes, is the one that rings.
        boxes().expect("Be the sound of alarm?", MsgBox::vbYes);
        forms().options().alarmTab().Option_sound(2).click();
        QCOMPARE(cues().takeFirst(), cue("alarm3.wav"));
        armAt(QTime(7, 4, 59), 7, 5);
        verifyArmed(true);
        QCOMPARE(cues(), QStringList{cue("do.wav")});
        tickAt(QTime(7, 4, 59, 990));
        QVERIFY(!forms().popup().isVisible());

        tickAt(QTime(7, 5, 0, 10));
        QVERIFY(forms().popup().isVisible());
        QVERIFY(alarm().state().AlarmRinging);
        QCOMPARE(cues().size(), 1);

        // From the next tick on, the whole sound at every tick, past its minute.
        for (const QTime& later : {QTime(7, 5, 0, 310), QTime(7, 6, 0), QTime(8, 6, 0)})
            tickAt(later);
        QCOMPARE(cues().mid(1), QStringList(3, "sync:" + m_desk->file("alarm3.wav")));

        // No changes nothing; Yes switches everything off.
        expectDisableQuestion(MsgBox::vbNo);
        clock().Image_SmallAlarm_Click();
        QVERIFY(alarm().state().AlarmRinging);
        QVERIFY(forms().loaded(Forms::Form::Popup)->isVisible());
        expectDisableQuestion(MsgBox::vbYes);
        clock().Image_SmallAlarm_Click();
        m_desk->processDeletes();
        verifyArmed(false);
        QVERIFY(!forms().loaded(Forms::Form::Options));
        QCOMPARE(cues().mid(4), QStringList({cue("quit.wav"), cue("quit.wav")}));
    }

    // Each row: the zone (a POSIX TZ rule, so no zone files are needed), the
    // alarm, the day, then the moment of arming and of each look, local with
    // the zone's offset where a change makes the local time ambiguous.
    void watchGoesOffAtTheFirstLookOnceItsMinuteHasBegun_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("moments");
        QTest::addColumn<int>("goesOffAtLook");
        QTest::addColumn<int>("minutesLate");
        const QByteArray utc = "UTC0", berlin = "CET-1CEST,M3.5.0,M10.5.0/3", newYork = "EST5EDT,M3.2.0,M11.1.0";
        QTest::newRow("its minute begins") << utc << 7 << 5 << "2026-12-07"
                                           << "07:04:59 07:04:59.990 07:05:00.010" << 2 << 0;
        QTest::newRow("armed inside its minute: at once") << utc << 7 << 5 << "2026-12-07"
                                                          << "07:05:30 07:05:31" << 1 << 0;
        QTest::newRow("asleep from 7:04 to 7:31") << utc << 7 << 5 << "2026-12-07"
                                                  << "07:03:30 07:04 07:31" << 2 << 26;
        QTest::newRow("armed after its minute: tomorrow")
            << utc << 7 << 5 << "2026-12-07"
            << "07:06 07:07 2026-12-08T07:04:59 2026-12-08T07:05" << 3 << 0;
        QTest::newRow("midnight") << utc << 0 << 0 << "2026-12-07"
                                  << "23:59:58 23:59:59 2026-12-08T00:00:00.010" << 2 << 0;
        QTest::newRow("set back over it: then at its minute") << utc << 7 << 5 << "2026-12-07"
                                                              << "07:04 06:00 07:04:59 07:05" << 3 << 0;
        QTest::newRow("set back before it: today after all") << utc << 7 << 5 << "2026-12-07"
                                                             << "07:06 07:00 07:05" << 2 << 0;
        QTest::newRow("set back into it: the clock shows it") << utc << 7 << 5 << "2026-12-07"
                                                              << "07:06 07:05:30" << 1 << 0;
        QTest::newRow("Berlin, spring skips it: the jump") << berlin << 2 << 30 << "2026-03-29"
                                                           << "01:50+01:00 01:59:59+01:00 03:00:00.010+02:00" << 2 << 0;
        QTest::newRow("Berlin, asleep over the spring change") << berlin << 2 << 30 << "2026-03-29"
                                                               << "01:50+01:00 07:00+02:00" << 1 << 240;
        QTest::newRow("Berlin, autumn repeats it: the first") << berlin << 2 << 30 << "2026-10-25"
                                                              << "01:00+02:00 02:29:59+02:00 02:30+02:00" << 2 << 0;
        QTest::newRow("Berlin, armed between the two: the second")
            << berlin << 2 << 30 << "2026-10-25"
            << "02:40+02:00 02:29:59+01:00 02:30+01:00" << 2 << 0;
        QTest::newRow("New York, spring skips it: the jump")
            << newYork << 2 << 15 << "2026-03-08"
            << "01:30-05:00 01:59:59-05:00 03:00:00.010-04:00" << 2 << 0;
        QTest::newRow("New York, autumn repeats it: the first") << newYork << 1 << 30 << "2026-11-01"
                                                                << "00:30-04:00 01:29:59-04:00 01:30-04:00" << 2 << 0;
    }

    void watchGoesOffAtTheFirstLookOnceItsMinuteHasBegun()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, day);
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
        QList<qint64> at;
        for (const QString& moment : moments.split(' '))
            at << QDateTime::fromString(moment.contains('T') ? moment : day + 'T' + moment, Qt::ISODate)
                      .toMSecsSinceEpoch();
        AlarmWatch watch;
        watch.aim(hour, minute, at.takeFirst());
        int look = 0;
        while (look < at.size() && !watch.look(at[look]))
            ++look;
        QCOMPARE(look + 1, goesOffAtLook);
        QCOMPARE(watch.lateByMs(at[look]) / 60000, minutesLate);
    }

    void reopenedDialogShowsTheArmedAlarmAndDisarmsIt()
    {
        armAt(QTime(7, 0), 7, 5);
        frmOption& options = forms().options();
        QCOMPARE(options.Combo_Hour().currentText(), QString("7"));
        QCOMPARE(options.Combo_Min().currentText(), QString("5"));
        QVERIFY(options.Image_Alarm().Visible());
        QCOMPARE(options.Cmd_Alarm().text(), QString("Disable Alarm"));
        // Another minute picked for the armed alarm is the one it goes off at.
        options.Combo_Min().setListIndex(1);
        tickAt(QTime(7, 1, 0, 10));
        QVERIFY(alarm().state().AlarmRinging);

        expectDisableQuestion(MsgBox::vbYes);
        options.Cmd_Alarm().click();
        m_desk->processDeletes();
        verifyArmed(false);
        QVERIFY(!forms().loaded(Forms::Form::Options));
        QCOMPARE(cues().mid(1), QStringList({cue("do.wav"), cue("quit.wav")}));

        // Opened again, the dialog shows no alarm.
        QCOMPARE(forms().options().Cmd_Alarm().text(), QString("Enable Alarm"));
        QVERIFY(!forms().options().Image_Alarm().Visible());
        QCOMPARE(forms().options().Combo_Hour().ListIndex(), -1);
    }

    void anAlarmForThisMinuteGoesOffUnderItsConfirmationAndRingsWithoutPopUp()
    {
        m_desk->time.setTime(QTime(7, 5, 10));
        pick(7, 5);
        boxes().expect("Alarm is Enabled now.\r\n" + timeText(7, 5));
        boxes().whileOpen = [this] { tickAt(QTime(7, 5, 10, 300)); };
        forms().options().Cmd_Alarm().click();
        QVERIFY(alarm().state().AlarmRinging);
        QVERIFY(!forms().popup().isVisible());
        expectDisableQuestion(MsgBox::vbYes);
        clock().Image_SmallAlarm_Click();
    }

    void popUpMovesWithADragAndAsksOnlyOnceItEnds()
    {
        armAt(QTime(7, 4, 59), 7, 5);
        tickAt(QTime(7, 5, 0, 10));
        TimesUP& popup = forms().popup();
        QVERIFY(!popup.mask().isEmpty());

        // Find a point on the letters, press, drag, and only then the question.
        const QRect first = *popup.mask().begin();
        const QPoint grip = first.center();
        const QPoint start = popup.pos();
        QTest::mousePress(&popup.pic1(), Qt::RightButton, {}, grip);
        QMouseEvent drag(QEvent::MouseMove, QPointF(grip + QPoint(30, 20)),
                         popup.pic1().mapToGlobal(QPointF(grip + QPoint(30, 20))), Qt::NoButton, Qt::RightButton, {});
        QCoreApplication::sendEvent(&popup.pic1(), &drag);
        QVERIFY(boxes().styles.size() == 1);
        QCOMPARE(popup.pos(), start + QPoint(30, 20));
        expectDisableQuestion(MsgBox::vbNo);
        QTest::mouseRelease(&popup.pic1(), Qt::RightButton, {}, grip);
        QCOMPARE(boxes().styles.size(), 2);
        QCOMPARE(popup.pos(), start + QPoint(30, 20));
        QVERIFY(alarm().state().AlarmRinging);
    }
};

QTEST_MAIN(TestAlarm)
#include "tst_Alarm.moc"
