#include "chat/ChatOutbox.h"

#include "chat/ChatProtocol.h"
#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"

#include <algorithm>
#include <new>

namespace chat {

int ChatOutbox::Send(CStreamSocket &socket, std::string message)
{
    try {
        message.push_back(kMessageEnd);
        m_messages.push_back(std::move(message));
    } catch (const std::bad_alloc &) {
        return SOCK_NOMEM;
    }
    const std::string &queued = m_messages.back();
    const int result = socket.Send(static_cast<int>(queued.size()), queued.data());
    if (result != SOCK_OK) {
        m_messages.pop_back();
        return result;
    }
    m_waitingBytes += queued.size();
    return SOCK_OK;
}

void ChatOutbox::Reported(const char *payload)
{
    // Reports come in queue order, so the message is nearly always the first.
    const auto found = std::ranges::find_if(
        m_messages, [payload](const std::string &message) { return message.data() == payload; });
    if (found == m_messages.end())
        return;
    m_waitingBytes -= found->size();
    m_messages.erase(found);
}

} // namespace chat
