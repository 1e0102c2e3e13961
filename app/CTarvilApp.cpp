#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/CSettings.h"
#include "app/SettingsKeys.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"

CTarvilApp::CTarvilApp(CSettings &settings, sound::SoundPlayer &player,
                       std::string controlsDirectory)
    : m_settings(settings), m_player(player), m_sounds(settings, player),
      m_controlsDirectory(std::move(controlsDirectory))
{}

CTarvilApp::~CTarvilApp()
{
    EndNetworking();
}

void CTarvilApp::EndNetworking()
{
    if (m_datagramSocket)
        m_datagramSocket->Close();
    if (m_listeningSocket)
        m_listeningSocket->Close();
    m_datagramSocket.reset();
    m_listeningSocket.reset();
    if (m_winSock)
        m_winSock->End();
    m_winSock.reset();
}

int CTarvilApp::Run()
{
    // Registering at every start keeps the registrations in step with the libraries beside
    // the program, so a fresh machine needs no registration step of its own.
    ole::ComponentLoader::registerLibrariesIn(m_controlsDirectory);

    m_sounds.SetSoundsEnabled(m_settings.GetString(keys::kDisabledSounds, keys::kAll) !=
                              keys::kAllDisabled);
    if (const std::optional<std::string> warning = m_savedMessages.LoadSavedMessages())
        ui::MessageBox(nullptr, *warning, "Error", ui::MessageIcon::Exclamation);

    CPagerDlg mainWindow(*this);
    m_mainWindow = &mainWindow;
    mainWindow.DoModal();
    m_mainWindow = nullptr;
    EndNetworking();
    return 0;
}
