#pragma once

#include "app/CEventSounds.h"
#include "app/SettingsKeys.h"
#include "net/CDatagramSocket.h"
#include "net/CStreamSocket.h"
#include "net/CWinSockInit.h"
#include "paging/CPendingPayloads.h"
#include "paging/CSavedMessageList.h"

#include <memory>
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
    // The ten event names in their fixed order, as the options window lists them.
    static constexpr const auto &EventNames() { return keys::kEventNames; }
    // The running main window, or null before and after it runs.
    CPagerDlg *MainWindow() const { return m_mainWindow; }

    // The use of WinSock and the two sockets, set up by the main window and kept until the
    // program ends; each is null when its start failed.
    CWinSockInit *WinSock() const { return m_winSock.get(); }
    CDatagramSocket *DatagramSocket() const { return m_datagramSocket.get(); }
    CStreamSocket *ListeningSocket() const { return m_listeningSocket.get(); }
    void SetWinSock(std::unique_ptr<CWinSockInit> winSock) { m_winSock = std::move(winSock); }
    void SetDatagramSocket(std::unique_ptr<CDatagramSocket> socket)
    {
        m_datagramSocket = std::move(socket);
    }
    void SetListeningSocket(std::unique_ptr<CStreamSocket> socket)
    {
        m_listeningSocket = std::move(socket);
    }
    // Closes the sockets and ends the use of WinSock, as the program does when it ends.
    void EndNetworking();
    // The bytes of every datagram still queued on the datagram socket.
    CPendingPayloads &PendingPayloads() { return m_pendingPayloads; }
    // The kept pages, loaded from "Message.sav" at start-up.
    CSavedMessageList &SavedMessages() { return m_savedMessages; }

private:
    CSettings &m_settings;
    sound::SoundPlayer &m_player;
    CEventSounds m_sounds;
    std::string m_controlsDirectory;
    CPagerDlg *m_mainWindow = nullptr;
    std::unique_ptr<CWinSockInit> m_winSock;
    std::unique_ptr<CDatagramSocket> m_datagramSocket;
    std::unique_ptr<CStreamSocket> m_listeningSocket;
    CPendingPayloads m_pendingPayloads;
    CSavedMessageList m_savedMessages;
};
