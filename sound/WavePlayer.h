#pragma once

#include "sound/SoundPlayer.h"

#include <QTimer>

#include <cstdint>
#include <optional>
#include <vector>

class AudioDevice;
class TimeSource;

// Plays wave files on an audio device that is opened on the first sound, not
// at start-up, and closed again once nothing has played for a second: its
// mixing thread would otherwise keep waking an idle clock. Sound servers come
// and go (a login still starting one, an update restarting it), so a device
// that was lost is opened afresh before the next sound, and one that could
// not be opened is tried again at a later sound, at most once a second.
class WavePlayer final : public SoundPlayer
{
public:
    WavePlayer(AudioDevice& device, const TimeSource& time);
    ~WavePlayer() override;
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    void playAsync(const QString& path) override;
    void playSync(const QString& path) override;

    static constexpr int RetryMs = 1000;

private:
    bool ready();
    void close();
    int lengthMs(const std::vector<std::uint8_t>& pcm) const;
    std::vector<std::uint8_t> defaultSound() const;
    void start(const std::vector<std::uint8_t>& pcm);

    AudioDevice& m_device;
    const TimeSource& m_time;
    bool m_open = false;
    std::optional<qint64> m_failedAt;
    QTimer m_idle;
};
