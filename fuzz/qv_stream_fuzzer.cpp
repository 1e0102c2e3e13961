// Loads arbitrary bytes as a display control's persisted property stream, and on their own as a
// standard font's and a standard picture's stream. Whatever loads must save and load again to
// the same bytes. The control is the 3-D test control, a library on the controls' shared layer
// with a property of every persisted kind, created through the loader as the program creates
// its controls.
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/Registry.h"
#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <memory>
#include <vector>

namespace {

ole::Clsid controlClass;

std::shared_ptr<ole::Control> newControl()
{
    std::shared_ptr<ole::Control> control;
    if (ole::failed(ole::ComponentLoader::createInstance(controlClass, control)) || !control)
        std::abort();
    return control;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // Registrations go to a private Windows directory.
    static QTemporaryDir windows;
    qputenv("TARVIL_WINDIR", windows.path().toLocal8Bit());
    // The fuzzer keeps the coverage counters of every instrumented library it has seen, and
    // registering loads each library of the folder and unloads it again: each is kept loaded
    // for good first, so that no counters are left behind in memory that is gone.
    const QDir controls(QStringLiteral(TARVIL_TEST_CONTROLS_DIR));
    for (const QString &library : controls.entryList({QStringLiteral("*.so")}, QDir::Files))
        dlopen(QFile::encodeName(controls.filePath(library)).constData(),
               RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR);
    const std::optional<ole::Clsid> clsid = ole::Registry::clsidFromProgId("QVTEST.QvTestCtrl.1");
    if (!clsid)
        std::abort();
    controlClass = *clsid;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    const std::shared_ptr<ole::Control> control = newControl();
    if (ole::succeeded(control->load(bytes))) {
        std::vector<std::uint8_t> saved;
        std::vector<std::uint8_t> again;
        const std::shared_ptr<ole::Control> copy = newControl();
        if (ole::failed(control->save(saved)) || ole::failed(copy->load(saved)) ||
            ole::failed(copy->save(again)) || again != saved)
            std::abort();
    }

    ole::StreamReader fontReader(bytes);
    if (const auto font = ole::StdFont::load(fontReader)) {
        std::vector<std::uint8_t> saved;
        ole::StreamWriter writer(saved);
        font->save(writer);
        if (saved.size() != fontReader.position())
            std::abort();
    }

    ole::StreamReader pictureReader(bytes);
    std::shared_ptr<ole::StdPicture> picture;
    if (ole::StdPicture::load(pictureReader, picture) && picture &&
        picture->file().size() + 8 != pictureReader.position())
        std::abort();
    return 0;
}
