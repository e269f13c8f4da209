#pragma once

#include "platform/SoundPlayer.h"

#include <QTimer>

#include <cstddef>
#include <cstdint>
#include <vector>

// Plays wave files through SDL's audio queue. The device is opened on the first
// sound, not at start-up, and a machine without sound output stays silent. A
// device that stops playing is given up on soon after the sound's own length,
// and a device with nothing to play is closed again: its mixing thread would
// otherwise keep waking an idle clock.
class SdlSoundPlayer final : public SoundPlayer
{
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void playAsync(const QString& path) override;
    void playSync(const QString& path) override;

private:
    bool openDevice();
    void closeDevice();
    std::vector<std::uint8_t> loadConverted(const QString& path) const;
    std::vector<std::uint8_t> defaultSound() const;
    void start(const std::vector<std::uint8_t>& pcm);
    void waitUntilDrained(std::size_t bytes) const;

    std::uint32_t m_device = 0;
    int m_frequency = 0;
    int m_channels = 0;
    int m_bufferFrames = 0;
    bool m_unavailable = false;
    QTimer m_idle;
};
