#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/CSettings.h"
#include "app/SettingsKeys.h"
#include "platform/ole/ComponentLoader.h"

CTarvilApp::CTarvilApp(CSettings &settings, sound::SoundPlayer &player,
                       std::string controlsDirectory)
    : m_settings(settings), m_player(player), m_sounds(settings, player),
      m_controlsDirectory(std::move(controlsDirectory))
{
}

CTarvilApp::~CTarvilApp() = default;

int CTarvilApp::Run()
{
    // Registering at every start keeps the registrations in step with the libraries beside
    // the program, so a fresh machine needs no registration step of its own.
    ole::ComponentLoader::registerLibrariesIn(m_controlsDirectory);

    m_sounds.SetSoundsEnabled(m_settings.GetString(keys::kDisabledSounds, keys::kAll) !=
                              keys::kAllDisabled);

    CPagerDlg mainWindow(*this);
    m_mainWindow = &mainWindow;
    mainWindow.DoModal();
    m_mainWindow = nullptr;
    return 0;
}
