#include "sound/SdlAudioDevice.h"

#include "sound/SoundLog.h"

#include <SDL.h>

#include <QFile>

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include <dlfcn.h>
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

template <typename Function>
bool resolve(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(::dlsym(handle, name));
    return function != nullptr;
}

} // namespace

// The loaded library and the few of its functions the clock calls, looked up
// once per load.
struct SdlAudioDevice::Library
{
    explicit Library(const char* name)
        : handle(::dlopen(name, RTLD_NOW | RTLD_LOCAL))
    {
    }
    ~Library()
    {
        if (handle != nullptr)
            ::dlclose(handle);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool resolveAll()
    {
        return handle != nullptr && resolve(handle, "SDL_GetError", GetError) && resolve(handle, "SDL_SetHint", SetHint)
            && resolve(handle, "SDL_InitSubSystem", InitSubSystem)
            && resolve(handle, "SDL_QuitSubSystem", QuitSubSystem) && resolve(handle, "SDL_Quit", Quit)
            && resolve(handle, "SDL_OpenAudioDevice", OpenAudioDevice)
            && resolve(handle, "SDL_CloseAudioDevice", CloseAudioDevice)
            && resolve(handle, "SDL_GetAudioDeviceStatus", GetAudioDeviceStatus)
            && resolve(handle, "SDL_PauseAudioDevice", PauseAudioDevice)
            && resolve(handle, "SDL_QueueAudio", QueueAudio)
            && resolve(handle, "SDL_ClearQueuedAudio", ClearQueuedAudio)
            && resolve(handle, "SDL_GetQueuedAudioSize", GetQueuedAudioSize)
            && resolve(handle, "SDL_RWFromFile", RWFromFile) && resolve(handle, "SDL_LoadWAV_RW", LoadWAV_RW)
            && resolve(handle, "SDL_FreeWAV", FreeWAV) && resolve(handle, "SDL_BuildAudioCVT", BuildAudioCVT)
            && resolve(handle, "SDL_ConvertAudio", ConvertAudio);
    }

    void* handle;
    decltype(&SDL_GetError) GetError = nullptr;
    decltype(&SDL_SetHint) SetHint = nullptr;
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_Quit) Quit = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_QueueAudio) QueueAudio = nullptr;
    decltype(&SDL_ClearQueuedAudio) ClearQueuedAudio = nullptr;
    decltype(&SDL_GetQueuedAudioSize) GetQueuedAudioSize = nullptr;
    decltype(&SDL_RWFromFile) RWFromFile = nullptr;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&SDL_FreeWAV) FreeWAV = nullptr;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT = nullptr;
    decltype(&SDL_ConvertAudio) ConvertAudio = nullptr;
};

SdlAudioDevice::SdlAudioDevice(const char* library)
    : m_libraryName(library)
{
}

SdlAudioDevice::~SdlAudioDevice()
{
    close();
}

bool SdlAudioDevice::open()
{
    if (m_device != 0)
        return true;
    if (!m_sdl) {
        auto sdl = std::make_unique<Library>(m_libraryName);
        if (!sdl->resolveAll()) {
            qCDebug(lcSound, "No SDL to play sounds with: %s", m_libraryName);
            return false;
        }
        m_sdl = std::move(sdl);
    }
    if (openDevice())
        return true;
    // Said here, where standard error is back.
    qCDebug(lcSound, "SDL opened no sound output: %s", m_sdl->GetError());
    return false;
}

bool SdlAudioDevice::openDevice()
{
    const QuietStderr quiet;
    // SDL would otherwise take over SIGINT and SIGTERM for a quit event the
    // clock never reads, and a plain kill would no longer end it. The hint is
    // gone with every unload, so it is given before every start.
    m_sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (m_sdl->InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = 44100;
    wanted.format = deviceFormat;
    wanted.channels = 2;
    wanted.samples = 1024;
    SDL_AudioSpec obtained{};
    m_device = m_sdl->OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                      SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (m_device == 0) {
        // SDL keeps the driver it started with until it is shut down; the next
        // try has to look for a sound server afresh.
        m_sdl->QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    m_frequency = obtained.freq;
    m_channels = obtained.channels;
    m_bufferFrames = obtained.samples;
    return true;
}

void SdlAudioDevice::close()
{
    if (!m_sdl)
        return;
    if (m_device != 0)
        m_sdl->CloseAudioDevice(m_device);
    m_device = 0;
    m_sdl->Quit();
    m_sdl.reset();
}

bool SdlAudioDevice::lost() const
{
    return m_device != 0 && m_sdl->GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
}

std::vector<std::uint8_t> SdlAudioDevice::load(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    SDL_AudioSpec wave{};
    Uint8* data = nullptr;
    Uint32 length = 0;
    std::vector<std::uint8_t> pcm;
    // Apart, so that SDL's error is why the file could not be opened.
    SDL_RWops* file = m_sdl->RWFromFile(name.constData(), "rb");
    if (file != nullptr && m_sdl->LoadWAV_RW(file, 1, &wave, &data, &length)) {
        SDL_AudioCVT cvt;
        if (m_sdl->BuildAudioCVT(&cvt, wave.format, wave.channels, wave.freq, deviceFormat,
                                 static_cast<Uint8>(m_channels), m_frequency)
            >= 0) {
            pcm.resize(static_cast<std::size_t>(length) * static_cast<std::size_t>(cvt.len_mult));
            std::memcpy(pcm.data(), data, length);
            cvt.buf = pcm.data();
            cvt.len = static_cast<int>(length);
            if (m_sdl->ConvertAudio(&cvt) == 0)
                pcm.resize(static_cast<std::size_t>(cvt.len_cvt));
            else
                pcm.clear();
        }
        m_sdl->FreeWAV(data);
    }
    // Once, not at every ring of an alarm whose sound has gone.
    if (pcm.empty() && path != m_unreadable)
        qCWarning(lcSound, "the wave file %s could not be read: %s", name.constData(), m_sdl->GetError());
    if (pcm.empty())
        m_unreadable = path;
    else if (path == m_unreadable)
        m_unreadable.clear();
    return pcm;
}

std::vector<std::uint8_t> SdlAudioDevice::defaultSound() const
{
    const int frames = m_frequency * 2 / 5;
    std::vector<std::uint8_t> pcm(static_cast<std::size_t>(frames * m_channels) * sizeof(std::int16_t));
    auto* out = reinterpret_cast<std::int16_t*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / m_frequency;
        const double local = std::fmod(t, 0.2);
        const double envelope = local < 0.15 ? std::sin(M_PI * local / 0.15) : 0.0;
        const auto sample = static_cast<std::int16_t>(9000.0 * envelope * std::sin(2 * M_PI * 880.0 * t));
        for (int c = 0; c < m_channels; ++c)
            out[i * m_channels + c] = sample;
    }
    return pcm;
}

std::optional<int> SdlAudioDevice::play(const QString& path, Unreadable unreadable)
{
    if (m_device == 0)
        return std::nullopt;
    std::vector<std::uint8_t> pcm = load(path);
    if (pcm.empty() && unreadable == Unreadable::Silence)
        return std::nullopt;
    if (pcm.empty())
        pcm = defaultSound();
    m_sdl->ClearQueuedAudio(m_device);
    m_sdl->QueueAudio(m_device, pcm.data(), static_cast<Uint32>(pcm.size()));
    m_sdl->PauseAudioDevice(m_device, 0);
    const auto bytesPerSecond = static_cast<std::size_t>(m_frequency * m_channels) * sizeof(std::int16_t);
    return static_cast<int>(1000 * pcm.size() / bytesPerSecond);
}

void SdlAudioDevice::waitUntilPlayed(int limitMs)
{
    if (m_device == 0)
        return;
    using Clock = std::chrono::steady_clock;
    // The device still holds up to one buffer after the queue runs dry.
    const std::chrono::milliseconds buffer(1000 * m_bufferFrames / m_frequency + 1);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limitMs) + buffer;
    while (m_sdl->GetQueuedAudioSize(m_device) > 0) {
        // A device whose server has gone drains its queue into nothing.
        if (lost() || Clock::now() > deadline) {
            m_sdl->ClearQueuedAudio(m_device);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    std::this_thread::sleep_for(buffer);
}
