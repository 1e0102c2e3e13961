#include "net/CStreamSocket.h"

#include "net/SocketTypes.h"

using namespace winsock;

CStreamSocket::CStreamSocket(QObject *owner, unsigned message)
    : CSocket(owner, message, Kind::Stream)
{}

int CStreamSocket::Connect(std::string_view host, int port)
{
    const auto service = PortText(port);
    if (!service)
        return SOCK_BADSTATE;
    return Connect(host, std::string_view(*service));
}

int CStreamSocket::Connect(std::string_view host, std::string_view service)
{
    if (!IsOpen() || IsListening())
        return SOCK_BADSTATE;
    sockaddr_in peer{};
    if (const int result = ResolveDestination(host, service, peer); result != SOCK_OK)
        return result;
    if (winsock::connect(Handle(), peer) == SOCKET_ERROR && WSAGetLastError() != WSAEWOULDBLOCK) {
        m_lastError = WSAGetLastError();
        return SOCK_ERROR;
    }
    return SOCK_OK;
}

bool CStreamSocket::ConnectionWaiting() const
{
    return IsListening() && winsock::ConnectionWaiting(Handle());
}

int CStreamSocket::Accept(CStreamSocket &socket)
{
    if (!IsOpen() || !IsListening() || socket.IsOpen())
        return SOCK_BADSTATE;
    const SOCKET accepted = winsock::accept(Handle(), nullptr);
    if (accepted == INVALID_SOCKET) {
        m_lastError = WSAGetLastError();
        return SOCK_ERROR;
    }
    if (const int result = socket.Attach(accepted); result != SOCK_OK) {
        m_lastError = socket.m_lastError;
        socket.m_lastError = 0;
        return result;
    }
    socket.Notify(SN_CONNECTED, 0);
    return SOCK_OK;
}

int CStreamSocket::Send(int length, const char *payload)
{
    return QueueSend(payload, length, sockaddr_in{});
}

std::unique_ptr<char[]> CStreamSocket::Receive(int &length)
{
    return TakeReceived(length, nullptr);
}

int CStreamSocket::GetPeerName(sockaddr_in &address)
{
    if (!IsOpen() || IsListening())
        return SOCK_BADSTATE;
    if (winsock::getpeername(Handle(), &address) == SOCKET_ERROR) {
        m_lastError = WSAGetLastError();
        return SOCK_ERROR;
    }
    return SOCK_OK;
}

void CStreamSocket::OnConnectionEvent(long event)
{
    switch (event) {
    case FD_ACCEPT:
        Notify(SN_ACCEPT, 0);
        break;
    case FD_CONNECT:
        Notify(SN_CONNECTED, 0);
        break;
    case FD_CLOSE:
        // Whatever is still unread is queued, and announced, before the close.
        if (ReceiveOnce())
            PostSocketEvent(FD_CLOSE);
        else
            Notify(SN_CLOSED, 0);
        break;
    default:
        break;
    }
}
