#include "paging/PageSender.h"

#include "net/SocketTypes.h"
#include "paging/DatagramPort.h"
#include "paging/PageDatagram.h"

#include <span>

namespace page {

PageSender::PageSender(DatagramPort &port) : m_port(port) {}

bool PageSender::isOpen() const
{
    return m_port.isOpen();
}

std::optional<int> PageSender::send(std::string_view payload, const std::string &address)
{
    // Held across the call: a name look-up runs events, and the socket may report an earlier
    // send of the same bytes finished before this one is queued.
    const char *bytes = m_pending.hold(payload);
    const int result = m_port.sendTo(std::span(bytes, payload.size() + 1), address);
    std::optional<int> error;
    if (result == SOCK_OK)
        m_pending.queued(bytes);
    else
        error = m_port.lastError();
    m_pending.release(bytes);
    return error;
}

PageSender::LoopOutcome PageSender::sendPage(std::string_view payload, std::string_view destination,
                                             const std::function<void(int error)> &onFailure)
{
    LoopOutcome outcome;
    for (const std::string &address : DestinationTokens(destination)) {
        if (const std::optional<int> error = send(payload, address)) {
            ++outcome.failed;
            onFailure(*error);
        } else {
            ++outcome.queued;
        }
    }
    return outcome;
}

std::string PageSender::finished(std::uintptr_t bytes)
{
    return m_pending.finished(bytes);
}

} // namespace page
