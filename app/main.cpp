#include "app/CTarvilApp.h"
#include "app/Settings.h"
#include "platform/profile/WindowsDirectory.h"
#include "platform/sound/SdlSoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr char kUsage[] =
    "Usage: tarvil32 [--data-home]\n"
    "A pager for the machines of a local network.\n"
    "\n"
    "  --data-home  keep saved messages in $XDG_DATA_HOME/tarvil32 (by default\n"
    "               ~/.local/share/tarvil32, made when missing) instead of the\n"
    "               current directory, as the menu entry does\n"
    "  --help       show this text and end\n"
    "  --version    show the version and end\n";

// Answers --help and --version, which need neither a display nor the network, and enters the
// data folder for --data-home. Returns the exit status when the program ends here. Every other
// argument is left to the application object, which takes Qt's own (-platform and the like).
std::optional<int> takeOptions(int argc, char **argv)
{
    bool dataHome = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Tarvil 32 " TARVIL_VERSION);
            return 0;
        }
        dataHome = dataHome || std::strcmp(argv[i], "--data-home") == 0;
    }
    if (!dataHome)
        return std::nullopt;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/tarvil32");
    if (QDir().mkpath(folder) && QDir::setCurrent(folder))
        return std::nullopt;
    std::fprintf(stderr, "Tarvil 32 cannot keep its saved messages in %s.\n", qPrintable(folder));
    return 1;
}

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
    if (const std::optional<int> status = takeOptions(argc, argv))
        return *status;
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
