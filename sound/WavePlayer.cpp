#include "sound/WavePlayer.h"

#include "platform/TimeSource.h"
#include "sound/AudioDevice.h"

#include <cmath>

namespace {

constexpr int idleMs = 1000;
// How long past its own length a sound may keep the alarm waiting.
constexpr int stallMarginMs = 500;

qint64 msOf(const LocalDateTime& now)
{
    return now.date.toJulianDay() * 86'400'000 + now.time.msecsSinceStartOfDay();
}

} // namespace

WavePlayer::WavePlayer(AudioDevice& device, const TimeSource& time)
    : m_device(device)
    , m_time(time)
{
    m_idle.setSingleShot(true);
    QObject::connect(&m_idle, &QTimer::timeout, [this] { close(); });
}

WavePlayer::~WavePlayer()
{
    close();
}

void WavePlayer::close()
{
    m_device.close();
    m_open = false;
}

bool WavePlayer::ready()
{
    // SDL marks a device whose server has gone, but never finds the server
    // again by itself: only a fresh open does.
    if (m_open && m_device.lost())
        close();
    if (!m_open) {
        const qint64 now = msOf(m_time.now());
        // A clock set back counts as time enough.
        const bool tooSoon = m_failedAt && now >= *m_failedAt && now - *m_failedAt < RetryMs;
        if (!tooSoon) {
            m_open = m_device.open();
            m_failedAt = m_open ? std::nullopt : std::optional<qint64>(now);
        }
    }
    // Whatever a failed try loaded stays only while sounds are still asked for.
    m_idle.start(idleMs);
    return m_open;
}

int WavePlayer::lengthMs(const std::vector<std::uint8_t>& pcm) const
{
    const auto bytesPerSecond = static_cast<std::size_t>(m_device.frequency() * m_device.channels()) * 2;
    return static_cast<int>(1000 * pcm.size() / bytesPerSecond);
}

std::vector<std::uint8_t> WavePlayer::defaultSound() const
{
    // Two short soft beeps, the desktop's usual "something wants you" sound.
    const int frequency = m_device.frequency();
    const int channels = m_device.channels();
    const int frames = frequency * 2 / 5;
    std::vector<std::uint8_t> pcm(static_cast<std::size_t>(frames * channels) * sizeof(std::int16_t));
    auto* out = reinterpret_cast<std::int16_t*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / frequency;
        const double local = std::fmod(t, 0.2);
        const double envelope = local < 0.15 ? std::sin(M_PI * local / 0.15) : 0.0;
        const auto sample = static_cast<std::int16_t>(9000.0 * envelope * std::sin(2 * M_PI * 880.0 * t));
        for (int c = 0; c < channels; ++c)
            out[i * channels + c] = sample;
    }
    return pcm;
}

void WavePlayer::start(const std::vector<std::uint8_t>& pcm)
{
    m_device.play(pcm);
    m_idle.start(lengthMs(pcm) + idleMs);
}

void WavePlayer::playAsync(const QString& path)
{
    if (!ready())
        return;
    const std::vector<std::uint8_t> pcm = m_device.load(path);
    if (!pcm.empty())
        start(pcm);
}

void WavePlayer::playSync(const QString& path)
{
    if (!ready())
        return;
    std::vector<std::uint8_t> pcm = m_device.load(path);
    if (pcm.empty())
        pcm = defaultSound();
    start(pcm);
    // A stuck or suspended device must not freeze the clock while an alarm
    // rings: past the sound's own length and some slack it is given up on.
    m_device.waitUntilPlayed(lengthMs(pcm) + stallMarginMs);
}
