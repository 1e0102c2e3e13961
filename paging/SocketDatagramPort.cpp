#include "paging/SocketDatagramPort.h"

#include "net/CDatagramSocket.h"
#include "net/SocketTypes.h"

namespace page {

bool SocketDatagramPort::isOpen() const
{
    return m_socket != nullptr;
}

int SocketDatagramPort::sendTo(std::span<const char> bytes, const std::string &address)
{
    if (!m_socket)
        return SOCK_BADSTATE;
    return m_socket->SendTo(static_cast<int>(bytes.size()), bytes.data(), address, PAGE_PORT);
}

int SocketDatagramPort::lastError() const
{
    return m_socket ? m_socket->LastError() : winsock::WSAENOTSOCK;
}

std::optional<Datagram> SocketDatagramPort::receive()
{
    if (!m_socket)
        return std::nullopt;
    int length = 0;
    sockaddr_in from{};
    const std::unique_ptr<char[]> bytes = m_socket->Receive(length, &from);
    if (!bytes)
        return std::nullopt;
    return Datagram{std::string(bytes.get(), static_cast<std::size_t>(length)),
                    winsock::inet_ntoa(from.sin_addr)};
}

std::size_t SocketDatagramPort::waiting() const
{
    return m_socket ? m_socket->ReceivedWaiting() : 0;
}

} // namespace page
