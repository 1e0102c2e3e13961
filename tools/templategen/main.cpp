// Makes a dialog template the program loads from its source in resources/: the hosted controls'
// property lists become their persisted streams, saved by the control libraries themselves.
//
// Usage: tarvil_templategen SOURCE.json OUTPUT.json RESOURCES CONTROLS...
//   RESOURCES  the folder that picture files are named relative to
//   CONTROLS   folders of control libraries to register

#include "platform/ole/ComponentLoader.h"
#include "tools/templategen/TemplateGenerator.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv, argv + argc);
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: %s SOURCE.json OUTPUT.json RESOURCES CONTROLS...\n", argv[0]);
        return 2;
    }
    // A build needs no display; the offscreen platform also gives the controls' windows the
    // 96 dpi that their extents are measured at.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // The libraries register in a store of this run's own, never in the user's.
    QTemporaryDir windows;
    if (!windows.isValid()) {
        std::fprintf(stderr, "%s: no temporary folder: %s\n", args[0].c_str(),
                     windows.errorString().toLocal8Bit().constData());
        return 1;
    }
    qputenv("TARVIL_WINDIR", QFile::encodeName(windows.path()));
    for (std::size_t i = 4; i < args.size(); ++i)
        ole::ComponentLoader::registerLibrariesIn(args[i]);

    const QString sourcePath = QFile::decodeName(args[1].c_str());
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", args[1].c_str(),
                     source.errorString().toLocal8Bit().constData());
        return 1;
    }
    std::string error;
    const auto result = templategen::generateTemplate(source.readAll(), args[3], error);
    if (!result) {
        std::fprintf(stderr, "%s: %s\n", args[1].c_str(), error.c_str());
        return 1;
    }
    QSaveFile output(QFile::decodeName(args[2].c_str()));
    if (!output.open(QIODevice::WriteOnly) || output.write(*result) != result->size() ||
        !output.commit()) {
        std::fprintf(stderr, "%s: %s\n", args[2].c_str(),
                     output.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
