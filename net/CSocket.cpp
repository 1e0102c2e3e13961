#include "net/CSocket.h"

#include "net/SocketTypes.h"
#include "platform/text/LeadingInteger.h"

#include <algorithm>
#include <arpa/inet.h>
#include <new>
#include <string>

using namespace winsock;

namespace {

// The hidden window: receives the socket's events while the socket is open. Destroying it
// drops the events still queued for it, so a closed socket sees none.
class HiddenWindow : public QObject {
public:
    explicit HiddenWindow(msg::MessageMap::Handler onSocketEvent)
    {
        m_messages.add(WM_SOCKET_EVENT, std::move(onSocketEvent));
    }

protected:
    bool event(QEvent *event) override
    {
        return m_messages.dispatch(event) || QObject::event(event);
    }

private:
    msg::MessageMap m_messages;
};

} // namespace

CSocket::CSocket(QObject *owner, unsigned message, Kind kind)
    : m_owner(owner), m_message(message), m_kind(kind)
{}

// The owner closes its sockets first, which reports unsent entries; a socket destroyed open is
// closed silently so that no descriptor or hidden window outlives it.
CSocket::~CSocket()
{
    Discard();
}

int CSocket::Create(int port)
{
    const auto text = PortText(port);
    if (!text)
        return SOCK_BADSTATE;
    return Create(std::string_view(*text));
}

int CSocket::Create(std::optional<std::string_view> service)
{
    if (IsOpen())
        return SOCK_BADSTATE;
    m_lastError = 0;
    m_listening = false;
    std::uint16_t port = 0;
    if (service) {
        if (const int result = ResolvePort(*service, port); result != SOCK_OK)
            return result;
    }
    if (const int result = OpenWindow(); result != SOCK_OK)
        return result;

    const SOCKET socket =
        winsock::socket(AF_INET, m_kind == Kind::Datagram ? SOCK_DGRAM : SOCK_STREAM, 0);
    if (socket == INVALID_SOCKET)
        return Fail();
    m_socket = socket;
    // A burst of datagrams waits in the network's buffer while the program is busy, instead of
    // being dropped there; asking is enough, as the system may give less.
    if (m_kind == Kind::Datagram)
        winsock::SetReceiveBufferSize(m_socket, kDatagramNetworkBuffer);
    if (service) {
        m_listening = m_kind == Kind::Stream;
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = port;
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        if (winsock::bind(m_socket, local) == SOCKET_ERROR)
            return Fail();
    }
    if (Select(m_socket) == SOCKET_ERROR)
        return Fail();
    if (m_listening && winsock::listen(m_socket, 3) == SOCKET_ERROR)
        return Fail();
    return SOCK_OK;
}

int CSocket::Attach(SOCKET socket)
{
    m_lastError = 0;
    m_listening = false;
    if (const int result = OpenWindow(); result != SOCK_OK) {
        winsock::closesocket(socket);
        return result;
    }
    m_socket = socket;
    if (Select(m_socket) == SOCKET_ERROR)
        return Fail();
    return SOCK_OK;
}

int CSocket::OpenWindow()
{
    try {
        m_window = std::make_unique<HiddenWindow>(
            [this](msg::WPARAM socket, msg::LPARAM lParam) { OnSocketEvent(socket, lParam); });
        m_openToken = std::make_shared<int>();
    } catch (const std::bad_alloc &) {
        m_window.reset();
        return SOCK_NOMEM;
    }
    return SOCK_OK;
}

int CSocket::Select(SOCKET socket)
{
    long events = FD_READ | FD_WRITE;
    if (m_kind == Kind::Stream)
        events |= (m_listening ? FD_ACCEPT : FD_CONNECT) | FD_CLOSE;
    return WSAAsyncSelect(socket, m_window.get(), WM_SOCKET_EVENT, events);
}

int CSocket::Fail()
{
    m_lastError = WSAGetLastError();
    Discard();
    return SOCK_ERROR;
}

void CSocket::Discard()
{
    if (m_socket != INVALID_SOCKET)
        winsock::closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    m_listening = false;
    m_window.reset();
    m_openToken.reset();
    m_sendQueue.clear();
    m_receiveQueue.clear();
}

int CSocket::Close()
{
    if (!IsOpen())
        return SOCK_BADSTATE;
    while (!m_sendQueue.empty()) {
        const char *payload = m_sendQueue.front().payload;
        m_sendQueue.pop_front();
        Notify(SN_SEND_FAILED, reinterpret_cast<msg::LPARAM>(payload));
    }
    Discard();
    m_lastError = 0;
    return SOCK_OK;
}

std::optional<std::string> CSocket::PortText(int port)
{
    if (port <= 0 || port > 65535)
        return std::nullopt;
    return std::to_string(port);
}

int CSocket::ResolvePort(std::string_view service, std::uint16_t &port)
{
    const long number = text::LeadingInteger(service);
    if (number < 0 || number > 65535)
        return SOCK_BADSTATE;
    if (number > 0) {
        port = htons(static_cast<std::uint16_t>(number));
        return SOCK_OK;
    }
    const auto found = getservbyname(service, m_kind == Kind::Datagram ? "udp" : "tcp");
    if (!found) {
        m_lastError = WSAGetLastError();
        return SOCK_ERROR;
    }
    port = *found;
    return SOCK_OK;
}

int CSocket::ResolveDestination(std::string_view host, std::string_view service,
                                sockaddr_in &destination)
{
    std::uint16_t port = 0;
    if (const int result = ResolvePort(service, port); result != SOCK_OK)
        return result;
    destination = {};
    destination.sin_family = AF_INET;
    destination.sin_port = port;
    destination.sin_addr.s_addr = winsock::inet_addr(host);
    if (destination.sin_addr.s_addr != INADDR_NONE)
        return SOCK_OK;

    const std::weak_ptr<int> open = m_openToken;
    const auto address = gethostbyname(host);
    if (open.expired())
        return SOCK_BADSTATE;
    if (!address) {
        m_lastError = WSAGetLastError();
        return SOCK_ERROR;
    }
    destination.sin_addr = *address;
    return SOCK_OK;
}

int CSocket::QueueSend(const char *payload, int length, const sockaddr_in &destination)
{
    if (!IsOpen())
        return SOCK_BADSTATE;
    if (length < 0 || (!payload && length > 0)) {
        m_lastError = WSAEFAULT;
        return SOCK_ERROR;
    }
    try {
        m_sendQueue.push_back({payload, length, destination, 0});
    } catch (const std::bad_alloc &) {
        return SOCK_NOMEM;
    }
    PostSocketEvent(FD_WRITE);
    return SOCK_OK;
}

std::unique_ptr<char[]> CSocket::TakeReceived(int &length, sockaddr_in *from)
{
    length = 0;
    if (m_receiveQueue.empty())
        return nullptr;
    ReceiveEntry entry = std::move(m_receiveQueue.front());
    m_receiveQueue.pop_front();
    length = entry.length;
    if (from)
        *from = entry.from;
    return std::move(entry.buffer);
}

void CSocket::Notify(int code, msg::LPARAM value)
{
    msg::PostMessage(m_owner, m_message, static_cast<msg::WPARAM>(code), value);
}

void CSocket::PostSocketEvent(long event)
{
    msg::PostMessage(m_window.get(), WM_SOCKET_EVENT, m_socket,
                     WSAMAKESELECTREPLY(static_cast<unsigned>(event), 0));
}

void CSocket::OnSocketEvent(SOCKET socket, msg::LPARAM lParam)
{
    const auto event = static_cast<long>(WSAGETSELECTEVENT(lParam));
    const auto error = static_cast<int>(WSAGETSELECTERROR(lParam));
    if (socket != m_socket)
        return;
    // Events that carry an error are dropped (a refused connect is left to the owner's
    // time-out), except a connection that the network reset: it ends like a close by the peer,
    // so the owner learns that the link is gone.
    if (error != 0) {
        if (event != FD_CLOSE)
            return;
        m_lastError = error;
    }
    switch (event) {
    case FD_READ:
        // A datagram socket takes in what the network holds at once (a bounded share per
        // event), so that a burst is not dropped by the network while its first datagram's
        // notification is handled; each datagram is still announced on its own.
        if (m_kind == Kind::Datagram)
            ReceiveWaiting(kMostPerReadEvent);
        else
            ReceiveOnce();
        break;
    case FD_WRITE:
        SendHead();
        break;
    case FD_ACCEPT:
    case FD_CONNECT:
    case FD_CLOSE:
        OnConnectionEvent(event);
        break;
    default:
        break;
    }
}

void CSocket::OnConnectionEvent(long) {}

void CSocket::ReceiveWaiting(int most)
{
    for (int taken = 0; taken < most && IsOpen() && !m_listening && ReceiveOnce(); ++taken) {
    }
}

bool CSocket::ReceiveOnce()
{
    std::unique_ptr<char[]> buffer;
    try {
        buffer = std::make_unique_for_overwrite<char[]>(kReceiveBufferSize);
    } catch (const std::bad_alloc &) {
        Notify(SN_RECEIVE_ERROR, 0);
        PostSocketEvent(FD_READ);
        return false;
    }
    sockaddr_in from{};
    const int received =
        m_kind == Kind::Datagram
            ? winsock::recvfrom(m_socket, buffer.get(), kReceiveBufferSize, 0, &from)
            : winsock::recv(m_socket, buffer.get(), kReceiveBufferSize, 0);
    if (received == SOCKET_ERROR) {
        const int error = WSAGetLastError();
        m_lastError = error == WSAEWOULDBLOCK ? 0 : error;
        if (m_lastError != 0)
            Notify(SN_RECEIVE_ERROR, 0);
        return false;
    }
    // The end of a stream; its close event reports it.
    if (received == 0 && m_kind == Kind::Stream)
        return false;
    if (m_receiveQueue.size() >= kMaxReceived) {
        m_lastError = winsock::WSAENOBUFS;
        Notify(SN_RECEIVE_ERROR, 0);
        return true;
    }
    try {
        m_receiveQueue.push_back({std::move(buffer), received, from});
    } catch (const std::bad_alloc &) {
        Notify(SN_RECEIVE_ERROR, 0);
        return false;
    }
    Notify(SN_RECEIVED, static_cast<msg::LPARAM>(m_receiveQueue.size()));
    return true;
}

// One attempt for the head entry. A datagram leaves whole or fails; a stream entry continues
// from its cursor on the next write event. The socket keeps writing itself events while entries
// remain, except after a would-block, when it waits for the platform's write event.
void CSocket::SendHead()
{
    if (m_sendQueue.empty())
        return;
    SendEntry &entry = m_sendQueue.front();
    const char *rest = entry.payload + entry.sent;
    const int restLength = entry.length - entry.sent;
    const int sent = m_kind == Kind::Datagram
                         ? winsock::sendto(m_socket, rest, restLength, 0, entry.destination)
                         : winsock::send(m_socket, rest, restLength, 0);
    int outcome = 0;
    if (sent == SOCKET_ERROR) {
        const int error = WSAGetLastError();
        if (error == WSAEWOULDBLOCK) {
            m_lastError = 0;
            return;
        }
        m_lastError = error;
        outcome = SN_SEND_FAILED;
    } else {
        entry.sent += sent;
        if (entry.sent == entry.length)
            outcome = SN_SENT;
        else if (m_kind == Kind::Datagram)
            outcome = SN_SEND_FAILED;
    }
    if (outcome != 0) {
        const char *payload = entry.payload;
        m_sendQueue.pop_front();
        Notify(outcome, reinterpret_cast<msg::LPARAM>(payload));
    }
    if (!m_sendQueue.empty())
        PostSocketEvent(FD_WRITE);
}
