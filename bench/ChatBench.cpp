// Chat line throughput between two network namespaces joined by a virtual cable: lines typed
// without waiting into the chat window of one copy of the program, until the last of them is on
// top of the reply box of the other copy's chat window; against plain TCP sockets carrying the
// same messages with nothing around them.
//
// Needs root (it makes and removes its own namespaces). Usage:
//   chat_bench [--lines N] [--rounds N]

#include "BenchSupport.h"
#include "QuietServices.h"
#include "TwoCopies.h"
#include "app/Messages.h"
#include "chat/CChatDlg.h"
#include "chat/ChatProtocol.h"
#include "chat/ChatWindowContext.h"
#include "chat/MessageSplitter.h"
#include "net/CSocket.h"
#include "net/CStreamSocket.h"
#include "net/CWinSockInit.h"
#include "net/SocketTypes.h"
#include "platform/ole/ComponentLoader.h"
#include "support/NetworkNamespaces.h"
#include "wrappers/CQv3dText.h"
#include "wrappers/CQvcm200.h"
#include "wrappers/DataExchange.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace bench;
using testnet::LinkedNamespaces;

// Lines typed before the event loop runs again and sends them: what the far end has not taken
// waits in the network's buffers, and the window's own unsent bytes stay far below the 1 MiB at
// which it gives up the link (a message box, which fails the run).
constexpr int kBatch = 200;
// How often the far copy looks at the newest line of its reply box.
constexpr int kWatchMs = 2;
constexpr int kLongestRunMs = 120000;

struct Options {
    int lines = 20000;
    int rounds = 5;
};

// The text of line `index` as typed. Its number tells, from the newest line on top of the reply
// box alone, how many lines have come: the box keeps only the last 64 KiB.
std::string LineText(int index)
{
    char text[32];
    std::snprintf(text, sizeof text, "line %06d", index);
    return text;
}

// A message with its zero byte, as it goes on the wire.
std::string Wire(std::string_view message)
{
    std::string wire(message);
    wire.push_back(chat::kMessageEnd);
    return wire;
}

// steady_clock is the system's monotonic clock, the same in every process and namespace: the far
// end tells the time at which the last line came, and the near end takes its own start from it.
long long Nanoseconds(Clock::time_point time)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

// What the far end says once the last line has come: when, the CPU time it spent from taking the
// link until then, and whether every line it can still see came in order.
struct FarReport {
    long long atNanoseconds = 0;
    double cpuMicroseconds = 0;
    bool intact = false;
};

void SayArrived(long long atNanoseconds, double cpuMicroseconds, bool intact)
{
    SayToParent("arrived " + std::to_string(atNanoseconds) + " " + std::to_string(cpuMicroseconds) +
                " " + (intact ? "1" : "0"));
}

std::optional<FarReport> ReadArrived(const std::string &line)
{
    FarReport report;
    int intact = 0;
    if (std::sscanf(line.c_str(), "arrived %lld %lf %d", &report.atNanoseconds,
                    &report.cpuMicroseconds, &intact) != 3)
        return std::nullopt;
    report.intact = intact == 1;
    return report;
}

void WaitUntilParentCloses()
{
    bool finished = false;
    while (!finished)
        (void)ReadParentLine(kLongestRunMs, finished);
}

// --- The far namespace's roles, each in a child process ---------------------------------------

// Plain sockets: takes the link on the chat port, cuts what comes at every zero byte with the
// chat window's own splitter, and counts the lines.
int FarRawReceiver(int lines)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in local = Address("0.0.0.0", CHAT_PORT);
    if (::bind(listener, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0 ||
        ::listen(listener, 1) != 0)
        return 1;
    SayToParent("ready");
    const int link = ::accept(listener, nullptr, nullptr);
    const double cpuAtStart = ProcessCpuMicroseconds();
    chat::MessageSplitter splitter;
    int got = 0;
    char chunk[CSocket::kReceiveBufferSize];
    ssize_t received = 0;
    while (got < lines && (received = ::recv(link, chunk, sizeof chunk, 0)) > 0)
        splitter.feed(std::string_view(chunk, static_cast<std::size_t>(received)),
                      [&got](std::string_view message) {
                          if (message != chat::CHAT_SIGNAL)
                              ++got;
                      });
    SayArrived(Nanoseconds(Clock::now()), ProcessCpuMicroseconds() - cpuAtStart, got == lines);
    WaitUntilParentCloses();
    ::close(link);
    ::close(listener);
    return 0;
}

// The number of the newest line of a reply box's text, -1 when it holds none of ours.
int NewestLine(const std::string &boxText)
{
    int number = -1;
    return std::sscanf(boxText.c_str(), "line %d\r\n", &number) == 1 ? number : -1;
}

// Whether the box's text is lines `newest`, `newest - 1` and so on, each ended by CR LF.
bool Consecutive(std::string_view boxText, int newest)
{
    for (int number = newest; !boxText.empty(); --number) {
        const std::string line = LineText(number) + "\r\n";
        if (number < 0 || !boxText.starts_with(line))
            return false;
        boxText.remove_prefix(line.size());
    }
    return true;
}

// Stands for the far copy's main window: the owner of its chat windows, with the listening
// socket on the chat port; a connection waiting there opens an incoming chat window, as the main
// window's does.
class ChatListener : public QWidget {
public:
    ChatListener(app::Settings &settings, app::EventSounds &sounds)
        : m_context{settings, sounds, this}
    {}
    // The chat windows go before the services they were made with.
    ~ChatListener() override { qDeleteAll(findChildren<CChatDlg *>()); }

    bool Listen() { return m_listener.Create(CHAT_PORT) == SOCK_OK; }

    // Called with every chat window opened.
    std::function<void(CChatDlg &)> onChat;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != msg::WindowMessageEvent::eventType())
            return QWidget::event(event);
        if (static_cast<msg::WindowMessageEvent *>(event)->wParam() == SN_ACCEPT)
            onChat(*new CChatDlg(m_context, m_listener));
        return true;
    }

private:
    const chat::ChatWindowContext m_context;
    CStreamSocket m_listener{this, WM_STREAM_NOTIFY};
};

// A copy of the program that takes the link in a chat window, and looks at the newest line of
// its reply box until it is line `lines - 1`. Runs until the parent closes our input.
int FarChatCopy(int lines)
{
    QuietServices services;
    CWinSockInit winSock(winsock::MAKEWORD(1, 1));
    if (winSock.Start() != SOCK_OK)
        return 1;
    ChatListener mainWindow(services.settings(), services.sounds());
    if (!mainWindow.Listen())
        return 1;
    CQv3dText replies;
    double cpuAtStart = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const std::string text = replies.GetText();
        if (NewestLine(text) != lines - 1)
            return;
        const long long at = Nanoseconds(Clock::now());
        watch.stop();
        SayArrived(at, ProcessCpuMicroseconds() - cpuAtStart, Consecutive(text, lines - 1));
    });
    mainWindow.onChat = [&](CChatDlg &window) {
        cpuAtStart = ProcessCpuMicroseconds();
        DDX_Control(window, CChatDlg::IDC_REPLIES, replies);
        watch.start(kWatchMs);
    };
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [] {
        bool finished = false;
        (void)ReadParentLine(0, finished);
        if (finished)
            QCoreApplication::quit();
    });
    SayToParent("ready");
    return QCoreApplication::exec();
}

// --- The measurements, from the near namespace -------------------------------------------------

struct Run {
    double linesPerSecond = 0;
    // CPU time per line of the sending and of the receiving process.
    double nearCpuPerLine = 0;
    double farCpuPerLine = 0;
    bool ok = false;
};

Run Measured(const Options &options, Clock::time_point start, double nearCpuAtStart,
             const std::optional<std::string> &farLine)
{
    Run run;
    const double nearCpu = ProcessCpuMicroseconds() - nearCpuAtStart;
    const auto report = farLine ? ReadArrived(*farLine) : std::nullopt;
    if (!report)
        return run;
    const double seconds = static_cast<double>(report->atNanoseconds - Nanoseconds(start)) / 1e9;
    run.linesPerSecond = options.lines / seconds;
    run.nearCpuPerLine = nearCpu / options.lines;
    run.farCpuPerLine = report->cpuMicroseconds / options.lines;
    run.ok = report->intact;
    return run;
}

// Plain blocking TCP: per line the typing signal, then the line, one send each, as the chat
// window's socket sends its messages.
Run RawRun(const std::string &farNetwork, const Options &options)
{
    FarProcess far(farNetwork, {"--far", "raw", std::to_string(options.lines)});
    far.WaitUntilReady();
    const int link = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in to = Address(LinkedNamespaces::kFarAddress, CHAT_PORT);
    if (::connect(link, reinterpret_cast<const sockaddr *>(&to), sizeof to) != 0) {
        std::perror("chat_bench: connect");
        ::close(link);
        return {};
    }
    const std::string signal = Wire(chat::CHAT_SIGNAL);
    const double cpuAtStart = ProcessCpuMicroseconds();
    const auto start = Clock::now();
    bool sent = true;
    for (int i = 0; i < options.lines && sent; ++i) {
        const std::string line = Wire(LineText(i) + "\r\n");
        sent = ::send(link, signal.data(), signal.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(signal.size()) &&
               ::send(link, line.data(), line.size(), MSG_NOSIGNAL) ==
                   static_cast<ssize_t>(line.size());
    }
    const auto arrived = sent ? far.ReadLine(kLongestRunMs) : std::nullopt;
    const Run run = Measured(options, start, cpuAtStart, arrived);
    ::close(link);
    return run;
}

// Two copies of the program: the near chat window calls the far copy, and once its link light
// says the link is up, lines are typed into it without waiting for anything but the event loop
// between batches, which sends them.
Run ProgramRun(const std::string &farNetwork, const Options &options, const int &messageBoxes)
{
    FarProcess far(farNetwork, {"--far", "chat", std::to_string(options.lines)});
    far.WaitUntilReady();
    QuietServices services;
    CWinSockInit winSock(winsock::MAKEWORD(1, 1));
    if (winSock.Start() != SOCK_OK)
        return {};
    QWidget mainWindow;
    const chat::ChatWindowContext context{services.settings(), services.sounds(), &mainWindow};
    const QPointer<CChatDlg> window = new CChatDlg(context, LinkedNamespaces::kFarAddress);
    CQvcm200 linkLight;
    DDX_Control(*window, CChatDlg::IDC_LINK, linkLight);
    auto *input = qobject_cast<QLineEdit *>(window->GetDlgItem(CChatDlg::IDC_INPUT));
    if (!QTest::qWaitFor([&] { return window && !linkLight.GetValue(); }, 10000)) {
        std::fprintf(stderr, "chat_bench: the chat link did not come up\n");
        return {};
    }

    const int boxes = messageBoxes;
    const double cpuAtStart = ProcessCpuMicroseconds();
    const auto start = Clock::now();
    for (int i = 0; i < options.lines; ++i) {
        input->setText(QString::fromLatin1(LineText(i)));
        QTest::keyClick(input, Qt::Key_Return);
        if ((i + 1) % kBatch == 0)
            QCoreApplication::processEvents();
    }
    // The event loop goes on sending while the far copy takes the lines in.
    std::optional<std::string> arrived;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        arrived = far.ReadLine(0);
        if (arrived || Clock::now() - start > std::chrono::milliseconds(kLongestRunMs))
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    Run run = Measured(options, start, cpuAtStart, arrived);
    run.ok = run.ok && messageBoxes == boxes;
    // The link ends here first, so the far copy's port is free again for the next run.
    delete window.data();
    return run;
}

// --- Report --------------------------------------------------------------------------------

struct Results {
    std::vector<Run> raw, program;
};

void PrintRun(int round, const char *path, const Run &run)
{
    std::printf("%5d  %-8s %12.0f %14.2f %13.2f  %s\n", round, path, run.linesPerSecond,
                run.nearCpuPerLine, run.farCpuPerLine, run.ok ? "all lines" : "FAILED");
}

double MedianRate(const std::vector<Run> &runs)
{
    std::vector<double> rates;
    for (const Run &run : runs)
        rates.push_back(run.linesPerSecond);
    return Median(rates);
}

void PrintHeader(const Options &options)
{
    std::printf("Chat lines typed at one end until the last is shown at the other, %d lines per "
                "run\n",
                options.lines);
    std::printf("%5s  %-8s %12s %14s %13s\n", "round", "path", "lines/s", "sender cpu us",
                "receiver cpu us");
}

void PrintMedians(const Results &results)
{
    const double raw = MedianRate(results.raw);
    const double program = MedianRate(results.program);
    const double ratio = raw > 0 ? program / raw : 0;
    std::printf("median lines/s: raw %.0f, program %.0f; program/raw %.3f (goal: at least 0.5) "
                "%s\n",
                raw, program, ratio, ratio >= 0.5 ? "met" : "MISSED");
}

std::optional<Options> ParseOptions(int argc, char **argv)
{
    Options options;
    const std::map<std::string, int *> known{{"--lines", &options.lines},
                                             {"--rounds", &options.rounds}};
    for (int i = 1; i < argc; i += 2) {
        const auto found = known.find(argv[i]);
        if (found == known.end() || i + 1 >= argc)
            return std::nullopt;
        *found->second = std::atoi(argv[i + 1]);
        if (*found->second <= 0)
            return std::nullopt;
    }
    return options;
}

} // namespace

int main(int argc, char **argv)
{
    // Each process, the far ones too, keeps its settings and registrations to itself.
    const ProgramEnvironment environment;

    const bool far = argc == 4 && std::strcmp(argv[1], "--far") == 0;
    if (far && std::strcmp(argv[2], "raw") == 0)
        return FarRawReceiver(std::atoi(argv[3]));
    const auto options = far ? Options{} : ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: %s [--lines N] [--rounds N]\n", argv[0]);
        return 2;
    }

    std::signal(SIGPIPE, SIG_IGN);
    const std::string farNetwork = far ? std::string() : EnterNearNamespace();
    QApplication application(argc, argv);
    ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
    int messageBoxes = 0;
    CountMessageBoxes(messageBoxes);
    if (far)
        return FarChatCopy(std::atoi(argv[3]));

    PrintHeader(*options);
    Results results;
    // The raw and the program's runs alternate, so that what else the machine does falls on both.
    for (int round = 1; round <= options->rounds; ++round) {
        results.raw.push_back(RawRun(farNetwork, *options));
        results.program.push_back(ProgramRun(farNetwork, *options, messageBoxes));
        PrintRun(round, "raw TCP", results.raw.back());
        PrintRun(round, "program", results.program.back());
        std::fflush(stdout);
    }
    PrintMedians(results);
    // Not left to the end of the process, where it would come after Qt's own clean-up.
    RemoveNetwork(farNetwork);
    return 0;
}
