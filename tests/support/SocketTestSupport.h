#pragma once

#include "platform/message/WindowMessage.h"
#include "platform/winsock/WinSock.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QTest>
#include <arpa/inet.h>
#include <cstdint>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

// Shared by the socket tests: a window that records the messages posted to it, plain POSIX
// sockets as peers, addresses on the loopback network only, and a way to let the event loop catch
// up with the sockets before a test checks that something did not happen.

struct PostedMessage {
    unsigned message;
    msg::WPARAM wParam;
    msg::LPARAM lParam;
};

class RecordingWindow : public QObject {
public:
    std::vector<PostedMessage> messages;

    // The messages' wParam values, which the socket classes use for notification codes.
    std::vector<msg::WPARAM> codes() const
    {
        std::vector<msg::WPARAM> result;
        for (const auto &m : messages)
            result.push_back(m.wParam);
        return result;
    }
    std::size_t count(msg::WPARAM code) const
    {
        return static_cast<std::size_t>(std::ranges::count(codes(), code));
    }
    bool waitFor(msg::WPARAM code, std::size_t times = 1, int timeout = 5000)
    {
        return QTest::qWaitFor([&] { return count(code) >= times; }, timeout);
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != msg::WindowMessageEvent::eventType())
            return QObject::event(event);
        const auto *m = static_cast<msg::WindowMessageEvent *>(event);
        messages.push_back({m->message(), m->wParam(), m->lParam()});
        return true;
    }
};

// WinSock started for the length of a test.
class WinSockSession {
public:
    WinSockSession() { winsock::WSAStartup(0x0101, &m_data); }
    ~WinSockSession() { winsock::WSACleanup(); }
    WinSockSession(const WinSockSession &) = delete;
    WinSockSession &operator=(const WinSockSession &) = delete;

private:
    winsock::WSADATA m_data{};
};

inline sockaddr_in Loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A plain socket of the test, closed with the object.
class PeerSocket {
public:
    explicit PeerSocket(int type) : m_fd(::socket(AF_INET, type, 0)) {}
    ~PeerSocket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PeerSocket(const PeerSocket &) = delete;
    PeerSocket &operator=(const PeerSocket &) = delete;

    int fd() const { return m_fd; }
    // Binds to a loopback port (0: any free one) and returns the port.
    std::uint16_t bindLoopback(std::uint16_t port = 0)
    {
        const sockaddr_in address = Loopback(port);
        ::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
        return this->port();
    }
    std::uint16_t port() const
    {
        sockaddr_in address{};
        socklen_t length = sizeof address;
        ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&address), &length);
        return ntohs(address.sin_port);
    }
    bool connectTo(std::uint16_t port)
    {
        const sockaddr_in address = Loopback(port);
        return ::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    }
    void sendTo(std::uint16_t port, const std::vector<char> &bytes)
    {
        const sockaddr_in address = Loopback(port);
        ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr *>(&address),
                 sizeof address);
    }
    void closeNow()
    {
        ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

// A port on which nothing of this type is bound right now.
inline std::uint16_t FreePort(int type)
{
    PeerSocket probe(type);
    return probe.bindLoopback();
}

// Tells when the event loop has caught up with the sockets, by an order of events rather than by
// time. A datagram the barrier sends itself is reported in the same turn of the loop as every
// enabled notifier of a socket that was ready before it was sent, or in a later turn. Messages
// posted in that turn arrive before a message the barrier posts after it, and what their handlers
// post in turn before a second one.
class EventLoopBarrier : public QObject {
public:
    EventLoopBarrier()
        : m_port(m_socket.bindLoopback()), m_notifier(m_socket.fd(), QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, this, [this] {
            char byte;
            while (::recv(m_socket.fd(), &byte, 1, MSG_DONTWAIT) > 0)
                ++m_datagrams;
        });
    }

    const QSocketNotifier *notifier() const { return &m_notifier; }

    // False when the loop did not get there within seconds.
    bool pass()
    {
        const int datagrams = m_datagrams;
        m_socket.sendTo(m_port, {'.'});
        if (!QTest::qWaitFor([&] { return m_datagrams > datagrams; }, 5000))
            return false;
        for (int hop = 0; hop < 2; ++hop) {
            const int posted = ++m_posted;
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
            if (!QTest::qWaitFor([&] { return m_arrived >= posted; }, 5000))
                return false;
        }
        return true;
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++m_arrived;
        return true;
    }

private:
    PeerSocket m_socket{SOCK_DGRAM};
    std::uint16_t m_port;
    QSocketNotifier m_notifier;
    int m_datagrams = 0;
    int m_posted = 0;
    int m_arrived = 0;
};
