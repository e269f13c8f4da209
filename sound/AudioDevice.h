#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The sound output as the player sees it: opened for a sound, closed again
// once the clock has been quiet for a while. Samples are 16-bit, native byte
// order, interleaved, at the rate and channel count the open device reports.
class AudioDevice
{
public:
    virtual ~AudioDevice() = default;
    // False when there is no output to be had right now: no sound library, no
    // sound server, no card. Nothing is left half open then.
    virtual bool open() = 0;
    // Closes the device and gives back everything opening it took.
    virtual void close() = 0;
    // The open device has stopped for good (its sound server went away, its
    // card was unplugged); it never comes back by itself.
    virtual bool lost() const = 0;
    virtual int frequency() const = 0;
    virtual int channels() const = 0;
    // The wave file in the open device's format; empty when it cannot be read.
    virtual std::vector<std::uint8_t> load(const QString& path) const = 0;
    // Cuts off whatever is playing and starts these samples.
    virtual void play(const std::vector<std::uint8_t>& pcm) = 0;
    // Returns once the samples started last have been heard, the device is
    // lost, or limitMs have passed, whichever comes first.
    virtual void waitUntilPlayed(int limitMs) = 0;
};
