#pragma once

#include <QString>

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Starts the wave file and returns at once; a new sound cuts off the one
    // still playing. A missing or unreadable file plays nothing.
    virtual void playAsync(const QString& path) = 0;
    // Returns only when the sound has ended. A missing or unreadable file plays
    // the default sound instead, so an alarm is never silent.
    virtual void playSync(const QString& path) = 0;
};
