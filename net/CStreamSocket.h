#pragma once

#include "net/CSocket.h"

// A TCP endpoint: listening (created with a port or service), or connected (created without one
// and then connected, or accepted from a listening socket). Bytes queued with Send leave in
// order; received data is queued in chunks of at most 1000 bytes, each announced with
// SN_RECEIVED. When the peer has closed, SN_CLOSED follows the last chunk.
class CStreamSocket : public CSocket {
public:
    CStreamSocket(QObject *owner, unsigned message);

    // Starts connecting to the host (dotted address or name) and port of an unbound socket.
    // SOCK_OK while under way: SN_CONNECTED tells when the connection is made, and a refused or
    // failed connection tells nothing. SOCK_ERROR with the error when the host or service does
    // not resolve or the connect fails at once; SOCK_BADSTATE for a listening or closed socket.
    int Connect(std::string_view host, int port);
    int Connect(std::string_view host, std::string_view service);

    // Accepts the waiting connection into `socket`, which must be closed; the new socket posts
    // SN_CONNECTED to its own owner. Errors are kept as this socket's last error.
    int Accept(CStreamSocket &socket);
    // A listening socket with another connection waiting to be accepted.
    bool ConnectionWaiting() const;

    // Queues the bytes. SOCK_OK, SOCK_NOMEM, SOCK_BADSTATE when the socket is not open, or
    // SOCK_ERROR with WSAEFAULT for a negative length or a missing payload.
    int Send(int length, const char *payload);

    // The oldest received chunk, which the caller now owns, and its length; empty when none
    // waits.
    std::unique_ptr<char[]> Receive(int &length);

    // The address of the connected peer; SOCK_BADSTATE on a listening or closed socket.
    int GetPeerName(sockaddr_in &address);

private:
    void OnConnectionEvent(long event) override;
};
