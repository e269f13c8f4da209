#include "sound/WavePlayer.h"

#include "platform/TimeSource.h"
#include "sound/SoundLog.h"

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
    if (m_open && m_device.lost()) {
        qCWarning(lcSound) << "the sound output was lost; it is opened afresh for the next sound";
        m_silent = true;
        close();
    }
    if (!m_open) {
        const qint64 now = msOf(m_time.now());
        // A clock set back counts as time enough.
        const bool tooSoon = m_failedAt && now >= *m_failedAt && now - *m_failedAt < RetryMs;
        if (!tooSoon) {
            m_open = m_device.open();
            m_failedAt = m_open ? std::nullopt : std::optional<qint64>(now);
            // Said once, not at every try while an alarm rings without sound;
            // and the return said as loudly, so that the log tells the end too.
            if (m_open && m_silent)
                qCWarning(lcSound) << "a sound output is open again";
            else if (!m_open && !m_silent)
                qCWarning(lcSound) << "no sound output could be opened; sounds are silent until one can be";
            m_silent = !m_open;
        }
    }
    // Whatever a failed try loaded stays only while sounds are still asked for.
    m_idle.start(idleMs);
    return m_open;
}

std::optional<int> WavePlayer::start(const QString& path, AudioDevice::Unreadable unreadable)
{
    const std::optional<int> lengthMs = m_device.play(path, unreadable);
    if (lengthMs)
        m_idle.start(*lengthMs + idleMs);
    return lengthMs;
}

void WavePlayer::playAsync(const QString& path)
{
    if (ready())
        start(path, AudioDevice::Unreadable::Silence);
}

void WavePlayer::playSync(const QString& path)
{
    if (!ready())
        return;
    // A stuck or suspended device must not freeze the clock while an alarm
    // rings: past the sound's own length and some slack it is given up on.
    if (const std::optional<int> lengthMs = start(path, AudioDevice::Unreadable::DefaultSound))
        m_device.waitUntilPlayed(*lengthMs + stallMarginMs);
}
