#include "alarm/Alarm.h"

#include "alarm/AlarmLog.h"
#include "platform/TimeSource.h"
#include "sound/SoundPlayer.h"

namespace {

// Any later after its minute began, something kept the watch from looking.
constexpr qint64 LateAfterMs = 2000;

} // namespace

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
    const LocalDateTime now = m_time.now();
    if (!m_watch.look(now.msecsSinceEpoch))
        return;
    m_state.AlarmRinging = true;
    reportGoingOff(now.time, m_watch.lateByMs(now.msecsSinceEpoch));
    emit wentOff();
}

void Alarm::reportGoingOff(const QTime& at, qint64 lateByMs) const
{
    const int hour = m_state.AlarmHour;
    const int minute = m_state.AlarmMin;
    const QByteArray when = at.toString(QStringLiteral("HH:mm:ss")).toLatin1();
    if (lateByMs <= LateAfterMs) {
        qCInfo(lcAlarm, "the alarm for %d:%02d went off at %s", hour, minute, when.constData());
        return;
    }
    const qint64 seconds = lateByMs / 1000;
    qCWarning(lcAlarm,
              "the alarm for %d:%02d went off %lld min %lld s late, at %s: its minute passed while the clock could "
              "not look (the computer asleep or busy, or its clock set forward)",
              hour, minute, seconds / 60, seconds % 60, when.constData());
}
