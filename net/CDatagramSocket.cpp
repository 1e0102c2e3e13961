#include "net/CDatagramSocket.h"

#include "net/SocketTypes.h"

CDatagramSocket::CDatagramSocket(QObject *owner, unsigned message)
    : CSocket(owner, message, Kind::Datagram)
{}

int CDatagramSocket::SendTo(int length, const char *payload, std::string_view host, int port)
{
    const auto service = PortText(port);
    if (!service)
        return SOCK_BADSTATE;
    return SendTo(length, payload, host, std::string_view(*service));
}

int CDatagramSocket::SendTo(int length, const char *payload, std::string_view host,
                            std::string_view service)
{
    if (!IsOpen())
        return SOCK_BADSTATE;
    sockaddr_in destination{};
    if (const int result = ResolveDestination(host, service, destination); result != SOCK_OK)
        return result;
    return QueueSend(payload, length, destination);
}

std::unique_ptr<char[]> CDatagramSocket::Receive(int &length, sockaddr_in *from)
{
    return TakeReceived(length, from);
}
