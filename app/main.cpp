#include "app/CTarvilApp.h"
#include "app/Settings.h"
#include "platform/profile/WindowsDirectory.h"
#include "platform/sound/SdlSoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <string>

int main(int argc, char **argv)
{
    // Qt's own event loop wakes up less often per socket event than the GLib one; every page and
    // receipt takes several turns of the loop.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QApplication application(argc, argv);

    // The Windows directory is found once and made ready before any setting is read from it.
    const std::string windowsDirectory = profile::GetWindowsDirectory();
    profile::prepareWindowsDirectory(windowsDirectory);

    // The settings file is named after the program file: tarvil32 keeps tarvil32.INI.
    const QString programName = QFileInfo(QCoreApplication::applicationFilePath()).baseName();
    app::Settings settings(windowsDirectory + '/' +
                           (programName + QStringLiteral(".INI")).toStdString());

    const QString controls = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral(TARVIL_CONTROLS_RELATIVE_DIR));
    sound::SdlSoundPlayer player(windowsDirectory);
    CTarvilApp app(settings, player, QDir::cleanPath(controls).toStdString());
    return app.Run();
}
