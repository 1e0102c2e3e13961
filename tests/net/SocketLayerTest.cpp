#include "net/CDatagramSocket.h"
#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"
#include "tests/support/SocketTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/sockios.h>
#include <optional>
#include <string>
#include <sys/ioctl.h>

using namespace winsock;

namespace {

constexpr unsigned kNotify = msg::WM_USER + 7;

msg::LPARAM PointerValue(const char *payload)
{
    return reinterpret_cast<msg::LPARAM>(payload);
}

std::vector<msg::LPARAM> ValuesOf(const RecordingWindow &owner, msg::WPARAM code)
{
    std::vector<msg::LPARAM> values;
    for (const auto &m : owner.messages) {
        if (m.wParam == code)
            values.push_back(m.lParam);
    }
    return values;
}

std::vector<char> Pattern(std::size_t size)
{
    std::vector<char> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) % 256);
    return bytes;
}

// Sees every event the application delivers while it lives: the socket notifiers' activations
// (but those of `ignored`) and the window messages, the sockets' hidden windows' included.
class EventWatch : public QObject {
public:
    explicit EventWatch(const QObject *ignored = nullptr) : m_ignored(ignored)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~EventWatch() override { QCoreApplication::instance()->removeEventFilter(this); }

    int activations = 0;
    int messages = 0;
    // The asynchronous-select events (lParam) that reached the hidden windows.
    std::vector<msg::LPARAM> socketEvents;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::SockAct && watched != m_ignored) {
            ++activations;
        } else if (event->type() == msg::WindowMessageEvent::eventType()) {
            ++messages;
            const auto *message = static_cast<msg::WindowMessageEvent *>(event);
            if (message->message() == WM_SOCKET_EVENT)
                socketEvents.push_back(message->lParam());
        }
        return false;
    }

private:
    const QObject *m_ignored;
};

class SocketLayer : public ::testing::Test {
protected:
    WinSockSession session;
    RecordingWindow owner;
    EventLoopBarrier barrier;
};

} // namespace

TEST_F(SocketLayer, DatagramOf1000BytesArrivesWholeAndOneOf1001IsRejected)
{
    CDatagramSocket socket(&owner, kNotify);
    const std::uint16_t port = FreePort(SOCK_DGRAM);
    ASSERT_EQ(socket.Create(port), SOCK_OK);
    PeerSocket peer(SOCK_DGRAM);
    const std::uint16_t peerPort = peer.bindLoopback();
    const auto whole = Pattern(1000);
    peer.sendTo(port, whole);
    ASSERT_TRUE(owner.waitFor(SN_RECEIVED));
    peer.sendTo(port, Pattern(1001));
    ASSERT_TRUE(owner.waitFor(SN_RECEIVE_ERROR));
    EXPECT_EQ(socket.LastError(), WSAEMSGSIZE);
    peer.sendTo(port, {'a', 'b', 0});
    ASSERT_TRUE(owner.waitFor(SN_RECEIVED, 2));
    EXPECT_EQ(ValuesOf(owner, SN_RECEIVED), (std::vector<msg::LPARAM>{1, 2}));

    int length = 0;
    sockaddr_in from{};
    const auto first = socket.Receive(length, &from);
    ASSERT_TRUE(first);
    ASSERT_EQ(length, 1000);
    EXPECT_EQ(std::memcmp(first.get(), whole.data(), 1000), 0);
    EXPECT_EQ(ntohs(from.sin_port), peerPort);
    EXPECT_EQ(ntohl(from.sin_addr.s_addr), INADDR_LOOPBACK);
    const auto second = socket.Receive(length);
    ASSERT_TRUE(second);
    EXPECT_EQ(std::string(second.get(), length), std::string("ab\0", 3));
    EXPECT_FALSE(socket.Receive(length));
    EXPECT_EQ(length, 0);
    EXPECT_EQ(socket.Close(), SOCK_OK);
}

// Taken in while the program cannot handle events, datagrams wait in a bounded queue; what comes
// beyond it is taken from the network all the same, and reported.
TEST_F(SocketLayer, DatagramsTakenInWithoutEventsWaitInABoundedQueue)
{
    CDatagramSocket socket(&owner, kNotify);
    const std::uint16_t port = FreePort(SOCK_DGRAM);
    ASSERT_EQ(socket.Create(port), SOCK_OK);
    PeerSocket peer(SOCK_DGRAM);
    peer.bindLoopback();
    // Sent a hundred at a time, each hundred taken in before the next: the network drops none.
    const std::size_t over = 10;
    for (std::size_t sent = 0; sent < CSocket::kMaxReceived + over;) {
        for (int i = 0; i < 100 && sent < CSocket::kMaxReceived + over; ++i, ++sent)
            peer.sendTo(port, Pattern(8));
        socket.ReceiveWaiting(1000);
    }
    EXPECT_EQ(socket.ReceivedWaiting(), CSocket::kMaxReceived);
    ASSERT_TRUE(owner.waitFor(SN_RECEIVE_ERROR, over));
    EXPECT_EQ(owner.count(SN_RECEIVED), CSocket::kMaxReceived);
}

TEST_F(SocketLayer, CreateChecksPortsAndServices)
{
    CDatagramSocket socket(&owner, kNotify);
    for (int port : {0, -5, 65536})
        EXPECT_EQ(socket.Create(port), SOCK_BADSTATE) << port;
    EXPECT_EQ(socket.Create("-5"), SOCK_BADSTATE);
    EXPECT_EQ(socket.Close(), SOCK_BADSTATE) << "nothing was opened";

    EXPECT_EQ(socket.Create("no-such-service-here"), SOCK_ERROR);
    EXPECT_EQ(socket.LastError(), WSANO_DATA);
    EXPECT_EQ(socket.Close(), SOCK_BADSTATE);

    const std::uint16_t port = FreePort(SOCK_DGRAM);
    ASSERT_EQ(socket.Create(std::to_string(port)), SOCK_OK);
    EXPECT_EQ(socket.Create(port), SOCK_BADSTATE) << "already open";
    PeerSocket peer(SOCK_DGRAM);
    peer.sendTo(port, {'x'});
    EXPECT_TRUE(owner.waitFor(SN_RECEIVED));

    // The port is taken: a second copy of the program must be refused.
    CDatagramSocket second(&owner, kNotify);
    EXPECT_EQ(second.Create(port), SOCK_ERROR);
    EXPECT_EQ(second.LastError(), WSAEADDRINUSE);
    EXPECT_EQ(second.Close(), SOCK_BADSTATE);
    EXPECT_EQ(socket.Close(), SOCK_OK);
}

TEST_F(SocketLayer, PayloadsLeaveInQueueOrderEachReportedWithItsPointer)
{
    CDatagramSocket socket(&owner, kNotify);
    ASSERT_EQ(socket.Create(), SOCK_OK);
    PeerSocket peer(SOCK_DGRAM);
    const std::uint16_t port = peer.bindLoopback();
    const char one[] = "one", two[] = "two", three[] = "three";
    ASSERT_EQ(socket.SendTo(4, one, "127.0.0.1", port), SOCK_OK);
    ASSERT_EQ(socket.SendTo(4, two, "127.0.0.1", std::to_string(port)), SOCK_OK);
    // A host name goes through the blocking look-up.
    ASSERT_EQ(socket.SendTo(6, three, "localhost", port), SOCK_OK);
    ASSERT_TRUE(owner.waitFor(SN_SENT, 3));
    EXPECT_EQ(ValuesOf(owner, SN_SENT),
              (std::vector{PointerValue(one), PointerValue(two), PointerValue(three)}));
    for (const char *expected : {"one", "two", "three"}) {
        char buffer[16] = {};
        ASSERT_GT(::recv(peer.fd(), buffer, sizeof buffer, MSG_DONTWAIT), 0);
        EXPECT_STREQ(buffer, expected);
    }
    EXPECT_EQ(owner.count(SN_SEND_FAILED), 0u);

    // A service name from the services file.
    ASSERT_EQ(socket.SendTo(4, one, "127.0.0.1", "discard"), SOCK_OK);
    EXPECT_TRUE(owner.waitFor(SN_SENT, 4));
    EXPECT_EQ(socket.Close(), SOCK_OK);
}

TEST_F(SocketLayer, UnresolvableHostFailsAtOnceAndQueuesNothing)
{
    CDatagramSocket socket(&owner, kNotify);
    ASSERT_EQ(socket.Create(), SOCK_OK);
    const char payload[] = "page";
    EXPECT_EQ(socket.SendTo(5, payload, "tarvil-test.invalid", 2000), SOCK_ERROR);
    EXPECT_GE(socket.LastError(), WSAHOST_NOT_FOUND);
    EXPECT_LE(socket.LastError(), WSANO_DATA);
    EXPECT_EQ(socket.SendTo(5, payload, "127.0.0.1", 0), SOCK_BADSTATE);
    // Closing reports every entry still queued.
    EXPECT_EQ(socket.Close(), SOCK_OK);
    ASSERT_TRUE(barrier.pass());
    EXPECT_TRUE(owner.messages.empty()) << "nothing was queued, so nothing is reported";

    CDatagramSocket closed(&owner, kNotify);
    EXPECT_EQ(closed.SendTo(5, payload, "127.0.0.1", 2000), SOCK_BADSTATE);
}

TEST_F(SocketLayer, CloseReportsUnsentEntriesInQueueOrder)
{
    CDatagramSocket socket(&owner, kNotify);
    ASSERT_EQ(socket.Create(), SOCK_OK);
    PeerSocket peer(SOCK_DGRAM);
    const std::uint16_t port = peer.bindLoopback();
    const char first[] = "first", second[] = "second";
    ASSERT_EQ(socket.SendTo(6, first, "127.0.0.1", port), SOCK_OK);
    ASSERT_EQ(socket.SendTo(7, second, "127.0.0.1", port), SOCK_OK);
    ASSERT_EQ(socket.Close(), SOCK_OK);
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(owner.codes(), (std::vector<msg::WPARAM>{SN_SEND_FAILED, SN_SEND_FAILED}));
    EXPECT_EQ(ValuesOf(owner, SN_SEND_FAILED),
              (std::vector{PointerValue(first), PointerValue(second)}));
    char buffer[16];
    EXPECT_LT(::recv(peer.fd(), buffer, sizeof buffer, MSG_DONTWAIT), 0);
}

TEST_F(SocketLayer, StreamLinkConnectsAcceptsAndCarriesData)
{
    RecordingWindow listenerOwner, clientOwner;
    CStreamSocket listener(&listenerOwner, kNotify), client(&clientOwner, kNotify),
        server(&owner, kNotify);
    const std::uint16_t port = FreePort(SOCK_STREAM);
    ASSERT_EQ(listener.Create(port), SOCK_OK);
    CStreamSocket secondListener(&listenerOwner, kNotify);
    EXPECT_EQ(secondListener.Create(port), SOCK_ERROR);
    EXPECT_EQ(secondListener.LastError(), WSAEADDRINUSE);
    EXPECT_EQ(listener.Connect("127.0.0.1", port), SOCK_BADSTATE);
    EXPECT_EQ(listener.Accept(server), SOCK_ERROR) << "no connection waits yet";
    EXPECT_EQ(listener.LastError(), WSAEWOULDBLOCK);
    ASSERT_EQ(client.Create(), SOCK_OK);
    ASSERT_EQ(client.Connect("localhost", port), SOCK_OK);
    ASSERT_TRUE(listenerOwner.waitFor(SN_ACCEPT));
    ASSERT_TRUE(clientOwner.waitFor(SN_CONNECTED));
    EXPECT_EQ(listener.Accept(client), SOCK_BADSTATE) << "the new socket must be closed";
    ASSERT_EQ(listener.Accept(server), SOCK_OK);
    ASSERT_TRUE(owner.waitFor(SN_CONNECTED));

    const char line[] = "hi\r\n";
    ASSERT_EQ(client.Send(5, line), SOCK_OK);
    ASSERT_TRUE(owner.waitFor(SN_RECEIVED));
    int length = 0;
    const auto chunk = server.Receive(length);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(std::string(chunk.get(), length), std::string(line, 5));
    EXPECT_TRUE(clientOwner.waitFor(SN_SENT));
    EXPECT_EQ(ValuesOf(clientOwner, SN_SENT), std::vector{PointerValue(line)});

    sockaddr_in peer{};
    ASSERT_EQ(server.GetPeerName(peer), SOCK_OK);
    EXPECT_EQ(ntohl(peer.sin_addr.s_addr), INADDR_LOOPBACK);
    EXPECT_EQ(listener.GetPeerName(peer), SOCK_BADSTATE);
    for (CStreamSocket *socket : {&server, &client, &listener})
        EXPECT_EQ(socket->Close(), SOCK_OK);
}

TEST_F(SocketLayer, StreamSendAcceptedInPartContinuesFromTheCursor)
{
    PeerSocket peerListener(SOCK_STREAM);
    const int small = 4096;
    ::setsockopt(peerListener.fd(), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    const std::uint16_t port = peerListener.bindLoopback();
    ASSERT_EQ(::listen(peerListener.fd(), 1), 0);
    CStreamSocket client(&owner, kNotify);
    ASSERT_EQ(client.Create(), SOCK_OK);
    ASSERT_EQ(client.Connect("127.0.0.1", port), SOCK_OK);
    ASSERT_TRUE(owner.waitFor(SN_CONNECTED));
    const int peer = ::accept(peerListener.fd(), nullptr, nullptr);
    ASSERT_GE(peer, 0);

    // Far more than the socket buffers hold (a few megabytes at most), so the network takes it
    // in parts, and only as the peer reads.
    const auto payload = Pattern(16 * 1024 * 1024);
    ASSERT_EQ(client.Send(static_cast<int>(payload.size()), payload.data()), SOCK_OK);

    std::vector<char> received;
    received.reserve(payload.size());
    std::optional<std::size_t> receivedWhenSent;
    ::fcntl(peer, F_SETFL, O_NONBLOCK);
    QElapsedTimer guard;
    guard.start();
    while (received.size() < payload.size() && guard.elapsed() < 20000) {
        char buffer[65536];
        const auto n = ::recv(peer, buffer, sizeof buffer, 0);
        if (n > 0)
            received.insert(received.end(), buffer, buffer + n);
        QCoreApplication::processEvents();
        if (!receivedWhenSent && owner.count(SN_SENT) > 0)
            receivedWhenSent = received.size();
    }
    ::close(peer);
    ASSERT_EQ(received.size(), payload.size());
    EXPECT_TRUE(received == payload) << "bytes arrive in order, each once";
    ASSERT_TRUE(owner.waitFor(SN_SENT));
    EXPECT_GE(receivedWhenSent.value_or(received.size()), payload.size() / 2)
        << "the entry is reported sent only once the network has taken all of it";
    // Closing reports what is still queued; nothing may be left, nor be reported twice.
    EXPECT_EQ(client.Close(), SOCK_OK);
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(ValuesOf(owner, SN_SENT), std::vector{PointerValue(payload.data())});
    EXPECT_EQ(owner.count(SN_SEND_FAILED), 0u);
}

TEST_F(SocketLayer, RefusedConnectPostsNothing)
{
    CStreamSocket client(&owner, kNotify);
    ASSERT_EQ(client.Create(), SOCK_OK);
    EventWatch watch;
    const int result = client.Connect("127.0.0.1", FreePort(SOCK_STREAM));
    EXPECT_TRUE(result == SOCK_OK ||
                (result == SOCK_ERROR && client.LastError() == WSAECONNREFUSED))
        << result;
    // A refusal that comes later comes as the platform's connect event; once the socket has
    // handled it, whatever that posted arrives before the barrier is through.
    if (result == SOCK_OK) {
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return std::ranges::count(watch.socketEvents,
                                      WSAMAKESELECTREPLY(FD_CONNECT, WSAECONNREFUSED)) > 0;
        }));
    }
    ASSERT_TRUE(barrier.pass());
    EXPECT_TRUE(owner.messages.empty());
    EXPECT_EQ(client.Close(), SOCK_OK);
}

// Data the peer sent before closing is announced chunk by chunk before the one close; a reset
// ends the link the same way.
TEST_F(SocketLayer, PeerCloseComesAfterEveryChunk)
{
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset" : "orderly close");
        RecordingWindow listenerOwner, serverOwner;
        CStreamSocket listener(&listenerOwner, kNotify), server(&serverOwner, kNotify);
        const std::uint16_t port = FreePort(SOCK_STREAM);
        ASSERT_EQ(listener.Create(port), SOCK_OK);
        PeerSocket peer(SOCK_STREAM);
        ASSERT_TRUE(peer.connectTo(port));
        ASSERT_TRUE(listenerOwner.waitFor(SN_ACCEPT));
        ASSERT_EQ(listener.Accept(server), SOCK_OK);
        const auto data = Pattern(4500);
        ASSERT_EQ(::send(peer.fd(), data.data(), data.size(), 0), 4500);
        if (reset) {
            // The data is received (acknowledged) before the reset.
            ASSERT_TRUE(QTest::qWaitFor([&] {
                int unacknowledged = -1;
                return ::ioctl(peer.fd(), SIOCOUTQ, &unacknowledged) == 0 && unacknowledged == 0;
            }));
            const linger abort{1, 0};
            ::setsockopt(peer.fd(), SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        }
        peer.closeNow();
        ASSERT_TRUE(serverOwner.waitFor(SN_CLOSED));
        ASSERT_TRUE(barrier.pass()); // anything after the close would be in by now
        auto codes = serverOwner.codes();
        EXPECT_EQ(codes.front(), msg::WPARAM(SN_CONNECTED));
        EXPECT_EQ(codes.back(), msg::WPARAM(SN_CLOSED));
        EXPECT_EQ(serverOwner.count(SN_CLOSED), 1u);
        EXPECT_EQ(serverOwner.count(SN_RECEIVE_ERROR), 0u);
        std::vector<char> received;
        int length = 0;
        while (const auto chunk = server.Receive(length))
            received.insert(received.end(), chunk.get(), chunk.get() + length);
        EXPECT_TRUE(received == data);
        EXPECT_EQ(serverOwner.count(SN_RECEIVED), codes.size() - 2);
        if (reset) {
            EXPECT_EQ(server.LastError(), WSAECONNRESET);
        }
        EXPECT_EQ(server.Close(), SOCK_OK);
        EXPECT_EQ(listener.Close(), SOCK_OK);
    }
}

// An idle program watches only for incoming data. A socket that can always be written to, or an
// unconnected stream socket (which Linux reports as hung up), would otherwise be reported in every
// turn of the event loop and keep the program busy.
TEST_F(SocketLayer, IdleSocketsAreReportedInNoTurnOfTheEventLoop)
{
    RecordingWindow clientOwner, serverOwner;
    CDatagramSocket datagram(&owner, kNotify);
    CStreamSocket listener(&owner, kNotify), client(&clientOwner, kNotify),
        server(&serverOwner, kNotify);
    const std::uint16_t port = FreePort(SOCK_STREAM);
    ASSERT_EQ(datagram.Create(FreePort(SOCK_DGRAM)), SOCK_OK);
    ASSERT_EQ(listener.Create(port), SOCK_OK);
    CStreamSocket unconnected(&owner, kNotify);
    ASSERT_EQ(unconnected.Create(), SOCK_OK);
    ASSERT_EQ(client.Create(), SOCK_OK);
    ASSERT_EQ(client.Connect("127.0.0.1", port), SOCK_OK);
    ASSERT_TRUE(owner.waitFor(SN_ACCEPT));
    ASSERT_EQ(listener.Accept(server), SOCK_OK);
    ASSERT_TRUE(clientOwner.waitFor(SN_CONNECTED));
    ASSERT_TRUE(barrier.pass()); // the events of the set-up are over

    EventWatch watch(barrier.notifier());
    ASSERT_TRUE(barrier.pass());
    EXPECT_EQ(watch.activations, 0);
    EXPECT_EQ(watch.messages, 0);
    for (CSocket *socket :
         std::initializer_list<CSocket *>{&datagram, &listener, &unconnected, &client, &server})
        EXPECT_EQ(socket->Close(), SOCK_OK);
}
