#pragma once

#include "paging/DatagramPort.h"

class CDatagramSocket;

namespace page {

// The datagram port on the program's datagram socket, once the socket is there.
class SocketDatagramPort : public DatagramPort {
public:
    // Null, or a socket that stays alive until another one (or null) is set.
    void setSocket(CDatagramSocket *socket) { m_socket = socket; }

    bool isOpen() const override;
    int sendTo(std::span<const char> bytes, const std::string &address) override;
    int lastError() const override;
    std::optional<Datagram> receive() override;
    std::size_t waiting() const override;

private:
    CDatagramSocket *m_socket = nullptr;
};

} // namespace page
