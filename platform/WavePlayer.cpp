#include "platform/SdlSoundPlayer.h"

#include <SDL.h>

#include <QFile>

#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr SDL_AudioFormat deviceFormat = AUDIO_S16SYS;

// ALSA reports a missing sound card on stderr, line after line; the clock has
// nothing to say about that, so the device is probed with stderr parked.
class QuietStderr final
{
public:
    QuietStderr()
        : m_saved(::dup(STDERR_FILENO))
    {
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStderr()
    {
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int m_saved;
};

} // namespace

SdlSoundPlayer::SdlSoundPlayer()
{
    m_idle.setSingleShot(true);
    QObject::connect(&m_idle, &QTimer::timeout, [this] { closeDevice(); });
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    closeDevice();
}

void SdlSoundPlayer::closeDevice()
{
    if (m_device == 0)
        return;
    SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_device = 0;
}

bool SdlSoundPlayer::openDevice()
{
    if (m_device != 0)
        return true;
    if (m_unavailable)
        return false;

    const QuietStderr quiet;
    // SDL would otherwise take over SIGINT and SIGTERM for a quit event the
    // clock never reads, and a plain kill would no longer end it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_unavailable = true;
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = deviceFormat;
    wanted.channels = 2;
    wanted.samples = 1024;
    SDL_AudioSpec obtained{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                   SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (m_device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_unavailable = true;
        return false;
    }
    m_frequency = obtained.freq;
    m_channels = obtained.channels;
    m_bufferFrames = obtained.samples;
    return true;
}

std::vector<std::uint8_t> SdlSoundPlayer::loadConverted(const QString& path) const
{
    const QByteArray name = QFile::encodeName(path);
    SDL_AudioSpec wave{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(name.constData(), &wave, &data, &length))
        return {};

    std::vector<std::uint8_t> pcm;
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, wave.format, wave.channels, wave.freq, deviceFormat,
                          static_cast<Uint8>(m_channels), m_frequency) >= 0) {
        pcm.resize(static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult));
        std::memcpy(pcm.data(), data, length);
        cvt.buf = pcm.data();
        cvt.len = static_cast<int>(length);
        if (SDL_ConvertAudio(&cvt) == 0)
            pcm.resize(static_cast<std::size_t>(cvt.len_cvt));
        else
            pcm.clear();
    }
    SDL_FreeWAV(data);
    return pcm;
}

std::vector<std::uint8_t> SdlSoundPlayer::defaultSound() const
{
    // Two short soft beeps, the desktop's usual "something wants you" sound.
    const int frames = m_frequency * 2 / 5;
    std::vector<std::uint8_t> pcm(static_cast<std::size_t>(frames * m_channels) * sizeof(Sint16));
    auto* out = reinterpret_cast<Sint16*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / m_frequency;
        const double local = std::fmod(t, 0.2);
        const double envelope = local < 0.15 ? std::sin(M_PI * local / 0.15) : 0.0;
        const auto sample = static_cast<Sint16>(9000.0 * envelope * std::sin(2 * M_PI * 880.0 * t));
        for (int c = 0; c < m_channels; ++c)
            out[i * m_channels + c] = sample;
    }
    return pcm;
}

void SdlSoundPlayer::start(const std::vector<std::uint8_t>& pcm)
{
    SDL_ClearQueuedAudio(m_device);
    SDL_QueueAudio(m_device, pcm.data(), static_cast<Uint32>(pcm.size()));
    SDL_PauseAudioDevice(m_device, 0);
    const std::size_t bytesPerSecond = static_cast<std::size_t>(m_frequency * m_channels) * sizeof(Sint16);
    m_idle.start(static_cast<int>(1000 * pcm.size() / bytesPerSecond) + 1000);
}

void SdlSoundPlayer::waitUntilDrained(std::size_t bytes) const
{
    // The device still holds up to one buffer after the queue runs dry.
    const Uint32 bufferMs = static_cast<Uint32>(1000 * m_bufferFrames / m_frequency + 1);
    // A stuck or suspended device must not freeze the clock while an alarm rings:
    // past the sound's own length and some slack it is given up on.
    const std::size_t bytesPerSecond = static_cast<std::size_t>(m_frequency * m_channels) * sizeof(Sint16);
    const Uint32 limitMs = static_cast<Uint32>(1000 * bytes / bytesPerSecond) + 500 + bufferMs;
    const Uint32 started = SDL_GetTicks();
    while (SDL_GetQueuedAudioSize(m_device) > 0) {
        if (SDL_GetTicks() - started > limitMs) {
            SDL_ClearQueuedAudio(m_device);
            return;
        }
        SDL_Delay(5);
    }
    SDL_Delay(bufferMs);
}

void SdlSoundPlayer::playAsync(const QString& path)
{
    if (!openDevice())
        return;
    const std::vector<std::uint8_t> pcm = loadConverted(path);
    if (!pcm.empty())
        start(pcm);
}

void SdlSoundPlayer::playSync(const QString& path)
{
    if (!openDevice())
        return;
    std::vector<std::uint8_t> pcm = loadConverted(path);
    if (pcm.empty())
        pcm = defaultSound();
    start(pcm);
    waitUntilDrained(pcm.size());
}
