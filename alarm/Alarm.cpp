#include "alarm/Alarm.h"

#include "alarm/AlarmWatch.h"
#include "platform/TimeSource.h"
#include "sound/SoundPlayer.h"

Alarm::Alarm(const TimeSource& time, SoundPlayer& sound)
    : m_time(time)
    , m_sound(sound)
{
    m_timerAlarm.setInterval(AlarmWatch::RingIntervalMs);
    m_timerAlarm.setTimerType(Qt::PreciseTimer);
    connect(&m_timerAlarm, &QTimer::timeout, this, &Alarm::Timer_Alarm_Elapsed);
}

void Alarm::reset(const QString& soundFile)
{
    m_timerAlarm.stop();
    AlarmSoundFile = soundFile;
    AlarmRinging = false;
}

void Alarm::arm()
{
    m_timerAlarm.start(AlarmWatch::RingIntervalMs);
    emit armedChanged(true);
}

void Alarm::disarm()
{
    AlarmRinging = false;
    m_timerAlarm.stop();
    emit armedChanged(false);
}

void Alarm::followWallClock(const QTime& now)
{
    if (Timer_AlarmEnabled() && !AlarmRinging)
        m_timerAlarm.start(AlarmWatch::nextTickMs(*this, now));
}

void Alarm::Timer_Alarm_Elapsed()
{
    Timer_Alarm_Timer();
    if (Timer_AlarmEnabled())
        m_timerAlarm.start(AlarmWatch::nextTickMs(*this, m_time.now().time));
}

void Alarm::Timer_Alarm_Timer()
{
    switch (AlarmWatch::tick(*this, m_time.now().time)) {
    case AlarmWatch::Step::Ring:
        // Holds the program until the sound has ended, so that it repeats with
        // short pauses and a click on the pop-up comes between two plays.
        m_sound.playSync(AlarmSoundFile);
        break;
    case AlarmWatch::Step::GoOff:
        emit wentOff();
        break;
    case AlarmWatch::Step::Wait:
        break;
    }
}
