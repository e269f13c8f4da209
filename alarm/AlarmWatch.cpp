#include "alarm/AlarmWatch.h"

#include "platform/TimeSource.h"

namespace {

bool isAlarmMinute(const AlarmState& alarm, const QTime& now)
{
    return now.hour() == alarm.AlarmHour && now.minute() == alarm.AlarmMin;
}

QString alarmTime(const AlarmState& alarm)
{
    return QString::number(alarm.AlarmHour) + QLatin1String(" Hr : ") + QString::number(alarm.AlarmMin)
        + QLatin1String(" Min");
}

} // namespace

AlarmWatch::Step AlarmWatch::tick(AlarmState& alarm, const QTime& now)
{
    if (alarm.AlarmRinging)
        return Step::Ring;
    if (!isAlarmMinute(alarm, now))
        return Step::Wait;
    alarm.AlarmRinging = true;
    return Step::GoOff;
}

int AlarmWatch::nextTickMs(const AlarmState& alarm, const QTime& now)
{
    if (alarm.AlarmRinging)
        return RingIntervalMs;
    if (isAlarmMinute(alarm, now))
        return 0;
    return TimeSteps::untilNextMinute(now, AfterMinuteMs);
}

QString AlarmWatch::enabledMessage(const AlarmState& alarm)
{
    return QLatin1String("Alarm is Enabled now.\r\n") + alarmTime(alarm);
}

QString AlarmWatch::disableQuestion(const AlarmState& alarm)
{
    return QLatin1String("Alarm is enabled.\r\n") + alarmTime(alarm) + QLatin1String("\r\n\r\nDisable alarm now?");
}
