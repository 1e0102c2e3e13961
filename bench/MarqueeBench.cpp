// The CPU time an idle window costs while a marquee runs in it: the chat-link progress window's
// marquee (three pictures cycled every 500 ms), a ticker whose caption moves every 100 ms, and
// the window without a marquee, each left to the event loop for a while.
//
// Usage: marquee_bench [--seconds N] [--rounds N]

#include "BenchSupport.h"
#include "controls/marquee/Qvmq200TypeLib.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/StdPicture.h"
#include "platform/ui/ControlContainer.h"
#include "wrappers/CQvMarquee.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace bench;
using Properties = std::vector<std::pair<ole::DispId, ole::Variant>>;

struct Options {
    int seconds = 10;
    int rounds = 3;
};

struct CpuTime {
    double user = 0; // seconds
    double system = 0;
};

CpuTime ProcessCpu()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

ole::Variant Bitmap(const char *name)
{
    QFile file(QStringLiteral(TARVIL_SOURCE_DIR "/resources/bitmaps/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "marquee_bench: cannot read %s\n", name);
        std::exit(1);
    }
    const QByteArray bytes = file.readAll();
    return ole::DispatchPtr(ole::StdPicture::fromFile(
        std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), bytes.size())));
}

// Counts the paints of the window it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Result {
    CpuTime cpu;
    int paints = 0;
};

// A shown window of the progress window's size, with a marquee of `properties` at the
// marquee's place unless they are empty, left to the event loop for `seconds`.
Result IdleWindow(const Properties &properties, int seconds)
{
    QWidget window;
    window.resize(310, 210);
    ui::ControlContainer container(&window);
    PaintCounter counter;
    if (!properties.empty()) {
        QWidget *marquee = container.createControl(1070, CQvMarquee::kClsid, {},
                                                   QRect(78, 11, 177, 112), "Marquee1");
        ole::Control *control = container.control(1070);
        if (!control) {
            std::fprintf(stderr, "marquee_bench: no marquee (%s)\n",
                         marquee->objectName().toLocal8Bit().constData());
            std::exit(1);
        }
        for (const auto &[id, value] : properties)
            if (ole::failed(control->putProperty(id, value))) {
                std::fprintf(stderr, "marquee_bench: property %d refused\n", id);
                std::exit(1);
            }
        marquee->installEventFilter(&counter);
    }
    window.show();
    // The first paints of a new window are not the idle window's.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();
    counter.paints = 0;

    const CpuTime before = ProcessCpu();
    QEventLoop idle;
    QTimer::singleShot(seconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const CpuTime after = ProcessCpu();
    return {{after.user - before.user, after.system - before.system}, counter.paints};
}

Options ParseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0)
            options.seconds = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--rounds") == 0)
            options.rounds = std::atoi(argv[i + 1]);
    }
    if (options.seconds < 1 || options.rounds < 1) {
        std::fprintf(stderr, "usage: marquee_bench [--seconds N] [--rounds N]\n");
        std::exit(2);
    }
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    const Options options = ParseOptions(argc, argv);
    const ProgramEnvironment environment;
    QApplication application(argc, argv);
    ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);

    using namespace qvmq200;
    const struct {
        const char *name;
        Properties properties;
    } cases[] = {
        {"window alone", {}},
        {"progress marquee, 500 ms",
         {{ole::DISPID_CAPTION, std::string()},
          {DISPID_STYLE, std::int16_t{2}},
          {DISPID_INTERVAL, std::int32_t{500}},
          {DISPID_OUTERFILLCOLOR, std::int32_t{0}},
          {DISPID_PICTURELEFT, std::int16_t{210}},
          {DISPID_PICTURETOP, std::int16_t{195}},
          {DISPID_PICTURE1, Bitmap("link_wait1.bmp")},
          {DISPID_PICTURE2, Bitmap("link_wait2.bmp")},
          {DISPID_PICTURE3, Bitmap("link_wait3.bmp")}}},
        {"ticker, 100 ms",
         {{ole::DISPID_CAPTION, std::string("Attempting to establish chat link...")},
          {DISPID_INTERVAL, std::int32_t{100}},
          {DISPID_CAPTIONTOP, std::int16_t{600}},
          {DISPID_FONTSTYLE, std::int16_t{1}}}},
    };

    std::printf("%-26s %5s %10s %10s %8s %8s\n", "case", "round", "user ms", "system ms", "cpu %",
                "paints");
    // The cases take turns within each round, so that what else the machine does falls on all.
    for (int round = 1; round <= options.rounds; ++round) {
        for (const auto &[name, properties] : cases) {
            const Result result = IdleWindow(properties, options.seconds);
            const double total = result.cpu.user + result.cpu.system;
            std::printf("%-26s %5d %10.1f %10.1f %8.3f %8d\n", name, round, result.cpu.user * 1e3,
                        result.cpu.system * 1e3, 100.0 * total / options.seconds, result.paints);
            std::fflush(stdout);
        }
    }
    return 0;
}
