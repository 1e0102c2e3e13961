#pragma once

#include "platform/message/WindowMessage.h"
#include "platform/winsock/WinSock.h"

#include <QObject>
#include <QTest>
#include <arpa/inet.h>
#include <cstdint>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

// Shared by the socket tests: a window that records the messages posted to it, plain POSIX
// sockets as peers, and addresses on the loopback network only.

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
