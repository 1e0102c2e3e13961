// Loads arbitrary bytes as the persisted property stream of each display control, and on their
// own as a standard font's and a standard picture's stream. Whatever loads must save and load
// again to the same bytes. The controls are the 3-D test control (a library on the controls'
// shared layer with a property of every persisted kind) and the program's 3-D label, frame,
// command button, marquee and text box, created through the loader as the program creates its
// controls.
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

std::vector<ole::Clsid> controlClasses;

std::shared_ptr<ole::Control> newControl(const ole::Clsid &clsid)
{
    std::shared_ptr<ole::Control> control;
    if (ole::failed(ole::ComponentLoader::createInstance(clsid, control)) || !control)
        std::abort();
    return control;
}

// Keeps every library of `folder` loaded for good, then registers them. The fuzzer keeps the
// coverage counters of every instrumented library it has seen, and registering loads each
// library of the folder and unloads it again: loaded first, no counters are left behind in
// memory that is gone.
void registerFolder(const char *folder)
{
    const QDir controls(QString::fromUtf8(folder));
    for (const QString &library : controls.entryList({QStringLiteral("*.so")}, QDir::Files))
        dlopen(QFile::encodeName(controls.filePath(library)).constData(),
               RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    ole::ComponentLoader::registerLibrariesIn(folder);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    // Registrations go to a private Windows directory.
    static QTemporaryDir windows;
    qputenv("TARVIL_WINDIR", windows.path().toLocal8Bit());
    registerFolder(TARVIL_TEST_CONTROLS_DIR);
    registerFolder(TARVIL_CONTROLS_DIR);
    for (const char *progId :
         {"QVTEST.QvTestCtrl.1", "QV3DLBL.Qv3dLabelCtrl.1", "QV3DFRM.Qv3dfrmCtrl.1",
          "QVCM200.Qvcm200Ctrl.1", "QVMQ200.QvMarqueeCtrl.1", "QVGTXT.Qv3dTextCtrl.1"}) {
        const std::optional<ole::Clsid> clsid = ole::Registry::clsidFromProgId(progId);
        if (!clsid)
            std::abort();
        controlClasses.push_back(*clsid);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    for (const ole::Clsid &clsid : controlClasses) {
        const std::shared_ptr<ole::Control> control = newControl(clsid);
        if (ole::failed(control->load(bytes)))
            continue;
        std::vector<std::uint8_t> saved;
        std::vector<std::uint8_t> again;
        const std::shared_ptr<ole::Control> copy = newControl(clsid);
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
