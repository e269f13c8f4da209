#include "alarm/AlarmWatch.h"
#include "controls/ComboBox.h"
#include "fakes/FakeDesktop.h"
#include "options/frmOption.h"
#include "popup/TimesUP.h"

#include <QPushButton>
#include <QRadioButton>
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

    // The watch's timer as it would fire at this moment.
    void tickAt(const QTime& time)
    {
        m_desk->time.setTime(time);
        alarm().Timer_Alarm_Elapsed();
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
        boxes().expect("Alarm is enabled.\r\n" + timeText(alarm().AlarmHour, alarm().AlarmMin)
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
            QVERIFY(!alarm().AlarmRinging);
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
        // Asleep until the minute begins, then a look just after it.
        QCOMPARE(alarm().Timer_Alarm().interval(), 300);
        tickAt(QTime(7, 4, 59, 300));
        QCOMPARE(alarm().Timer_Alarm().interval(), 700 + AlarmWatch::AfterMinuteMs);
        QVERIFY(!forms().popup().isVisible());

        tickAt(QTime(7, 5, 0, 10));
        QVERIFY(forms().popup().isVisible());
        QVERIFY(alarm().AlarmRinging);
        QCOMPARE(cues().size(), 1);

        // From the next tick on, the whole sound at every tick, past its minute.
        for (const QTime& later : {QTime(7, 5, 0, 310), QTime(7, 6, 0), QTime(8, 6, 0)})
            tickAt(later);
        QCOMPARE(cues().mid(1), QStringList(3, "sync:" + m_desk->file("alarm3.wav")));
        QCOMPARE(alarm().Timer_Alarm().interval(), AlarmWatch::RingIntervalMs);

        // No changes nothing; Yes switches everything off.
        expectDisableQuestion(MsgBox::vbNo);
        clock().Image_SmallAlarm_Click();
        QVERIFY(alarm().AlarmRinging);
        QVERIFY(forms().loaded(Forms::Form::Popup)->isVisible());
        expectDisableQuestion(MsgBox::vbYes);
        clock().Image_SmallAlarm_Click();
        m_desk->processDeletes();
        verifyArmed(false);
        QVERIFY(!forms().loaded(Forms::Form::Options));
        QCOMPARE(cues().mid(4), QStringList({cue("quit.wav"), cue("quit.wav")}));

        // A one-time alarm: the next day at the same minute nothing happens.
        m_desk->time.set(QDateTime(QDate(2026, 12, 8), QTime(7, 5, 0, 10)));
        clock().Timer1_Elapsed();
        verifyArmed(false);
    }

    void theAlarmMinuteIsFoundWhereverTheClockStands_data()
    {
        QTest::addColumn<QTime>("armedAt");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QTime>("goesOffAt");
        QTest::newRow("midnight") << QTime(23, 59, 58) << 0 << 0 << QTime(0, 0, 0, 10);
        QTest::newRow("armed during its own minute") << QTime(7, 5, 30) << 7 << 5 << QTime(7, 5, 30, 300);
    }

    void theAlarmMinuteIsFoundWhereverTheClockStands()
    {
        QFETCH(QTime, armedAt);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QTime, goesOffAt);
        armAt(armedAt, hour, minute);
        // The clock's own tick keeps the watch's sleep right, so a wall clock
        // that jumps into the alarm minute is noticed within a second.
        m_desk->time.setTime(goesOffAt);
        clock().Timer1_Elapsed();
        QCOMPARE(alarm().Timer_Alarm().interval(), 0);
        tickAt(goesOffAt);
        QVERIFY(alarm().AlarmRinging);
        QVERIFY(forms().popup().isVisible());
    }

    void reopenedDialogShowsTheArmedAlarmAndDisarmsIt()
    {
        armAt(QTime(7, 0), 7, 5);
        frmOption& options = forms().options();
        QCOMPARE(options.Combo_Hour().currentText(), QString("7"));
        QCOMPARE(options.Combo_Min().currentText(), QString("5"));
        QVERIFY(options.Image_Alarm().Visible());
        QCOMPARE(options.Cmd_Alarm().text(), QString("Disable Alarm"));

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
        QVERIFY(alarm().AlarmRinging);
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
        QVERIFY(alarm().AlarmRinging);
    }
};

QTEST_MAIN(TestAlarm)
#include "tst_Alarm.moc"
