#pragma once

#include "net/CSocket.h"

// A UDP endpoint: datagrams queued with SendTo leave when the network takes them; each one
// received is queued and announced to the owner with SN_RECEIVED.
class CDatagramSocket : public CSocket {
public:
    CDatagramSocket(QObject *owner, unsigned message);

    // Queues a datagram to the host (dotted address or name) and port. SOCK_OK once queued,
    // SOCK_ERROR with the look-up's error when the host or service does not resolve (nothing
    // queued), SOCK_NOMEM, or SOCK_BADSTATE when the socket is not open or the port invalid.
    int SendTo(int length, const char *payload, std::string_view host, int port);
    int SendTo(int length, const char *payload, std::string_view host, std::string_view service);

    // The oldest received datagram, which the caller now owns, with its length and sender; empty
    // when none waits.
    std::unique_ptr<char[]> Receive(int &length, sockaddr_in *from = nullptr);
};
