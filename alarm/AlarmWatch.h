#pragma once

#include "alarm/AlarmState.h"

#include <QString>
#include <QTime>

// The armed alarm's rules, apart from any window: when it goes off, that it
// then rings at every tick until switched off, and what it says to the user.
class AlarmWatch final
{
public:
    enum class Step {
        Wait,  // not its minute yet
        GoOff, // its minute has come: show the pop-up, ring from the next tick on
        Ring,  // ringing: play the whole sound once
    };

    // While ringing, the pause between the end of one play and the next.
    static constexpr int RingIntervalMs = 300;
    // Ticks come this long after a new minute begins.
    static constexpr int AfterMinuteMs = 10;

    // One tick of the watch over an armed alarm. Once it has gone off the time
    // is no longer looked at: it rings past its minute until switched off.
    static Step tick(AlarmState& alarm, const QTime& now);

    // How long the watch may sleep after a tick: while ringing, the short
    // pause; in the alarm's own minute, not at all; otherwise until the next
    // minute begins, the first moment it could go off.
    static int nextTickMs(const AlarmState& alarm, const QTime& now);

    // The confirmation of arming and the question before disarming, with CR LF
    // line breaks.
    static QString enabledMessage(const AlarmState& alarm);
    static QString disableQuestion(const AlarmState& alarm);
};
