#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/Settings.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"

CTarvilApp::CTarvilApp(app::Settings &settings, sound::SoundPlayer &player,
                       std::string controlsDirectory)
    : m_settings(settings), m_sounds(settings, player),
      m_controlsDirectory(std::move(controlsDirectory))
{}

int CTarvilApp::Run()
{
    // Registering at every start keeps the registrations in step with the libraries beside
    // the program, so a fresh machine needs no registration step of its own.
    ole::ComponentLoader::registerLibrariesIn(m_controlsDirectory);

    m_sounds.setSoundsEnabled(!m_settings.isOn(keys::kAllSoundsOff));
    if (const std::optional<std::string> warning = m_savedMessages.LoadSavedMessages())
        ui::MessageBox(nullptr, *warning, "Error", ui::MessageIcon::Exclamation);

    {
        CPagerDlg mainWindow(m_settings, m_sounds, m_network, m_sender, m_windows);
        m_mainWindow = &mainWindow;
        mainWindow.DoModal();
        m_mainWindow = nullptr;
    } // the main window closes the sockets as it goes
    return 0;
}
