#include "QuietServices.h"

#include "app/SettingsKeys.h"

namespace bench {

QuietServices::QuietServices()
    : m_settings(filePath("tarvil32.INI")), m_sounds(m_settings, m_player)
{
    m_settings.WriteString(keys::kAllSoundsOff.section, keys::kAllSoundsOff.key,
                           keys::kAllSoundsOff.word);
    m_sounds.setSoundsEnabled(false);
}

std::string QuietServices::filePath(const char *name) const
{
    return m_folder.filePath(QString::fromLatin1(name)).toStdString();
}

} // namespace bench
