// Loads arbitrary bytes as a display control's persisted property stream, and on their own as a
// standard font's and a standard picture's stream. Whatever loads must save and load again to
// the same bytes.
#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"
#include "tests/controls/qv/CQvTestCtrl.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    qvtest::CQvTestCtrl control;
    if (ole::succeeded(control.load(bytes))) {
        std::vector<std::uint8_t> saved;
        std::vector<std::uint8_t> again;
        qvtest::CQvTestCtrl copy;
        if (ole::failed(control.save(saved)) || ole::failed(copy.load(saved)) ||
            ole::failed(copy.save(again)) || again != saved)
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
