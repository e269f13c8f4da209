#pragma once

class AudioDevice;

// The child's side of AudioProcess, on its standard input and output: opens
// the device and gives its "rate" and "channels", or says there is "none",
// then carries out the parent's requests until its input ends. Every message
// either way is a line "verb number" and, for the verbs that carry data ("load"
// a path, "play" samples, "pcm" the samples loaded), that many bytes after it.
class AudioService final
{
public:
    AudioService() = delete;

    // The child's exit status: 0 once the parent has closed the device, 1 when
    // there was no device to open.
    static int serve(AudioDevice& device);
};
