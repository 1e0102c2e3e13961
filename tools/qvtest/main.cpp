// qvtest: a design-time container for the 3-D controls. It registers the control libraries
// installed with the program, places any of them on a design surface, switches them between
// design and run mode, logs their events and property changes, edits their properties and saves
// and loads their persisted streams.
#include "platform/profile/WindowsDirectory.h"
#include "tools/qvtest/QvTestWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    profile::prepareWindowsDirectory(profile::GetWindowsDirectory());
    // The control libraries lie where the program's do, relative to this file.
    const QString controls = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral(TARVIL_CONTROLS_RELATIVE_DIR));
    QvTestWindow window(QDir::cleanPath(controls).toStdString());
    window.resize(1280, 760);
    window.show();
    return application.exec();
}
