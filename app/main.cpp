#include "app/CTarvilApp.h"
#include "app/Settings.h"
#include "platform/profile/WindowsDirectory.h"
#include "platform/sound/SdlSoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// While the application object starts, a display that cannot be opened ends the program with
// a plain sentence and status 1, instead of the toolkit's own text and a core dump.
void noDisplay(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr,
                 "Tarvil 32 needs a graphical display, and none could be opened (DISPLAY=%s).\n",
                 display.isEmpty() ? "not set" : display.constData());
    std::_Exit(1);
}

} // namespace

int main(int argc, char **argv)
{
    // Qt's own event loop wakes up less often per socket event than the GLib one; every page and
    // receipt takes several turns of the loop.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    const QtMessageHandler previousHandler = qInstallMessageHandler(noDisplay);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);

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
    player.setWhileWaiting([&app] { app.TakeWaitingDatagrams(); });
    return app.Run();
}
