#include "net/CWinSockInit.h"
#include "net/SocketTypes.h"
#include "platform/winsock/BlockingCall.h"
#include "tests/support/SocketTestSupport.h"

#include <QTimer>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <thread>

using namespace winsock;

namespace {

constexpr unsigned kEvent = msg::WM_USER + 1;

std::size_t CountEvents(const RecordingWindow &window, long event, unsigned error = 0)
{
    std::size_t count = 0;
    for (const auto &m : window.messages) {
        if (WSAGETSELECTEVENT(m.lParam) == static_cast<unsigned>(event) &&
            WSAGETSELECTERROR(m.lParam) == error)
            ++count;
    }
    return count;
}

// The threads this process runs now.
std::ptrdiff_t ThreadCount()
{
    return std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                         std::filesystem::directory_iterator());
}

class AsyncSelect : public ::testing::Test {
protected:
    WinSockSession session;
    RecordingWindow window;
    EventLoopBarrier barrier;

    bool waitForEvent(long event, unsigned error = 0, std::size_t times = 1)
    {
        return QTest::qWaitFor([&] { return CountEvents(window, event, error) >= times; }, 5000);
    }
};

} // namespace

TEST(WinSockStartup, AcceptsVersion11AndCountsStartsAndEnds)
{
    WSADATA data{};
    EXPECT_EQ(WSAStartup(MAKEWORD(1, 0), &data), WSAVERNOTSUPPORTED);
    EXPECT_EQ(winsock::socket(AF_INET, SOCK_DGRAM, 0), INVALID_SOCKET);
    EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);

    CWinSockInit init(0x0101);
    ASSERT_EQ(init.Start(), SOCK_OK);
    EXPECT_EQ(init.Data().wVersion, 0x0101);
    EXPECT_EQ(init.End(), SOCK_OK);
    EXPECT_EQ(init.End(), SOCK_ERROR);
    EXPECT_EQ(init.LastError(), WSANOTINITIALISED);

    CWinSockInit tooOld(0x0001);
    EXPECT_EQ(tooOld.Start(), SOCK_ERROR);
    EXPECT_EQ(tooOld.LastError(), WSAVERNOTSUPPORTED);
}

TEST(WinSockNames, ConvertsDottedAddressesAndLooksUpNamesAndServices)
{
    WinSockSession session;
    EXPECT_EQ(inet_addr("127.0.0.1"), htonl(INADDR_LOOPBACK));
    EXPECT_EQ(inet_addr("127.1"), htonl(INADDR_LOOPBACK));
    const std::string_view notDotted[] = {"", "127.0.0.x", "localhost", {"127.0.0.1\0x", 11}};
    for (std::string_view text : notDotted)
        EXPECT_EQ(inet_addr(text), INADDR_NONE) << text;

    EXPECT_EQ(getservbyname("echo", "udp"), htons(7));
    EXPECT_FALSE(getservbyname("no-such-service-here", "tcp"));
    EXPECT_EQ(WSAGetLastError(), WSANO_DATA);

    const auto local = gethostbyname("localhost");
    ASSERT_TRUE(local);
    EXPECT_EQ(local->s_addr, htonl(INADDR_LOOPBACK));
    // An empty name (as in the destination ",a") is this machine.
    const auto empty = gethostbyname("");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->s_addr, htonl(INADDR_LOOPBACK));
    EXPECT_FALSE(gethostbyname("tarvil-test.invalid"));
    EXPECT_GE(WSAGetLastError(), WSAHOST_NOT_FOUND);
    EXPECT_LE(WSAGetLastError(), WSANO_DATA);
}

TEST_F(AsyncSelect, ReadIsReportedOncePerReceiveCallAndWriteOnce)
{
    const SOCKET s = winsock::socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    ASSERT_EQ(winsock::bind(s, Loopback(0)), 0);
    sockaddr_in local{};
    socklen_t length = sizeof local;
    ::getsockname(static_cast<int>(s), reinterpret_cast<sockaddr *>(&local), &length);
    ASSERT_EQ(WSAAsyncSelect(s, &window, kEvent, FD_READ | FD_WRITE), 0);
    PeerSocket peer(SOCK_DGRAM);
    peer.sendTo(ntohs(local.sin_port), {'1'});
    peer.sendTo(ntohs(local.sin_port), {'2'});
    ASSERT_TRUE(waitForEvent(FD_READ));
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(CountEvents(window, FD_READ), 1u) << "no new FD_READ before a recvfrom";
    EXPECT_EQ(CountEvents(window, FD_WRITE), 1u);
    EXPECT_EQ(window.messages.front().wParam, s);

    char buffer[8];
    EXPECT_EQ(winsock::recvfrom(s, buffer, sizeof buffer, 0, nullptr), 1);
    ASSERT_TRUE(waitForEvent(FD_READ, 0, 2)) << "data remains";
    EXPECT_EQ(winsock::recvfrom(s, buffer, sizeof buffer, 0, nullptr), 1);
    EXPECT_EQ(winsock::recvfrom(s, buffer, sizeof buffer, 0, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(CountEvents(window, FD_READ), 2u);
    EXPECT_EQ(CountEvents(window, FD_WRITE), 1u);

    // A datagram longer than the buffer fails and is gone.
    peer.sendTo(ntohs(local.sin_port), std::vector<char>(9, 'x'));
    ASSERT_TRUE(waitForEvent(FD_READ, 0, 3));
    EXPECT_EQ(winsock::recvfrom(s, buffer, sizeof buffer, 0, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEMSGSIZE);
    EXPECT_EQ(winsock::recvfrom(s, buffer, sizeof buffer, 0, nullptr), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
    EXPECT_EQ(winsock::closesocket(s), 0);
    EXPECT_EQ(winsock::closesocket(s), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAENOTSOCK);
}

TEST_F(AsyncSelect, ConnectAndCloseCarryTheirErrors)
{
    const SOCKET refused = winsock::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(WSAAsyncSelect(refused, &window, kEvent, FD_CONNECT | FD_WRITE | FD_READ | FD_CLOSE),
              0);
    const int result = winsock::connect(refused, Loopback(FreePort(SOCK_STREAM)));
    if (result == SOCKET_ERROR && WSAGetLastError() == WSAEWOULDBLOCK)
        EXPECT_TRUE(waitForEvent(FD_CONNECT, WSAECONNREFUSED));
    else
        EXPECT_EQ(WSAGetLastError(), WSAECONNREFUSED);
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(window.messages.size(), result == SOCKET_ERROR ? 1u : 0u) << "and nothing else";
    winsock::closesocket(refused);

    // A connection, then the peer's reset.
    window.messages.clear();
    PeerSocket listener(SOCK_STREAM);
    const std::uint16_t port = listener.bindLoopback();
    ::listen(listener.fd(), 1);
    const SOCKET s = winsock::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(WSAAsyncSelect(s, &window, kEvent, FD_CONNECT | FD_WRITE | FD_READ | FD_CLOSE), 0);
    winsock::connect(s, Loopback(port));
    ASSERT_TRUE(waitForEvent(FD_CONNECT));
    ASSERT_TRUE(waitForEvent(FD_WRITE));
    const int accepted = ::accept(listener.fd(), nullptr, nullptr);
    const linger abort{1, 0};
    ::setsockopt(accepted, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    ::close(accepted);
    ASSERT_TRUE(waitForEvent(FD_CLOSE, WSAECONNRESET));
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(window.messages.size(), 3u);
    winsock::closesocket(s);
}

TEST(BlockingCall, DispatchesEventsUntilTheWorkEndsOrIsCancelled)
{
    EXPECT_EQ(WSACancelBlockingCall(), SOCKET_ERROR);
    EXPECT_EQ(WSAGetLastError(), WSAEINVAL);

    // The workers below wait for a flag; the wait is bounded only so that a failure cannot hang
    // the test.
    const auto waitUntil = [](const std::shared_ptr<std::atomic<bool>> &flag) {
        for (int i = 0; i < 1000 && !*flag; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return flag->load();
    };
    // Work that ends only once the calling thread has handled an event posted meanwhile.
    auto dispatched = std::make_shared<std::atomic<bool>>(false);
    auto done = std::make_shared<std::atomic<bool>>(false);
    QTimer::singleShot(0, [dispatched] { *dispatched = true; });
    EXPECT_EQ(RunBlockingCall([=] { *done = waitUntil(dispatched); }), 0);
    EXPECT_TRUE(*done) << "events are dispatched while the work runs, and the call waits for it";

    // A worker held up until the test lets it go, cancelled from an event; a second blocking call
    // meanwhile is refused. The cancelled call returns while the worker still waits.
    auto release = std::make_shared<std::atomic<bool>>(false);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    int nested = -1;
    QTimer::singleShot(0, [&] {
        nested = RunBlockingCall([] {});
        EXPECT_EQ(WSACancelBlockingCall(), 0);
    });
    EXPECT_EQ(RunBlockingCall([=] {
                  waitUntil(release);
                  *finished = true;
              }),
              WSAEINTR);
    EXPECT_FALSE(*finished);
    EXPECT_EQ(nested, WSAEINPROGRESS);
    *release = true;
}

TEST(AsyncGetHostByAddr, AnswersTheWindowWithTheNameOnce)
{
    const auto threads = ThreadCount();
    WinSockSession session;
    RecordingWindow window;
    in_addr loopback{htonl(INADDR_LOOPBACK)};
    const auto handle = WSAAsyncGetHostByAddr(&window, kEvent, loopback);
    ASSERT_NE(handle, 0u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.messages.empty(); }, 5000));
    EXPECT_EQ(window.messages.front().wParam, handle);
    EXPECT_EQ(WSAGETASYNCERROR(window.messages.front().lParam), 0u);
    const auto name = WSAAsyncHostName(&window, handle);
    ASSERT_TRUE(name);
    EXPECT_FALSE(name->empty());
    EXPECT_EQ(name->size(), WSAGETASYNCBUFLEN(window.messages.front().lParam));
    EXPECT_FALSE(WSAAsyncHostName(&window, handle));

    // A window gone before the answer is simply never told. Once the look-ups' threads have
    // ended, the answer has been given up; a sanitizer build sees anything it touched of the
    // window.
    auto gone = std::make_unique<RecordingWindow>();
    WSAAsyncGetHostByAddr(gone.get(), kEvent, loopback);
    gone.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ThreadCount() <= threads; }, 5000));
    QCoreApplication::sendPostedEvents();
}
