#include "platform/winsock/SocketState.h"

#include "platform/message/WindowMessage.h"
#include "platform/winsock/WinSock.h"
#include "platform/winsock/WinSockError.h"

#include <cerrno>
#include <sys/socket.h>

namespace winsock {

SocketState::SocketState(int descriptor, int type) : m_descriptor(descriptor), m_type(type) {}

void SocketState::setPhase(Phase phase)
{
    m_phase = phase;
    if (phase == Phase::Connected)
        m_writeEnabled = true;
    update();
}

void SocketState::select(QObject *window, unsigned message, long events)
{
    m_window = window;
    m_message = message;
    m_events = window ? events & (FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE) : 0;
    m_readEnabled = true;
    m_writeEnabled = true;
    if (m_events == 0) {
        m_readNotifier.reset();
        m_writeNotifier.reset();
        return;
    }
    if (!m_readNotifier) {
        m_readNotifier = std::make_unique<QSocketNotifier>(m_descriptor, QSocketNotifier::Read);
        QObject::connect(m_readNotifier.get(), &QSocketNotifier::activated, m_readNotifier.get(),
                         [this] { readable(); });
        m_writeNotifier = std::make_unique<QSocketNotifier>(m_descriptor, QSocketNotifier::Write);
        QObject::connect(m_writeNotifier.get(), &QSocketNotifier::activated, m_writeNotifier.get(),
                         [this] { writable(); });
    }
    update();
}

void SocketState::enableRead()
{
    m_readEnabled = true;
    update();
}

void SocketState::enableWrite()
{
    m_writeEnabled = true;
    update();
}

// A stream socket is watched for reading only once it listens or is connected: Linux reports an
// unconnected one as hung up, which would wake the program without end.
void SocketState::update()
{
    if (!m_readNotifier)
        return;
    const bool canRead = m_type == SOCK_DGRAM || m_phase == Phase::Listening ||
                         (m_phase == Phase::Connected && !m_closeReported);
    m_readNotifier->setEnabled(m_readEnabled && canRead);
    const bool canWrite = m_type == SOCK_DGRAM || m_phase == Phase::Connected;
    m_writeNotifier->setEnabled(m_phase == Phase::Connecting ||
                                (m_writeEnabled && canWrite && (m_events & FD_WRITE)));
}

void SocketState::readable()
{
    m_readEnabled = false;
    if (m_type == SOCK_DGRAM) {
        post(FD_READ, 0);
    } else if (m_phase == Phase::Listening) {
        post(FD_ACCEPT, 0);
    } else {
        // Data first; the end of the stream, or its reset, only once everything before it has
        // been read.
        char byte;
        const auto peeked = ::recv(m_descriptor, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        if (peeked > 0) {
            post(FD_READ, 0);
        } else if (peeked == 0) {
            m_closeReported = true;
            post(FD_CLOSE, 0);
        } else if (errno == EAGAIN || errno == EINTR) {
            m_readEnabled = true;
        } else {
            m_closeReported = true;
            post(FD_CLOSE, SystemError(errno));
        }
    }
    update();
}

void SocketState::writable()
{
    if (m_phase == Phase::Connecting) {
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(m_descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            error = errno;
        if (error != 0) {
            m_phase = Phase::Unconnected;
            post(FD_CONNECT, SystemError(error));
            update();
            return;
        }
        m_phase = Phase::Connected;
        m_writeEnabled = true;
        post(FD_CONNECT, 0);
    }
    if (m_writeEnabled && (m_events & FD_WRITE)) {
        m_writeEnabled = false;
        post(FD_WRITE, 0);
    }
    update();
}

void SocketState::post(long event, int error)
{
    if (m_events & event)
        msg::PostMessage(
            m_window, m_message, static_cast<msg::WPARAM>(m_descriptor),
            WSAMAKESELECTREPLY(static_cast<unsigned>(event), static_cast<unsigned>(error)));
}

} // namespace winsock
