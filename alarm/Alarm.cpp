#include "alarm/Alarm.h"

#include "platform/TimeSource.h"
#include "sound/SoundPlayer.h"

Alarm::Alarm(const TimeSource& time, SoundPlayer& sound)
    : m_time(time)
    , m_sound(sound)
{
    m_timerAlarm.setTimerType(Qt::PreciseTimer);
    connect(&m_timerAlarm, &QTimer::timeout, this, &Alarm::Timer_Alarm_Elapsed);
}

void Alarm::reset(const QString& soundFile)
{
    m_timerAlarm.stop();
    m_state.AlarmSoundFile = soundFile;
    m_state.AlarmRinging = false;
}

void Alarm::arm()
{
    aim();
    m_timerAlarm.start(nextLookMs());
    emit armedChanged(true);
}

void Alarm::disarm()
{
    m_state.AlarmRinging = false;
    m_timerAlarm.stop();
    emit armedChanged(false);
}

void Alarm::setAlarmHour(std::int16_t hour)
{
    if (hour == m_state.AlarmHour)
        return;
    m_state.AlarmHour = hour;
    if (Timer_AlarmEnabled())
        aim();
}

void Alarm::setAlarmMin(std::int16_t minute)
{
    if (minute == m_state.AlarmMin)
        return;
    m_state.AlarmMin = minute;
    if (Timer_AlarmEnabled())
        aim();
}

void Alarm::setAlarmSoundFile(const QString& path)
{
    m_state.AlarmSoundFile = path;
}

void Alarm::aim()
{
    m_watch.aim(m_state.AlarmHour, m_state.AlarmMin, m_time.now().msecsSinceEpoch);
}

// A timer counts only the time the computer is awake. Looking just after every
// new second, when the hands wake anyway, the watch finds the wall clock moved
// within a second of a resume, and costs next to nothing meanwhile.
int Alarm::nextLookMs() const
{
    if (m_state.AlarmRinging)
        return AlarmWatch::RingIntervalMs;
    return TimeSteps::untilNextSecond(m_time.now().time, TimeSteps::AfterNewSecondMs);
}

void Alarm::Timer_Alarm_Elapsed()
{
    Timer_Alarm_Timer();
    if (Timer_AlarmEnabled())
        m_timerAlarm.start(nextLookMs());
}

void Alarm::Timer_Alarm_Timer()
{
    if (m_state.AlarmRinging) {
        // Holds the program until the sound has ended, so that it repeats with
        // short pauses and a click on the pop-up comes between two plays.
        m_sound.playSync(m_state.AlarmSoundFile);
        return;
    }
    if (!m_watch.look(m_time.now().msecsSinceEpoch))
        return;
    m_state.AlarmRinging = true;
    emit wentOff();
}
