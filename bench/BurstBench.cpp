// A burst of pages from ten peers at once, each asking for a delivery receipt, against plain
// UDP sockets that answer the same burst. The program plays "Recieve Page" for the pages as it
// does on a desk, with a sound player whose synchronous sounds last as long as the bundled
// beep (0.35 s) and that takes in the network meanwhile, as the program's own player does.
//
// Needs root (it makes and removes its own network namespaces). Usage:
//   burst_bench [PAGES] [ROUNDS]          (default 1000 pages, 3 rounds)

#include "BenchSupport.h"
#include "app/CPagerDlg.h"
#include "app/EventSounds.h"
#include "app/PagerSockets.h"
#include "app/ProgramWindows.h"
#include "app/Settings.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageSender.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/time/SystemClock.h"
#include "platform/ui/MessageBox.h"
#include "support/NetworkNamespaces.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <unistd.h>

namespace {

using namespace bench;
using testnet::LinkedNamespaces;

constexpr unsigned short kPagePort = 2000;
constexpr int kPeers = 10;
constexpr auto kSoundTime = std::chrono::milliseconds(350);
// Receipts are awaited until none came for this long.
constexpr int kQuietMs = 3000;

// Synchronous sounds take as long as the beep; the program's work while they play is done every
// few milliseconds, as the real player does it.
class TimedSoundPlayer : public sound::SoundPlayer {
public:
    bool sndPlaySound(const std::string &, unsigned flags) override
    {
        if (flags != sound::SND_SYNC)
            return true;
        const auto end = Clock::now() + kSoundTime;
        while (Clock::now() < end) {
            if (whileWaiting)
                whileWaiting();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
    std::function<void()> whileWaiting;
};

// The far end: ten peers send the burst, and the page port counts the receipts that come back.
// Says "got RECEIPTS MILLISECONDS", the time from the burst's end to the last receipt.
int FarBurster(int pages)
{
    const int receipts = BoundUdpSocket(kPagePort, kQuietMs);
    const int room = 8 * 1024 * 1024;
    ::setsockopt(receipts, SOL_SOCKET, SO_RCVBUFFORCE, &room, sizeof room);
    std::vector<int> peers;
    for (int i = 0; i < kPeers; ++i)
        peers.push_back(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const sockaddr_in to = Address(LinkedNamespaces::kNearAddress, kPagePort);
    const std::string page("@Dburst", 8);
    SayToParent("ready");
    bool finished = false;
    if (!ReadParentLine(60000, finished))
        return 1;
    for (int i = 0; i < pages; ++i)
        ::sendto(peers[static_cast<std::size_t>(i % kPeers)], page.data(), page.size(), 0,
                 reinterpret_cast<const sockaddr *>(&to), sizeof to);
    const auto burstEnd = Clock::now();
    auto last = burstEnd;
    int got = 0;
    char buffer[16];
    while (got < pages && ::recv(receipts, buffer, sizeof buffer, 0) >= 0) {
        ++got;
        last = Clock::now();
    }
    SayToParent(
        "got " + std::to_string(got) + " " +
        std::to_string(
            std::chrono::duration_cast<std::chrono::milliseconds>(last - burstEnd).count()));
    return 0;
}

struct Outcome {
    int receipts = 0;
    long milliseconds = 0;
};

Outcome ReadOutcome(FarProcess &far)
{
    Outcome outcome;
    if (const auto line = far.ReadLine(120000))
        std::sscanf(line->c_str(), "got %d %ld", &outcome.receipts, &outcome.milliseconds);
    return outcome;
}

// Plain sockets: every page is answered at once.
Outcome RawBurst(const std::string &farNetwork, int pages)
{
    const int fd = BoundUdpSocket(kPagePort, 200);
    std::atomic<bool> stop = false;
    std::thread echo([&] {
        char buffer[1000];
        while (!stop) {
            sockaddr_in from{};
            socklen_t length = sizeof from;
            if (::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr *>(&from),
                           &length) < 0)
                continue;
            from.sin_port = htons(kPagePort);
            ::sendto(fd, "@D", 3, 0, reinterpret_cast<const sockaddr *>(&from), sizeof from);
        }
    });
    FarProcess far(farNetwork, {"--far", std::to_string(pages)});
    far.WaitUntilReady();
    far.WriteLine("go");
    const Outcome outcome = ReadOutcome(far);
    stop = true;
    echo.join();
    ::close(fd);
    return outcome;
}

// The program's main window on its real sockets, with the "Recieve Page" sound on.
Outcome ProgramBurst(const std::string &farNetwork, int pages)
{
    QTemporaryDir folder;
    app::Settings settings(folder.filePath(QStringLiteral("tarvil32.INI")).toStdString());
    settings.WriteString(keys::kSounds, keys::kInitialExecution, keys::kInitialExecutionDone);
    settings.WriteString(keys::kSounds, keys::kReceivePage, "beep.wav");
    TimedSoundPlayer player;
    app::EventSounds sounds(settings, player);
    app::PagerSockets network;
    page::PageSender sender(network.datagramPort());
    CSavedMessageList saved(folder.filePath(QStringLiteral("Message.sav")).toStdString());
    clk::SystemClock clock;
    app::ProgramWindows windows(sounds, {settings, sender, saved, clock, nullptr, {}});
    player.whileWaiting = [&network] {
        network.takeWaiting();
    };

    FarProcess far(farNetwork, {"--far", std::to_string(pages)});
    far.WaitUntilReady();
    Outcome outcome;
    CPagerDlg window(settings, sounds, network, sender, windows);
    QTimer poll;
    QTimer::singleShot(0, &window, [&] {
        far.WriteLine("go");
        QObject::connect(&poll, &QTimer::timeout, &window, [&] {
            if (const auto line = far.ReadLine(0)) {
                std::sscanf(line->c_str(), "got %d %ld", &outcome.receipts, &outcome.milliseconds);
                window.EndDialog(0);
            }
        });
        poll.start(10);
    });
    window.DoModal();
    return outcome;
}

} // namespace

int main(int argc, char **argv)
{
    const ProgramEnvironment environment;
    if (argc >= 3 && std::strcmp(argv[1], "--far") == 0)
        return FarBurster(std::atoi(argv[2]));

    const int pages = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    LinkedNamespaces *network = LinkedNamespaces::get();
    if (pages <= 0 || rounds <= 0 || !network) {
        std::fprintf(stderr, "usage: burst_bench [PAGES] [ROUNDS], as root\n");
        return 1;
    }
    const std::string farNetwork = "/var/run/netns/" + network->farName();
    QApplication application(argc, argv);
    ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
    ui::setMessageBoxHandler([](const ui::MessageBoxRequest &request) {
        std::fprintf(stderr, "burst_bench: message box \"%s\"\n", request.text.c_str());
        return ui::IDOK;
    });

    std::printf("A burst of %d pages from %d peers, each asking for a delivery receipt\n", pages,
                kPeers);
    std::printf("%-10s %6s %9s %18s\n", "round", "path", "receipts", "last receipt (ms)");
    for (int round = 1; round <= rounds; ++round) {
        const Outcome raw = RawBurst(farNetwork, pages);
        std::printf("%-10d %6s %9d %18ld\n", round, "raw", raw.receipts, raw.milliseconds);
        const Outcome program = ProgramBurst(farNetwork, pages);
        std::printf("%-10d %6s %9d %18ld\n", round, "program", program.receipts,
                    program.milliseconds);
        std::fflush(stdout);
    }
    std::printf("goal: every receipt, the last within 2000 ms of the burst's end\n");
    return 0;
}
