#include "alarm/AlarmWatch.h"

#include <QDateTime>

#include <algorithm>
#include <vector>

namespace {

constexpr qint64 MsPerMinute = 60 * 1000;
constexpr qint64 MsPerDay = 24 * 60 * MsPerMinute;
constexpr qint64 UnixEpochJulianDay = 2440588;
// Farther than any zone is from UTC, and nearer than two changes of one zone's offset.
constexpr qint64 BeyondAnyOffsetMs = 36 * 60 * MsPerMinute;

// What the local clock shows at a moment, counted as if its zone were UTC:
// readings compare as the clock's face does, whatever the zone.
qint64 wallClockAt(qint64 moment)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(moment, Qt::LocalTime);
    return (local.date().toJulianDay() - UnixEpochJulianDay) * MsPerDay + local.time().msecsSinceStartOfDay();
}

qint64 offsetAt(qint64 moment)
{
    return wallClockAt(moment) - moment;
}

// The moments the local clock shows `wall`, earliest first: one on most days,
// two in the hour an autumn change repeats, and in the hour a spring change
// skips, the moment the clock jumps over it.
std::vector<qint64> momentsShowing(qint64 wall)
{
    const qint64 withOffsetBefore = wall - offsetAt(wall - BeyondAnyOffsetMs);
    const qint64 withOffsetAfter = wall - offsetAt(wall + BeyondAnyOffsetMs);
    qint64 first = std::min(withOffsetBefore, withOffsetAfter);
    qint64 last = std::max(withOffsetBefore, withOffsetAfter);
    std::vector<qint64> shown;
    for (const qint64 moment : {first, last}) {
        if (wallClockAt(moment) == wall && (shown.empty() || shown.back() != moment))
            shown.push_back(moment);
    }
    if (!shown.empty())
        return shown;
    // Skipped: the clock shows less than `wall` at `first` and more at `last`.
    while (last - first > 1) {
        const qint64 middle = first + (last - first) / 2;
        (wallClockAt(middle) < wall ? first : last) = middle;
    }
    return {last};
}

QString alarmTime(const AlarmState& alarm)
{
    return QString::number(alarm.AlarmHour) + QLatin1String(" Hr : ") + QString::number(alarm.AlarmMin)
        + QLatin1String(" Min");
}

} // namespace

void AlarmWatch::aim(int hour, int minute, qint64 now)
{
    m_hour = hour;
    m_minute = minute;
    aimFrom(now - wallClockAt(now) % MsPerMinute, now);
}

void AlarmWatch::aimFrom(qint64 from, qint64 now)
{
    m_aimedAt = now;
    m_lastLook = now;
    const qint64 wallNow = wallClockAt(now);
    const qint64 today = wallNow - wallNow % MsPerDay + (m_hour * 60 + m_minute) * MsPerMinute;
    for (const qint64 moment : momentsShowing(today)) {
        if (moment >= from) {
            m_due = moment;
            return;
        }
    }
    m_due = momentsShowing(today + MsPerDay).front();
}

bool AlarmWatch::look(qint64 now)
{
    // The wall clock went back (set by hand, or by the network's time): the
    // alarm's minute comes again as the clock will show it from here, but a
    // clock set back into that minute does not set it off by itself.
    if (now < m_lastLook)
        aimFrom(now, now);
    m_lastLook = now;
    return now >= m_due;
}

qint64 AlarmWatch::lateByMs(qint64 now) const
{
    return now - std::max(m_due, m_aimedAt);
}

QString AlarmWatch::enabledMessage(const AlarmState& alarm)
{
    return QLatin1String("Alarm is Enabled now.\r\n") + alarmTime(alarm);
}

QString AlarmWatch::disableQuestion(const AlarmState& alarm)
{
    return QLatin1String("Alarm is enabled.\r\n") + alarmTime(alarm) + QLatin1String("\r\n\r\nDisable alarm now?");
}
