#pragma once

#include "sound/AudioDevice.h"
#include "sound/SoundPlayer.h"

#include <QTimer>

#include <optional>

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
    std::optional<int> start(const QString& path, AudioDevice::Unreadable unreadable);

    AudioDevice& m_device;
    const TimeSource& m_time;
    bool m_open = false;
    std::optional<qint64> m_failedAt;
    // A missing or lost output was logged, and its return is still to be.
    bool m_silent = false;
    QTimer m_idle;
};
