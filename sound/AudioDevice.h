#pragma once

#include <QString>

#include <optional>

// The sound output as the player sees it: opened for a sound, closed again
// once the clock has been quiet for a while. It reads the wave files itself,
// so a sound's samples never pass through the player.
class AudioDevice
{
public:
    // What a wave file that cannot be read plays instead.
    enum class Unreadable { Silence, DefaultSound };

    virtual ~AudioDevice() = default;
    // False when there is no output to be had right now: no sound library, no
    // sound server, no card. Nothing is left half open then.
    virtual bool open() = 0;
    // Closes the device and gives back everything opening it took.
    virtual void close() = 0;
    // The open device has stopped for good (its sound server went away, its
    // card was unplugged); it never comes back by itself.
    virtual bool lost() const = 0;
    // Cuts off whatever is playing and starts the wave file; the length of
    // what started, in milliseconds, or nothing when nothing did.
    virtual std::optional<int> play(const QString& path, Unreadable unreadable) = 0;
    // Returns once the sound started last has been heard, the device is lost,
    // or limitMs have passed, whichever comes first.
    virtual void waitUntilPlayed(int limitMs) = 0;
};
