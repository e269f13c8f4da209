#pragma once

#include "sound/AudioDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

// The sound output through SDL 2's audio queue, run in the sound child. SDL is
// loaded when a device is opened: linked in, it would map its sound-server,
// codec, Wayland and DRM libraries into every clock as well, since the clock
// and the sound child are one program. A machine without SDL is a machine
// without sound.
class SdlAudioDevice final : public AudioDevice
{
public:
    explicit SdlAudioDevice(const char* library = "libSDL2-2.0.so.0");
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    bool open() override;
    void close() override;
    bool lost() const override;
    std::optional<int> play(const QString& path, Unreadable unreadable) override;
    void waitUntilPlayed(int limitMs) override;

private:
    struct Library;

    bool openDevice();
    // The wave file in the device's format; empty when it cannot be read.
    std::vector<std::uint8_t> load(const QString& path);
    // Two short soft beeps, the desktop's usual "something wants you" sound.
    std::vector<std::uint8_t> defaultSound() const;

    const char* m_libraryName;
    std::unique_ptr<Library> m_sdl;
    std::uint32_t m_device = 0;
    int m_frequency = 0;
    int m_channels = 0;
    int m_bufferFrames = 0;
    // The file last found unreadable: an alarm rings it again and again.
    QString m_unreadable;
};
