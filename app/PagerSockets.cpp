#include "app/PagerSockets.h"

#include "app/Messages.h"
#include "net/CDatagramSocket.h"
#include "net/CStreamSocket.h"
#include "net/CWinSockInit.h"
#include "net/SocketTypes.h"

namespace app {

PagerSockets::PagerSockets() = default;

PagerSockets::~PagerSockets()
{
    stop();
}

std::optional<PagerNetwork::Failure> PagerSockets::start(QObject *owner)
{
    stop();
    auto fail = [this](int error, std::string_view context) {
        stop();
        return Failure{error, context};
    };

    // Only a started WinSock is ended again.
    auto winSock = std::make_unique<CWinSockInit>(winsock::MAKEWORD(1, 1));
    if (winSock->Start() != SOCK_OK)
        return Failure{winSock->LastError(), "WinSock failure Initializing"};
    m_winSock = std::move(winSock);

    m_datagram = std::make_unique<CDatagramSocket>(owner, WM_DATAGRAM_NOTIFY);
    if (m_datagram->Create(PAGE_PORT) != SOCK_OK)
        return fail(m_datagram->LastError(), "Datagram failure Initializing");

    // A listening socket that cannot be opened is reported with the datagram socket's text, as
    // the program always has.
    m_listener = std::make_unique<CStreamSocket>(owner, WM_STREAM_NOTIFY);
    if (m_listener->Create(CHAT_PORT) != SOCK_OK)
        return fail(m_listener->LastError(), "Datagram failure Initializing");

    m_port.setSocket(m_datagram.get());
    return std::nullopt;
}

void PagerSockets::takeWaiting()
{
    // A bounded share each time, so that a flood cannot keep the caller here.
    constexpr int kMostAtOnce = 256;
    if (m_datagram)
        m_datagram->ReceiveWaiting(kMostAtOnce);
}

void PagerSockets::stop()
{
    m_port.setSocket(nullptr);
    if (m_datagram)
        m_datagram->Close();
    if (m_listener)
        m_listener->Close();
    m_datagram.reset();
    m_listener.reset();
    if (m_winSock)
        m_winSock->End();
    m_winSock.reset();
}

} // namespace app
