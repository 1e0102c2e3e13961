#pragma once

#include "platform/sound/SoundPlayer.h"

#include <QTimer>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace sound {

// Plays WAV files through SDL's audio subsystem, one sound at a time on one device.
//
// A bare file name is looked for in the current directory, the Windows directory given to the
// player and the bundled sounds folder, in that order; a name with a folder is used as it is. A
// file that cannot be found or loaded, or that would play for five minutes or more, plays the
// bundled "default.wav" instead. The bundled folder is $TARVIL_SOUNDS_DIR when set, else
// share/tarvil32/sounds beside the program's bin/ folder.
//
// SDL's audio subsystem is started at the first sound, with the driver SDL picks from the
// environment. The device is open only while a sound plays, so an idle program keeps no audio
// thread busy. Call from the user-interface thread: an asynchronous sound's device is closed by
// a timer.
class SdlSoundPlayer final : public SoundPlayer {
public:
    explicit SdlSoundPlayer(std::filesystem::path windowsDirectory);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    bool sndPlaySound(const std::string &file, unsigned flags) override;
    // Work done every few milliseconds while a synchronous sound plays and the user interface
    // waits for it, such as taking in what the network brings.
    void setWhileWaiting(std::function<void()> work) { m_whileWaiting = std::move(work); }

private:
    bool openDevice();
    void closeDevice();
    // Closes the device once an asynchronous sound has played out.
    void closeWhenPlayed();
    std::filesystem::path locate(const std::string &file) const;
    void waitUntilPlayed(std::size_t bytes) const;
    static std::chrono::milliseconds playingTime(std::size_t bytes);

    std::filesystem::path m_windowsDirectory;
    std::filesystem::path m_bundledFolder;
    bool m_audioStarted = false;
    std::uint32_t m_device = 0; // SDL_AudioDeviceID; 0 while no device is open
    QTimer m_closeTimer;
    std::function<void()> m_whileWaiting;
};

} // namespace sound
