#pragma once

#include "app/EventSounds.h"
#include "app/PagerSockets.h"
#include "app/ProgramWindows.h"
#include "app/SettingsKeys.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageSender.h"
#include "platform/time/SystemClock.h"

#include <string>

class CPagerDlg;

namespace app {
class Settings;
}

namespace sound {
class SoundPlayer;
}

// The application: makes the services the windows use and wires them, starts the program, and
// runs the main pager window; the program lives exactly as long as that window.
class CTarvilApp {
public:
    // `controlsDirectory` holds the hosted control libraries, registered at each start.
    CTarvilApp(app::Settings &settings, sound::SoundPlayer &player, std::string controlsDirectory);
    CTarvilApp(const CTarvilApp &) = delete;
    CTarvilApp &operator=(const CTarvilApp &) = delete;

    // Start-up, then the main window until it closes; returns the process's exit code.
    int Run();
    // Takes in the datagrams the network holds, while a sound keeps the program from its events.
    void TakeWaitingDatagrams() { m_network.takeWaiting(); }

    app::EventSounds &Sounds() { return m_sounds; }
    // The ten event names in their fixed order, as the options window lists them.
    static constexpr const auto &EventNames() { return keys::kEventNames; }
    // The running main window, or null before and after it runs.
    CPagerDlg *MainWindow() const { return m_mainWindow; }
    // The kept pages, loaded from "Message.sav" at start-up.
    CSavedMessageList &SavedMessages() { return m_savedMessages; }

private:
    app::Settings &m_settings;
    app::EventSounds m_sounds;
    std::string m_controlsDirectory;
    app::PagerSockets m_network;
    page::PageSender m_sender{m_network.datagramPort()};
    CSavedMessageList m_savedMessages;
    clk::SystemClock m_clock;
    app::ProgramWindows m_windows;
    CPagerDlg *m_mainWindow = nullptr;
};
