#pragma once

class AudioDevice;

// The child's side of AudioProcess, on its standard input and output: opens
// the device and says it is "ready", or that there is "none", then carries
// out the parent's requests until its input ends. Every message either way is
// a line "verb number"; a request to "play" a wave file (silent when it cannot
// be read) or to "ring" one (the default sound then) carries the file's path
// in that many bytes after the line, and is answered with the sound's
// "length" in milliseconds, -1 when nothing plays. "wait" a number of
// milliseconds at most is answered "done" once the sound has been heard;
// "lost" with 1 when the device has stopped for good.
class AudioService final
{
public:
    AudioService() = delete;

    // The child's exit status: 0 once the parent has closed the device, 1 when
    // there was no device to open.
    static int serve(AudioDevice& device);
};
