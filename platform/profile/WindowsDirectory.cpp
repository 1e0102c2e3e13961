#include "platform/profile/WindowsDirectory.h"

#include "platform/profile/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace profile {

std::string GetWindowsDirectory()
{
    const QByteArray windir = qgetenv("TARVIL_WINDIR");
    if (!windir.isEmpty())
        return windir.toStdString();
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const QString base = configHome.isEmpty() ? QDir::homePath() + QStringLiteral("/.config")
                                              : QFile::decodeName(configHome);
    return QFile::encodeName(base + QStringLiteral("/tarvil32")).toStdString();
}

void prepareWindowsDirectory(const std::string &directory)
{
    const QDir folder(QFile::decodeName(QByteArray::fromStdString(directory)));
    // An absolute path, so that the write goes to this folder whatever the environment says.
    const QString winIni = folder.absoluteFilePath(
        QString::fromLatin1(kWinIni.data(), static_cast<qsizetype>(kWinIni.size())));
    if (folder.mkpath(QStringLiteral(".")) && !QFileInfo::exists(winIni))
        WritePrivateProfileString("Mail", "MAPI", "1", QFile::encodeName(winIni).toStdString());
}

} // namespace profile
