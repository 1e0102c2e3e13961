#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/Settings.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"

#include <QTimer>

namespace {

// Tells the user that no change of the settings will be kept.
void warnSettingsCannotBeSaved(CPagerDlg &mainWindow, const app::Settings &settings)
{
    ui::MessageBox(&mainWindow,
                   "The settings in " + settings.folder() +
                       " cannot be saved. Changes will be lost when the program ends.",
                   "Error", ui::MessageIcon::Exclamation);
}

} // namespace

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
        // Said once the window is up, so that the box holds up neither the window nor its sockets.
        if (!m_settings.writable())
            QTimer::singleShot(0, &mainWindow,
                               [&] { warnSettingsCannotBeSaved(mainWindow, m_settings); });
        mainWindow.DoModal();
        m_mainWindow = nullptr;
    } // the main window closes the sockets as it goes
    return 0;
}
