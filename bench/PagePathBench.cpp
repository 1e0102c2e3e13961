// The page path, measured between two network namespaces joined by a virtual cable: the round
// trip of a page that asks for a delivery receipt (also with the page window made at the
// receiver), and the rate at which the main window takes in pages, each against plain UDP
// sockets doing the same with nothing around them.
//
// Needs root (it makes and removes its own namespaces). Usage:
//   page_bench [--round-trips N] [--warm-up N] [--flood N] [--burst N] [--rounds N]

#include "BenchSupport.h"
#include "QuietServices.h"
#include "TwoCopies.h"
#include "app/CPagerDlg.h"
#include "app/PagerSockets.h"
#include "app/WindowFactory.h"
#include "net/CSocket.h"
#include "net/SocketTypes.h"
#include "paging/CPageDlg.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageDatagram.h"
#include "paging/PageSender.h"
#include "paging/PageWindowContext.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/time/SystemClock.h"
#include "support/NetworkNamespaces.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace bench;
using testnet::LinkedNamespaces;

constexpr unsigned short kPagePort = PAGE_PORT;
constexpr int kWireSizes[] = {10, 1000};
// A flood has ended once nothing arrived for this long.
constexpr auto kFloodIdle = std::chrono::milliseconds(150);
constexpr auto kLongestRun = std::chrono::minutes(10);
// A round-trip run stops when this many pages in a row got no answer: the far end is gone.
constexpr int kLostInARow = 10;

struct Options {
    int roundTrips = 5000;
    int warmUp = 500;
    int flood = 100000;
    int burst = 80;
    int rounds = 3;
};

int g_messageBoxes = 0;

// A page of `wireSize` bytes on the wire that asks for both receipts, as the page window builds
// it: "@R@Dhello" and its zero byte for 10 bytes, longer sizes padded with dots.
std::string RoundTripPayload(int wireSize)
{
    std::string text = "hello";
    text.resize(static_cast<std::size_t>(wireSize) - 5, '.');
    return page::BuildPayload(text, true, true);
}

// A page of `wireSize` bytes on the wire that asks for nothing, so the receiver only receives.
std::string FloodPayload(int wireSize)
{
    std::string text = "hello";
    text.resize(static_cast<std::size_t>(wireSize) - 1, '.');
    return text;
}

// A received page's window, made, shown and destroyed again.
void ShowPageWindow(const page::PageWindowContext &context, QWidget *owner, const std::string &text,
                    bool readReceipt, const std::string &sender)
{
    auto *window = new CPageDlg(context, owner);
    window->SetReadReceiptPending(readReceipt);
    window->ShowReceived(text, sender);
    window->DestroyWindow();
}

// The windows that pages and receipts open, replaced by callbacks that count them. With
// `pageWindows` set, each received page makes its real page window, shown and destroyed again at
// once so that windows do not pile up.
class BenchWindows : public app::WindowFactory {
public:
    bool runPageWindow(QWidget *, const std::string &, std::string &) override { return false; }
    void runMemoryWindow(QWidget *, QComboBox *) override {}
    void runOptionsWindow(QWidget *) override {}
    void openIncomingChat(QWidget *, CStreamSocket &) override {}
    void openReceivedPage(QWidget *owner, const std::string &text, bool readReceipt,
                          const std::string &sender) override
    {
        if (pageWindows)
            ShowPageWindow(*pageWindows, owner, text, readReceipt, sender);
        if (onPage)
            onPage();
    }
    void openReceiptWindow(QWidget *, app::ReceiptKind kind, const std::string &) override
    {
        if (kind == app::ReceiptKind::Delivery && onDeliveryReceipt)
            onDeliveryReceipt();
    }

    std::function<void()> onPage;
    std::function<void()> onDeliveryReceipt;
    const page::PageWindowContext *pageWindows = nullptr;
};

// The running main window of one copy, with what a benchmark does to it.
struct BenchPager {
    CPagerDlg &window;
    BenchWindows &windows;
    page::PageSender &sender;

    // The main window's send loop, as a page window's OK starts it (every sound is off).
    void Page(const std::string &payload, const std::string &destination)
    {
        sender.sendPage(payload, destination, [](int) { ++g_messageBoxes; });
    }
    void EndDialog(int result) { window.EndDialog(result); }
};

// One copy of the program: its settings with every sound off, a sound player that plays
// nothing, and the main window on real sockets.
class PagerCopy {
public:
    const page::PageWindowContext &PageWindows() const { return m_context; }
    // Received pages make their real windows.
    void OpenPageWindows() { m_windows.pageWindows = &m_context; }

    // Runs the main window. `started` is called once its sockets are open and arranges for the
    // window to be ended. False when the networking did not start or a message box came up.
    bool Run(const std::function<void(BenchPager &)> &started)
    {
        CPagerDlg dialog(m_services.settings(), m_services.sounds(), m_network, m_sender,
                         m_windows);
        BenchPager pager{dialog, m_windows, m_sender};
        bool networking = false;
        QTimer::singleShot(0, &dialog, [&] {
            networking = m_sender.isOpen() && m_network.listener();
            if (networking)
                started(pager);
            else
                dialog.EndDialog(-1);
        });
        QTimer::singleShot(kLongestRun, &dialog, [&] { dialog.EndDialog(-1); });
        const int boxes = g_messageBoxes;
        dialog.DoModal();
        return networking && g_messageBoxes == boxes;
    }

private:
    QuietServices m_services;
    app::PagerSockets m_network;
    page::PageSender m_sender{m_network.datagramPort()};
    CSavedMessageList m_saved{m_services.filePath("Message.sav")};
    clk::SystemClock m_clock;
    page::PageWindowContext m_context{
        m_services.settings(), m_sender, m_saved, m_clock, nullptr, {}};
    BenchWindows m_windows;
};

// --- The far namespace's roles, each in a child process ---------------------------------------

// Plain sockets: every datagram is answered at once with the 3-byte delivery receipt, sent to
// port 2000 of its sender.
int FarEcho()
{
    const int fd = BoundUdpSocket(kPagePort, 200);
    const std::string receipt = page::WireBytes(page::kDeliveryMarker);
    const auto deadline = Clock::now() + kLongestRun;
    SayToParent("ready");
    char buffer[CSocket::kReceiveBufferSize];
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        if (::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from),
                       &fromLength) >= 0) {
            from.sin_port = htons(kPagePort);
            ::sendto(fd, receipt.data(), receipt.size(), 0, reinterpret_cast<sockaddr *>(&from),
                     sizeof from);
            continue;
        }
        bool finished = false;
        (void)ReadParentLine(0, finished);
        if (finished || Clock::now() > deadline || (errno != EAGAIN && errno != EINTR))
            break;
    }
    ::close(fd);
    return 0;
}

// A copy of the program, running until the parent closes our input; with `pageWindows`, received
// pages make their real windows.
int FarPager(bool pageWindows)
{
    PagerCopy copy;
    if (pageWindows)
        copy.OpenPageWindows();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    const bool ran = copy.Run([&](BenchPager &dialog) {
        QObject::connect(&input, &QSocketNotifier::activated, &dialog.window, [&] {
            bool finished = false;
            (void)ReadParentLine(0, finished);
            if (finished)
                dialog.EndDialog(0);
        });
        SayToParent("ready");
    });
    return ran ? 0 : 1;
}

// Sends pages of `wireSize` bytes to the near namespace's page port: for each line "go N" from
// the parent, N of them as fast as the socket takes them, then reports "sent N MICROSECONDS".
int FarSender(int wireSize)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const std::string wire = page::WireBytes(FloodPayload(wireSize));
    const sockaddr_in to = Address(LinkedNamespaces::kNearAddress, kPagePort);
    if (fd < 0)
        return 1;
    SayToParent("ready");
    bool finished = false;
    int count = 0;
    while (const auto line = ReadParentLine(60000, finished)) {
        if (std::sscanf(line->c_str(), "go %d", &count) != 1)
            return 1;
        int sent = 0;
        const auto start = Clock::now();
        for (int i = 0; i < count; ++i) {
            if (::sendto(fd, wire.data(), wire.size(), 0, reinterpret_cast<const sockaddr *>(&to),
                         sizeof to) == static_cast<ssize_t>(wire.size()))
                ++sent;
        }
        SayToParent("sent " + std::to_string(sent) + " " +
                    std::to_string(Microseconds(Clock::now() - start)));
    }
    ::close(fd);
    return finished ? 0 : 1;
}

int RunFarRole(const std::vector<std::string> &role)
{
    if (role[0] == "echo")
        return FarEcho();
    if (role[0] == "sender" && role.size() == 2)
        return FarSender(std::stoi(role[1]));
    return 2;
}

// --- The measurements, from the near namespace -------------------------------------------------

struct RoundTrips {
    std::vector<double> microseconds;
    int lost = 0;
};

// Plain sockets: send the page's bytes, wait for the 3 bytes back.
RoundTrips RawRoundTrips(const std::string &farNetwork, int wireSize, const Options &options)
{
    FarProcess echo(farNetwork, {"--far", "echo"});
    echo.WaitUntilReady();
    const int fd = BoundUdpSocket(kPagePort, 1000);
    const std::string wire = page::WireBytes(RoundTripPayload(wireSize));
    const sockaddr_in far = Address(LinkedNamespaces::kFarAddress, kPagePort);
    char buffer[CSocket::kReceiveBufferSize];
    RoundTrips result;
    int lostInARow = 0;
    for (int i = 0; i < options.warmUp + options.roundTrips && lostInARow < kLostInARow; ++i) {
        const auto start = Clock::now();
        ::sendto(fd, wire.data(), wire.size(), 0, reinterpret_cast<const sockaddr *>(&far),
                 sizeof far);
        if (::recv(fd, buffer, sizeof buffer, 0) < 0) {
            ++result.lost;
            ++lostInARow;
            continue;
        }
        lostInARow = 0;
        if (i >= options.warmUp)
            result.microseconds.push_back(Microseconds(Clock::now() - start));
    }
    ::close(fd);
    return result;
}

// Two copies of the program: the near one pages the far one through its send loop, and each
// delivery receipt it decodes sends the next page.
// `farRole` is "pager", or "pager-windows" for a far copy that makes each page's window.
RoundTrips PagerRoundTrips(const std::string &farNetwork, int wireSize, const Options &options,
                           const std::string &farRole)
{
    FarProcess farCopy(farNetwork, {"--far", farRole});
    farCopy.WaitUntilReady();
    const std::string payload = RoundTripPayload(wireSize);
    const int total = options.warmUp + options.roundTrips;
    RoundTrips result;
    int done = 0;
    int lostInARow = 0;
    Clock::time_point start;
    // A page or receipt the network lost is given up after a second; checked twice a second.
    QTimer watchdog;
    PagerCopy copy;
    const bool ran = copy.Run([&](BenchPager &dialog) {
        const auto next = [&] {
            if (done == total) {
                dialog.EndDialog(0);
                return;
            }
            start = Clock::now();
            dialog.Page(payload, LinkedNamespaces::kFarAddress);
        };
        dialog.windows.onDeliveryReceipt = [&, next] {
            lostInARow = 0;
            if (done++ >= options.warmUp)
                result.microseconds.push_back(Microseconds(Clock::now() - start));
            next();
        };
        QObject::connect(&watchdog, &QTimer::timeout, &dialog.window, [&, next] {
            if (Clock::now() - start < std::chrono::seconds(1))
                return;
            ++result.lost;
            ++done;
            if (++lostInARow == kLostInARow)
                dialog.EndDialog(-1);
            else
                next();
        });
        watchdog.start(500);
        next();
    });
    if (!ran || !farCopy.Finish())
        std::fprintf(stderr, "page_bench: a copy of the program failed; see above\n");
    return result;
}

// The sender's report of its last "go": how many it sent and how long that took; false when none
// came.
bool ReadSentReport(FarProcess &sender, int &sent, double &microseconds)
{
    const auto report = sender.ReadLine(10000);
    return report && std::sscanf(report->c_str(), "sent %d %lf", &sent, &microseconds) == 2;
}

struct Flood {
    int sent = 0;
    double sentPerSecond = 0; // the sender's own rate
    int received = 0;
    double perSecond = 0;      // received datagrams, first to last
    double cpuPerDatagram = 0; // microseconds of the receiving process's CPU
};

// Counts what a receiver takes in during a flood and tells when the flood is over.
class ReceiveCounter {
public:
    explicit ReceiveCounter(int expected) : m_expected(expected) {}

    void Start() { m_start = Clock::now(); }
    void Got()
    {
        m_last = Clock::now();
        if (m_count++ == 0)
            m_first = m_last;
    }
    bool Complete() const { return m_count == m_expected; }
    // Everything came, or nothing more came for a while (or nothing at all for seconds).
    bool Over() const
    {
        const auto now = Clock::now();
        return Complete() || (m_count > 0 && now - m_last > kFloodIdle) ||
               (m_count == 0 && now - m_start > std::chrono::seconds(5));
    }
    int Count() const { return m_count; }
    double PerSecond() const
    {
        return m_count > 1 ? (m_count - 1) / (Microseconds(m_last - m_first) / 1e6) : 0;
    }

private:
    int m_expected;
    int m_count = 0;
    Clock::time_point m_start, m_first, m_last;
};

// A flood from the far namespace into `receive`, which opens its socket, calls `go` and counts
// each datagram it takes in until the counter says the flood is over.
Flood MeasureFlood(
    const std::string &farNetwork, int wireSize, int count,
    const std::function<void(ReceiveCounter &, const std::function<void()> &)> &receive)
{
    FarProcess sender(farNetwork, {"--far", "sender", std::to_string(wireSize)});
    sender.WaitUntilReady();
    ReceiveCounter counter(count);
    double cpuStart = 0;
    Flood flood;
    receive(counter, [&] {
        cpuStart = ProcessCpuMicroseconds();
        counter.Start();
        sender.WriteLine("go " + std::to_string(count));
    });
    flood.received = counter.Count();
    flood.perSecond = counter.PerSecond();
    flood.cpuPerDatagram =
        flood.received ? (ProcessCpuMicroseconds() - cpuStart) / flood.received : 0;
    double sendMicroseconds = 0;
    if (ReadSentReport(sender, flood.sent, sendMicroseconds) && sendMicroseconds > 0)
        flood.sentPerSecond = flood.sent / sendMicroseconds * 1e6;
    sender.Finish();
    return flood;
}

// A bare recvfrom loop on a plain socket bound like the program's.
Flood RawFlood(const std::string &farNetwork, int wireSize, int count)
{
    return MeasureFlood(farNetwork, wireSize, count, [](ReceiveCounter &counter, const auto &go) {
        const int fd = BoundUdpSocket(kPagePort, 200);
        char buffer[CSocket::kReceiveBufferSize];
        go();
        while (!counter.Complete()) {
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            if (::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from),
                           &fromLength) >= 0)
                counter.Got();
            else if (errno != EINTR && counter.Over())
                break;
        }
        ::close(fd);
    });
}

// The program's main window receiving: every page goes through its receive path to the
// received-page counter.
Flood PagerFlood(const std::string &farNetwork, int wireSize, int count)
{
    return MeasureFlood(farNetwork, wireSize, count, [](ReceiveCounter &counter, const auto &go) {
        QTimer idle;
        PagerCopy copy;
        if (!copy.Run([&](BenchPager &dialog) {
                dialog.windows.onPage = [&] {
                    counter.Got();
                    if (counter.Complete())
                        dialog.EndDialog(0);
                };
                QObject::connect(&idle, &QTimer::timeout, &dialog.window, [&] {
                    if (counter.Over())
                        dialog.EndDialog(0);
                });
                idle.start(20);
                go();
            }))
            std::fprintf(stderr, "page_bench: the receiving copy failed; see above\n");
    });
}

// The receive path alone, without the sender's pace: the sender sends a burst while the
// receiver is held off (the datagrams wait in the socket's receive buffer), then the receiver is
// let go and takes them in; the time from then until the last one of the burst, per datagram.
class Bursts {
public:
    Bursts(const std::string &farNetwork, int wireSize, int burstSize, int total)
        : m_sender(farNetwork, {"--far", "sender", std::to_string(wireSize)}),
          m_burstSize(burstSize), m_left(total / burstSize)
    {
        m_sender.WaitUntilReady();
    }

    // Has the next burst sent and starts its clock; false when every burst is done.
    bool Next()
    {
        double microseconds = 0;
        int sent = 0;
        if (m_left-- <= 0)
            return false;
        m_sender.WriteLine("go " + std::to_string(m_burstSize));
        if (!ReadSentReport(m_sender, sent, microseconds))
            return false;
        m_sent += sent;
        m_expected = sent;
        m_got = 0;
        m_start = m_last = Clock::now();
        return true;
    }
    // One datagram of the burst came; true when that was the burst's last.
    bool Got()
    {
        m_last = Clock::now();
        ++m_received;
        if (++m_got < m_expected)
            return false;
        m_perDatagram.push_back(Microseconds(m_last - m_start) / m_got);
        return true;
    }
    // Nothing came for a while: the rest of the burst was lost.
    bool Stalled() const { return Clock::now() - m_last > kFloodIdle; }

    int Sent() const { return m_sent; }
    int Received() const { return m_received; }
    // Microseconds per datagram, one figure per complete burst.
    const std::vector<double> &PerDatagram() const { return m_perDatagram; }

private:
    FarProcess m_sender;
    int m_burstSize;
    int m_left;
    int m_sent = 0, m_received = 0;
    int m_expected = 0, m_got = 0;
    Clock::time_point m_start, m_last;
    std::vector<double> m_perDatagram;
};

struct Drains {
    std::vector<double> perDatagram;
    int sent = 0;
    int received = 0;
};

Drains ResultOf(const Bursts &bursts)
{
    return {bursts.PerDatagram(), bursts.Sent(), bursts.Received()};
}

Drains RawDrains(const std::string &farNetwork, int wireSize, const Options &options)
{
    Bursts bursts(farNetwork, wireSize, options.burst, options.flood);
    const int fd = BoundUdpSocket(kPagePort, 200);
    char buffer[CSocket::kReceiveBufferSize];
    while (bursts.Next()) {
        for (;;) {
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            if (::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from),
                           &fromLength) >= 0) {
                if (bursts.Got())
                    break;
            } else if (errno != EINTR && bursts.Stalled()) {
                break;
            }
        }
    }
    ::close(fd);
    return ResultOf(bursts);
}

// The next burst is sent from inside the received-page counter, which holds the window's event
// loop until the burst waits in the socket.
Drains PagerDrains(const std::string &farNetwork, int wireSize, const Options &options)
{
    Bursts bursts(farNetwork, wireSize, options.burst, options.flood);
    QTimer stall;
    PagerCopy copy;
    const bool ran = copy.Run([&](BenchPager &dialog) {
        const auto next = [&] {
            if (!bursts.Next())
                dialog.EndDialog(0);
        };
        dialog.windows.onPage = [&, next] {
            if (bursts.Got())
                next();
        };
        QObject::connect(&stall, &QTimer::timeout, &dialog.window, [&, next] {
            if (bursts.Stalled())
                next();
        });
        stall.start(20);
        next();
    });
    if (!ran)
        std::fprintf(stderr, "page_bench: the receiving copy failed; see above\n");
    return ResultOf(bursts);
}

// Making a received page's window alone, in this process: once per round trip.
RoundTrips PageWindowsAlone(const Options &options)
{
    PagerCopy copy;
    RoundTrips result;
    const std::string text = RoundTripPayload(10);
    for (int i = 0; i < options.warmUp + options.roundTrips; ++i) {
        const auto start = Clock::now();
        ShowPageWindow(copy.PageWindows(), nullptr, text, false, LinkedNamespaces::kFarAddress);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (i >= options.warmUp)
            result.microseconds.push_back(Microseconds(Clock::now() - start));
    }
    return result;
}

// --- Report --------------------------------------------------------------------------------

struct SizeResults {
    RoundTrips rawTrips, pagerTrips, windowTrips;
    std::vector<Flood> rawFloods, pagerFloods;
    Drains rawDrains, pagerDrains;
};

void Append(RoundTrips &into, const RoundTrips &from)
{
    into.microseconds.insert(into.microseconds.end(), from.microseconds.begin(),
                             from.microseconds.end());
    into.lost += from.lost;
}

void Append(Drains &into, const Drains &from)
{
    into.perDatagram.insert(into.perDatagram.end(), from.perDatagram.begin(),
                            from.perDatagram.end());
    into.sent += from.sent;
    into.received += from.received;
}

void PrintDrains(int wireSize, const char *path, const Drains &drains)
{
    const Summary s = Summarize(drains.perDatagram);
    std::printf("%6d  %-9s %7zu %8d %8d %7.2f %7.2f %7.2f %7.2f %12.0f\n", wireSize, path, s.count,
                drains.sent, drains.received, s.min, s.median, s.p90, s.p99,
                s.median > 0 ? 1e6 / s.median : 0);
}

void PrintTrips(int wireSize, const char *path, const RoundTrips &trips)
{
    const Summary s = Summarize(trips.microseconds);
    std::printf("%6d  %-9s %8zu %5d %8.1f %8.1f %8.1f %8.1f %8.1f\n", wireSize, path, s.count,
                trips.lost, s.min, s.median, s.p90, s.p99, s.max);
}

// Totals over the runs; rate and CPU as the median of the runs.
Flood Combine(const std::vector<Flood> &floods)
{
    Flood total;
    std::vector<double> rates, cpu, sendRates;
    for (const Flood &flood : floods) {
        total.sent += flood.sent;
        total.received += flood.received;
        rates.push_back(flood.perSecond);
        cpu.push_back(flood.cpuPerDatagram);
        sendRates.push_back(flood.sentPerSecond);
    }
    total.perSecond = Median(rates);
    total.cpuPerDatagram = Median(cpu);
    total.sentPerSecond = Median(sendRates);
    return total;
}

void PrintFlood(int wireSize, const char *path, const Flood &flood)
{
    std::printf("%6d  %-9s %9d %9d %12.0f %12.0f %10.2f\n", wireSize, path, flood.sent,
                flood.received, flood.sentPerSecond, flood.perSecond, flood.cpuPerDatagram);
}

void Report(const std::map<int, SizeResults> &results, const RoundTrips &dialogAlone,
            const Options &options)
{
    std::printf("\nRound trip of a page asking for a delivery receipt until the receipt is "
                "decoded (microseconds)\n");
    std::printf("%6s  %-9s %8s %5s %8s %8s %8s %8s %8s\n", "bytes", "path", "samples", "lost",
                "min", "median", "p90", "p99", "max");
    for (const auto &[size, r] : results) {
        PrintTrips(size, "raw UDP", r.rawTrips);
        PrintTrips(size, "program", r.pagerTrips);
        const double raw = Summarize(r.rawTrips.microseconds).median;
        const double ratio = raw > 0 ? Summarize(r.pagerTrips.microseconds).median / raw : 0;
        std::printf("%6s  program/raw median: %.2fx (goal: at most 2x) %s\n", "", ratio,
                    ratio <= 2 ? "met" : "MISSED");
    }

    std::printf("\nThe same with the page window made at the receiver, against making the window "
                "alone plus the raw round trip (microseconds)\n");
    std::printf("%6s  %-9s %8s %5s %8s %8s %8s %8s %8s\n", "bytes", "path", "samples", "lost",
                "min", "median", "p90", "p99", "max");
    PrintTrips(0, "window", dialogAlone);
    for (const auto &[size, r] : results) {
        PrintTrips(size, "program", r.windowTrips);
        const double parts =
            Summarize(dialogAlone.microseconds).median + Summarize(r.rawTrips.microseconds).median;
        const double ratio = parts > 0 ? Summarize(r.windowTrips.microseconds).median / parts : 0;
        std::printf("%6s  program/(window + raw) median: %.2fx (goal: at most 1.5x) %s\n", "",
                    ratio, ratio <= 1.5 ? "met" : "MISSED");
    }

    std::printf("\nReceive rate, %d runs of %d datagrams each (rates and CPU: median of runs)\n",
                options.rounds, options.flood);
    std::printf("%6s  %-9s %9s %9s %12s %12s %10s\n", "bytes", "path", "sent", "received", "sent/s",
                "received/s", "cpu us/dg");
    for (const auto &[size, r] : results) {
        const Flood raw = Combine(r.rawFloods);
        const Flood pager = Combine(r.pagerFloods);
        PrintFlood(size, "recvfrom", raw);
        PrintFlood(size, "program", pager);
        const double ratio = raw.perSecond > 0 ? pager.perSecond / raw.perSecond : 0;
        std::printf("%6s  program/raw rate: %.2f (goal: at least 0.5) %s\n", "", ratio,
                    ratio >= 0.5 ? "met" : "MISSED");
    }

    std::printf("\nReceive path alone: bursts of %d datagrams queued while the receiver is held "
                "off, then taken in\n(microseconds per datagram, one figure per burst; rate = "
                "1 / median)\n",
                options.burst);
    std::printf("%6s  %-9s %7s %8s %8s %7s %7s %7s %7s %12s\n", "bytes", "path", "bursts", "sent",
                "received", "min", "median", "p90", "p99", "rate/s");
    for (const auto &[size, r] : results) {
        PrintDrains(size, "recvfrom", r.rawDrains);
        PrintDrains(size, "program", r.pagerDrains);
        const double program = Summarize(r.pagerDrains.perDatagram).median;
        const double ratio = program > 0 ? Summarize(r.rawDrains.perDatagram).median / program : 0;
        std::printf("%6s  program/raw rate: %.2f (goal: at least 0.5) %s\n", "", ratio,
                    ratio >= 0.5 ? "met" : "MISSED");
    }
}

std::optional<Options> ParseOptions(int argc, char **argv)
{
    Options options;
    const std::map<std::string, int *> known{{"--round-trips", &options.roundTrips},
                                             {"--warm-up", &options.warmUp},
                                             {"--flood", &options.flood},
                                             {"--burst", &options.burst},
                                             {"--rounds", &options.rounds}};
    for (int i = 1; i < argc; i += 2) {
        const auto found = known.find(argv[i]);
        if (found == known.end() || i + 1 >= argc)
            return std::nullopt;
        *found->second = std::atoi(argv[i + 1]);
        if (*found->second < 0 || (found->second != &options.warmUp && *found->second == 0))
            return std::nullopt;
    }
    return options;
}

void PrintMachine()
{
    utsname machine{};
    ::uname(&machine);
    std::printf("page_bench: %s %s, %u hardware threads, Qt %s\n", machine.sysname, machine.release,
                std::thread::hardware_concurrency(), qVersion());
}

} // namespace

int main(int argc, char **argv)
{
    // Each process, the far ones too, keeps its settings and registrations to itself.
    const ProgramEnvironment environment;

    const bool far = argc >= 3 && std::strcmp(argv[1], "--far") == 0;
    const auto options = far ? Options{} : ParseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: %s [--round-trips N] [--warm-up N] [--flood N] [--burst N] "
                     "[--rounds N]\n",
                     argv[0]);
        return 2;
    }
    // The far copies of the program need the application object; the other roles do not.
    const bool farPager =
        far && (std::strcmp(argv[2], "pager") == 0 || std::strcmp(argv[2], "pager-windows") == 0);
    if (far && !farPager)
        return RunFarRole(std::vector<std::string>(argv + 2, argv + argc));

    std::signal(SIGPIPE, SIG_IGN);
    const std::string farNetwork = far ? std::string() : EnterNearNamespace();
    QApplication application(argc, argv);
    ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
    CountMessageBoxes(g_messageBoxes);
    if (far)
        return FarPager(std::strcmp(argv[2], "pager-windows") == 0);

    PrintMachine();
    std::map<int, SizeResults> results;
    RoundTrips dialogAlone;
    // The raw and the program's runs alternate, so that what else the machine does falls on both.
    for (int round = 0; round < options->rounds; ++round) {
        std::printf("round %d of %d\n", round + 1, options->rounds);
        std::fflush(stdout);
        for (const int size : kWireSizes) {
            SizeResults &r = results[size];
            Append(r.rawTrips, RawRoundTrips(farNetwork, size, *options));
            Append(r.pagerTrips, PagerRoundTrips(farNetwork, size, *options, "pager"));
            Append(r.windowTrips, PagerRoundTrips(farNetwork, size, *options, "pager-windows"));
        }
        Append(dialogAlone, PageWindowsAlone(*options));
        for (const int size : kWireSizes) {
            SizeResults &r = results[size];
            r.rawFloods.push_back(RawFlood(farNetwork, size, options->flood));
            r.pagerFloods.push_back(PagerFlood(farNetwork, size, options->flood));
            Append(r.rawDrains, RawDrains(farNetwork, size, *options));
            Append(r.pagerDrains, PagerDrains(farNetwork, size, *options));
        }
    }
    Report(results, dialogAlone, *options);
    // Not left to the end of the process, where it would come after Qt's own clean-up.
    RemoveNetwork(farNetwork);
    return 0;
}
