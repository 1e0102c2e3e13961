#pragma once

#include "SilentSoundPlayer.h"
#include "app/EventSounds.h"
#include "app/Settings.h"

#include <QTemporaryDir>
#include <string>

namespace bench {

// The settings and event sounds of one copy of the program, in a folder of its own. Sounds are
// off twice over: the settings say `[Disabled Sounds] All=True` and the player plays nothing.
class QuietServices {
public:
    QuietServices();

    app::Settings &settings() { return m_settings; }
    app::EventSounds &sounds() { return m_sounds; }
    // The path of a file `name` in the copy's folder.
    std::string filePath(const char *name) const;

private:
    QTemporaryDir m_folder;
    SilentSoundPlayer m_player;
    app::Settings m_settings;
    app::EventSounds m_sounds;
};

} // namespace bench
