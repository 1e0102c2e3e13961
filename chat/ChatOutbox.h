#pragma once

#include <cstddef>
#include <list>
#include <string>

class CStreamSocket;

namespace chat {

// The messages a chat link has queued on its socket. The socket sends from the caller's bytes
// without copying them, so each message is kept here, unchanged, until the socket reports it
// sent or failed, however many follow it meanwhile.
class ChatOutbox {
public:
    // Queues `message` followed by its zero byte; the socket's result (SOCK_OK when queued).
    int Send(CStreamSocket &socket, std::string message);
    // The socket reported the message at `payload` sent or failed: it is let go.
    void Reported(const char *payload);

    // Bytes queued and not yet reported.
    std::size_t WaitingBytes() const { return m_waitingBytes; }

private:
    // A list, so that letting one go never moves the others' bytes.
    std::list<std::string> m_messages;
    std::size_t m_waitingBytes = 0;
};

} // namespace chat
