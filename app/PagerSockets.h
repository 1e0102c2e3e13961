#pragma once

#include "app/PagerNetwork.h"
#include "paging/SocketDatagramPort.h"

#include <memory>

class CDatagramSocket;
class CWinSockInit;

namespace app {

// The main window's real sockets, bound to the page and chat ports on every local address.
class PagerSockets : public PagerNetwork {
public:
    PagerSockets();
    ~PagerSockets() override;
    PagerSockets(const PagerSockets &) = delete;
    PagerSockets &operator=(const PagerSockets &) = delete;

    std::optional<Failure> start(QObject *owner) override;
    void stop() override;
    page::DatagramPort &datagramPort() override { return m_port; }
    CStreamSocket *listener() override { return m_listener.get(); }
    void takeWaiting() override;

private:
    std::unique_ptr<CWinSockInit> m_winSock;
    std::unique_ptr<CDatagramSocket> m_datagram;
    std::unique_ptr<CStreamSocket> m_listener;
    page::SocketDatagramPort m_port;
};

} // namespace app
