#include "platform/sound/SdlSoundPlayer.h"

#include "platform/text/Ansi.h"

#include <QFile>
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace sound {
namespace {

// Every sound is converted to the one format the device is opened with.
constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr SDL_AudioFormat kFormat = AUDIO_S16SYS;
constexpr int kFrameBytes = kChannels * 2;
constexpr Uint16 kBufferFrames = 1024;

// Sounds are converted whole before they play. The limit on their length keeps a small file whose
// header claims an absurd format (a sample rate of 1 Hz, say) from claiming gigabytes.
constexpr std::uint64_t kMaxSeconds = 300;
constexpr Uint32 kChunkFrames = 16384;

constexpr char kDefaultSound[] = "default.wav";

using Audio = std::vector<std::uint8_t>;

// The program's file names are ANSI text; the file system's names are in the locale's encoding.
std::filesystem::path fileSystemPath(const std::string &ansi)
{
    return QFile::encodeName(text::fromAnsi(ansi)).toStdString();
}

std::filesystem::path bundledFolder()
{
    if (const char *folder = std::getenv("TARVIL_SOUNDS_DIR"); folder != nullptr && *folder != 0)
        return folder;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (program.parent_path() / ".." / "share" / "tarvil32" / "sounds").lexically_normal();
}

bool drain(SDL_AudioStream *stream, Audio &into)
{
    const int available = SDL_AudioStreamAvailable(stream);
    const std::size_t start = into.size();
    into.resize(start + static_cast<std::size_t>(available));
    const int got = SDL_AudioStreamGet(stream, into.data() + start, available);
    if (got < 0)
        return false;
    into.resize(start + static_cast<std::size_t>(got));
    return true;
}

// Converts decoded WAV data to the device's format; empty when it cannot or should not play.
Audio convert(const SDL_AudioSpec &source, const Uint8 *data, Uint32 length)
{
    const int frameBytes = SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels;
    if (source.freq <= 0 || frameBytes <= 0)
        return {};
    const Uint32 frames = length / static_cast<Uint32>(frameBytes);
    if (frames == 0 || frames / static_cast<Uint32>(source.freq) >= kMaxSeconds)
        return {};

    const std::unique_ptr<SDL_AudioStream, decltype(&SDL_FreeAudioStream)> stream(
        SDL_NewAudioStream(source.format, source.channels, source.freq, kFormat, kChannels, kRate),
        &SDL_FreeAudioStream);
    if (!stream)
        return {};
    Audio converted;
    // Feeding the stream in chunks keeps its working buffers small.
    const Uint32 usable = frames * static_cast<Uint32>(frameBytes);
    const Uint32 chunk = kChunkFrames * static_cast<Uint32>(frameBytes);
    for (Uint32 offset = 0; offset < usable; offset += chunk) {
        const int size = static_cast<int>(std::min(chunk, usable - offset));
        if (SDL_AudioStreamPut(stream.get(), data + offset, size) != 0 ||
            !drain(stream.get(), converted))
            return {};
    }
    if (SDL_AudioStreamFlush(stream.get()) != 0 || !drain(stream.get(), converted))
        return {};
    return converted;
}

// Loads and converts a WAV file; empty when it is missing, damaged or not a WAV file at all.
Audio load(const std::filesystem::path &path)
{
    // Only regular files: reading a pipe or a device the user named could block for ever.
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error))
        return {};
    // A file cut short inside its sound data is refused rather than played in part.
    SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
    SDL_AudioSpec layout{};
    Uint8 *data = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &layout, &data, &length) == nullptr)
        return {};
    const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(data, &SDL_FreeWAV);
    return convert(layout, data, length);
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer(std::filesystem::path windowsDirectory)
    : m_windowsDirectory(std::move(windowsDirectory)), m_bundledFolder(bundledFolder())
{
    m_closeTimer.setSingleShot(true);
    QObject::connect(&m_closeTimer, &QTimer::timeout, [this] { closeWhenPlayed(); });
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    closeDevice();
    if (m_audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::sndPlaySound(const std::string &file, unsigned flags)
{
    if (!openDevice())
        return false;
    // A new sound, even one that turns out unplayable, cuts off the one still playing.
    SDL_ClearQueuedAudio(m_device);
    Audio audio = load(locate(file));
    if (audio.empty() && !m_bundledFolder.empty())
        audio = load(m_bundledFolder / kDefaultSound);
    if (audio.empty() ||
        SDL_QueueAudio(m_device, audio.data(), static_cast<Uint32>(audio.size())) != 0)
        return false;
    SDL_PauseAudioDevice(m_device, 0);
    if ((flags & SND_ASYNC) == 0) {
        waitUntilPlayed(audio.size());
        closeDevice();
    } else {
        m_closeTimer.start(playingTime(audio.size()) + std::chrono::milliseconds(100));
    }
    return true;
}

void SdlSoundPlayer::closeDevice()
{
    m_closeTimer.stop();
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
}

void SdlSoundPlayer::closeWhenPlayed()
{
    if (m_device != 0 && SDL_GetQueuedAudioSize(m_device) > 0 &&
        SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING)
        m_closeTimer.start(std::chrono::milliseconds(50));
    else
        closeDevice();
}

std::chrono::milliseconds SdlSoundPlayer::playingTime(std::size_t bytes)
{
    // The sound itself and the last buffer the device took from the queue.
    return std::chrono::milliseconds(bytes / kFrameBytes * 1000 / kRate +
                                     kBufferFrames * 1000 / kRate + 1);
}

bool SdlSoundPlayer::openDevice()
{
    if (m_device != 0)
        return true;
    if (!m_audioStarted) {
        // SDL's audio brings its event queue along, which would otherwise take over SIGINT and
        // SIGTERM, and the program would no longer end when asked to.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return false;
        m_audioStarted = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = kFormat;
    wanted.channels = kChannels;
    wanted.samples = kBufferFrames;
    // No changes allowed: SDL converts to whatever the hardware wants.
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    return m_device != 0;
}

std::filesystem::path SdlSoundPlayer::locate(const std::string &file) const
{
    const std::filesystem::path name = fileSystemPath(file);
    if (file.find('/') != std::string::npos)
        return name;
    std::error_code error;
    const std::filesystem::path folders[] = {std::filesystem::current_path(error),
                                             m_windowsDirectory, m_bundledFolder};
    for (const std::filesystem::path &folder : folders) {
        if (folder.empty())
            continue;
        const std::filesystem::path candidate = folder / name;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

void SdlSoundPlayer::waitUntilPlayed(std::size_t bytes) const
{
    using std::chrono::milliseconds;
    const milliseconds bufferTime(kBufferFrames * 1000 / kRate + 1);
    // A stalled driver must not hold the user interface for ever: give up a second after the
    // sound should have ended.
    const auto deadline =
        std::chrono::steady_clock::now() + playingTime(bytes) + std::chrono::seconds(1);
    while (SDL_GetQueuedAudioSize(m_device) > 0 &&
           SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_PLAYING &&
           std::chrono::steady_clock::now() < deadline) {
        if (m_whileWaiting)
            m_whileWaiting();
        std::this_thread::sleep_for(milliseconds(5));
    }
    // The device still plays the last buffer it took from the queue.
    std::this_thread::sleep_for(bufferTime);
}

} // namespace sound
