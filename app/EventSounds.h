#pragma once

#include <string>
#include <string_view>

namespace sound {
class SoundPlayer;
}

namespace app {

class Settings;

// The ten event sounds: whether an event plays, from the settings at the moment it happens, and
// the files a first run starts with. Holds the application's sounds-enabled flag, the one
// setting mirrored in memory, read from the settings when made.
class EventSounds {
public:
    enum class Mode { Synchronous, Asynchronous };

    EventSounds(Settings &settings, sound::SoundPlayer &player);

    bool soundsEnabled() const { return m_soundsEnabled; }
    void setSoundsEnabled(bool enabled) { m_soundsEnabled = enabled; }

    // Plays the event's file unless sounds are off, the event is switched off, or it has no
    // file. Nothing is reported: a missing file plays the system's default sound.
    void PlayEventSound(std::string_view eventName, Mode mode);
    // A receipt window's sound: asynchronous, by the same rule, except that whether all sounds
    // are off is read from the settings now rather than from the flag.
    void PlayReceiptSound(std::string_view eventName);
    // Plays `file` synchronously whatever the settings say, as the options window's Play does;
    // false when nothing could be played.
    bool PlayFile(const std::string &file);

    // On the first run ("Initial Execution" not yet written) stores every event's default file,
    // then marks the first run done.
    void writeFirstRunDefaults();

private:
    // The rule after the all-sounds switch.
    void playUnlessSwitchedOff(std::string_view eventName, Mode mode);

    Settings &m_settings;
    sound::SoundPlayer &m_player;
    bool m_soundsEnabled;
};

} // namespace app
