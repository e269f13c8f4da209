#pragma once

#include <QString>

#include <cstdint>

// The alarm as every window sees it. Whether an alarm is armed is not kept
// here: it is whether the clock's alarm timer runs.
struct AlarmState
{
    bool AlarmRinging = false;
    std::int16_t AlarmHour = 0;
    std::int16_t AlarmMin = 0;
    QString AlarmSoundFile;
};
