#pragma once

#include "paging/PendingPayloads.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace page {

class DatagramPort;

// Every page and receipt the program sends leaves through here, on the program's one datagram
// socket, to the page port of its address. Each datagram's bytes are kept until the socket
// reports the send finished.
class PageSender {
public:
    explicit PageSender(DatagramPort &port);

    // False while there is no datagram socket to send through.
    bool isOpen() const;

    // Queues the payload with its terminating zero byte for one address, used as it is. Empty
    // once queued; otherwise the WinSock error to report (a name that does not resolve, memory,
    // no socket).
    std::optional<int> send(std::string_view payload, const std::string &address);

    struct LoopOutcome {
        int queued = 0;
        int failed = 0;
        // "Send Page" sounds only when every address was queued.
        bool playsSendSound() const { return failed == 0; }
    };
    // The page send loop: the payload to every address of the (alias-resolved) destination, in
    // order. Each failure is handed to `onFailure` at once, and the loop goes on with the next
    // address.
    LoopOutcome sendPage(std::string_view payload, std::string_view destination,
                         const std::function<void(int error)> &onFailure);

    // The socket reported the datagram at `bytes` sent or failed: its payload text, for the
    // report of a failure; empty for bytes not sent from here.
    std::string finished(std::uintptr_t bytes);

private:
    DatagramPort &m_port;
    PendingPayloads m_pending;
};

} // namespace page
