#include "platform/profile/WindowsDirectory.h"

#include "platform/profile/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace profile {
namespace {

QString windowsDirectoryPath()
{
    const QByteArray windir = qgetenv("TARVIL_WINDIR");
    if (!windir.isEmpty())
        return QFile::decodeName(windir);
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    const QString base = configHome.isEmpty() ? QDir::homePath() + QStringLiteral("/.config")
                                              : QFile::decodeName(configHome);
    return base + QStringLiteral("/tarvil32");
}

void seedWinIni(const QDir &directory)
{
    // An absolute path, so that the write below does not look for the Windows directory again.
    const QString path = directory.absoluteFilePath(
        QString::fromLatin1(kWinIni.data(), static_cast<qsizetype>(kWinIni.size())));
    if (!QFileInfo::exists(path))
        WritePrivateProfileString("Mail", "MAPI", "1", QFile::encodeName(path).toStdString());
}

} // namespace

std::string GetWindowsDirectory()
{
    const QString path = windowsDirectoryPath();
    const QDir directory(path);
    if (directory.mkpath(QStringLiteral(".")))
        seedWinIni(directory);
    return QFile::encodeName(path).toStdString();
}

} // namespace profile
