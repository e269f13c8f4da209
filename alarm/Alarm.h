#pragma once

#include "alarm/AlarmState.h"
#include "alarm/AlarmWatch.h"

#include <QObject>
#include <QTime>
#include <QTimer>

#include <cstdint>

class SoundPlayer;
class TimeSource;

// The one-time alarm: its state, which changes only through the operations
// below, and the watch that keeps an eye on the wall clock. An alarm is armed
// exactly while Timer_Alarm runs. The windows show what it tells them.
class Alarm final : public QObject
{
    Q_OBJECT

public:
    Alarm(const TimeSource& time, SoundPlayer& sound);

    const AlarmState& state() const { return m_state; }
    bool Timer_AlarmEnabled() const { return m_timerAlarm.isActive(); }

    // The state a new clock starts with: not armed, not ringing, this sound.
    void reset(const QString& soundFile);
    // Starts the watch; the alarm goes off when its minute next begins.
    void arm();
    // Stops the watch and any ringing.
    void disarm();
    // An armed alarm given another hour or minute goes off at the new one.
    void setAlarmHour(std::int16_t hour);
    void setAlarmMin(std::int16_t minute);
    // Heard from the next play on, also while ringing.
    void setAlarmSoundFile(const QString& path);

    // One look of the watch: the alarm goes off once its minute has begun,
    // and from the next look on plays its sound whole at every look.
    void Timer_Alarm_Timer();
    // How long until the watch looks again: just after the next new second,
    // or while ringing, the pause between the end of one play and the next.
    int nextLookMs() const;

signals:
    void armedChanged(bool armed);
    // The alarm's minute has come: the pop-up is due. It rings from the next look on.
    void wentOff();

private:
    void Timer_Alarm_Elapsed();
    void aim();
    void reportGoingOff(const QTime& at, qint64 lateByMs) const;

    const TimeSource& m_time;
    SoundPlayer& m_sound;
    AlarmState m_state;
    AlarmWatch m_watch;
    QTimer m_timerAlarm;
};
