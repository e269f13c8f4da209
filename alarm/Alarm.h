#pragma once

#include "alarm/AlarmState.h"

#include <QObject>
#include <QTime>
#include <QTimer>

class SoundPlayer;
class TimeSource;

// The one-time alarm: its state and the timer that watches it. An alarm is
// armed exactly while Timer_Alarm runs. The windows show what it tells them.
class Alarm final : public QObject, public AlarmState
{
    Q_OBJECT

public:
    Alarm(const TimeSource& time, SoundPlayer& sound);

    QTimer& Timer_Alarm() { return m_timerAlarm; }
    bool Timer_AlarmEnabled() const { return m_timerAlarm.isActive(); }

    // The state a new clock starts with: not armed, not ringing, this sound.
    void reset(const QString& soundFile);
    // Starts the watch; the alarm goes off in its minute.
    void arm();
    // Stops the watch and any ringing.
    void disarm();

    // The clock's once-a-second look at the wall clock. An armed alarm sleeps
    // until its minute; this keeps that sleep right when the wall clock jumps
    // (a resume from suspend, a clock set by hand) or the alarm's hour changes.
    void followWallClock(const QTime& now);

    void Timer_Alarm_Timer();
    // Timer_Alarm's expiry: the watch, then the timer set for its next look.
    void Timer_Alarm_Elapsed();

signals:
    void armedChanged(bool armed);
    // The alarm's minute has come: the pop-up is due. It rings from the next tick on.
    void wentOff();

private:
    const TimeSource& m_time;
    SoundPlayer& m_sound;
    QTimer m_timerAlarm;
};
