#pragma once

#include "alarm/AlarmState.h"

#include <QString>
#include <QtGlobal>

// When an armed alarm goes off, apart from any window or timer. It keeps the
// moment the alarm's minute next begins on the local clock, so a look finds a
// minute that passed while nobody looked (the computer asleep or busy, its
// clock set forward) and the alarm goes off then, late. Only a wall clock
// that goes back aims it again, and never at the minute it went back into.
// Moments are milliseconds since the epoch; the local clock is the process's
// time zone.
class AlarmWatch final
{
public:
    // While ringing, the pause between the end of one play and the next.
    static constexpr int RingIntervalMs = 300;

    // Aims at the next time the local clock shows hour:minute, counted from
    // the start of the minute `now` lies in: armed inside its own minute, the
    // alarm goes off at the first look. Where a spring change skips that
    // minute, the moment the clock jumps over it counts; where an autumn
    // change repeats it, the first time it shows.
    void aim(int hour, int minute, qint64 now);

    // One look at the wall clock: true once the alarm's minute has begun.
    bool look(qint64 now);

    // How long after its minute began (or after the arming, inside that
    // minute) a look at `now` finds the alarm.
    qint64 lateByMs(qint64 now) const;

    // The confirmation of arming and the question before disarming, with CR LF
    // line breaks.
    static QString enabledMessage(const AlarmState& alarm);
    static QString disableQuestion(const AlarmState& alarm);

private:
    // Aims at the first time from `from` on that the local clock shows the
    // alarm's hour and minute.
    void aimFrom(qint64 from, qint64 now);

    int m_hour = 0;
    int m_minute = 0;
    qint64 m_due = 0;
    qint64 m_aimedAt = 0;
    qint64 m_lastLook = 0;
};
