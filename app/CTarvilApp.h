#pragma once

#include "app/CEventSounds.h"

#include <string>

class CPagerDlg;
class CSettings;

namespace sound {
class SoundPlayer;
}

// The application: starts the program, owns what lives for the whole run, and runs the main
// pager window; the program lives exactly as long as that window.
class CTarvilApp {
public:
    // `controlsDirectory` holds the hosted control libraries, registered at each start.
    CTarvilApp(CSettings &settings, sound::SoundPlayer &player, std::string controlsDirectory);
    ~CTarvilApp();
    CTarvilApp(const CTarvilApp &) = delete;
    CTarvilApp &operator=(const CTarvilApp &) = delete;

    // Start-up, then the main window until it closes; returns the process's exit code.
    int Run();

    CSettings &Settings() { return m_settings; }
    sound::SoundPlayer &SoundPlayer() { return m_player; }
    CEventSounds &Sounds() { return m_sounds; }
    // The running main window, or null before and after it runs.
    CPagerDlg *MainWindow() const { return m_mainWindow; }

private:
    CSettings &m_settings;
    sound::SoundPlayer &m_player;
    CEventSounds m_sounds;
    std::string m_controlsDirectory;
    CPagerDlg *m_mainWindow = nullptr;
};
