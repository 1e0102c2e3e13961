#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/Settings.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"

#include <QTimer>

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
    const std::optional<std::string> warning = m_savedMessages.LoadSavedMessages();

    {
        CPagerDlg mainWindow(m_settings, m_sounds, m_network, m_sender, m_windows);
        m_mainWindow = &mainWindow;
        // Told from the main window's own run, once it is up and its sockets listen: the box
        // holds up neither the start nor the network.
        if (warning) {
            QTimer::singleShot(0, &mainWindow, [&mainWindow, text = *warning] {
                ui::MessageBox(&mainWindow, text, "Error", ui::MessageIcon::Exclamation);
            });
        }
        mainWindow.DoModal();
        m_mainWindow = nullptr;
    } // the main window closes the sockets as it goes
    return 0;
}
