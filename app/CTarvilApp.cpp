#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/Settings.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"

#include <QTimer>

namespace {

// Shows an "Error" box from the main window's own run, once it is up and its sockets listen, so
// that the box holds up neither the start nor the network.
void warnOnceUp(CPagerDlg &mainWindow, std::string text)
{
    QTimer::singleShot(0, &mainWindow, [&mainWindow, text = std::move(text)] {
        ui::MessageBox(&mainWindow, text, "Error", ui::MessageIcon::Exclamation);
    });
}

} // namespace

CTarvilApp::CTarvilApp(app::Settings &settings, sound::SoundPlayer &player,
                       std::string controlsDirectory)
    : m_settings(settings), m_sounds(settings, player),
      m_controlsDirectory(std::move(controlsDirectory)),
      m_windows(m_sounds, {m_settings, m_sender, m_savedMessages, m_clock, nullptr, nullptr})
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
        m_windows.setMainWindow(&mainWindow);
        if (warning)
            warnOnceUp(mainWindow, *warning);
        if (!m_settings.writable())
            warnOnceUp(mainWindow, "The settings in " + m_settings.folder() +
                                       " cannot be saved. Changes will be lost when the program "
                                       "ends.");
        mainWindow.DoModal();
        m_windows.setMainWindow(nullptr);
        m_mainWindow = nullptr;
    } // the main window closes the sockets as it goes
    return 0;
}
