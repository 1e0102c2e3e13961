#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>

namespace page {

// One datagram as it arrived: its bytes and the sender's dotted IPv4 address.
struct Datagram {
    std::string bytes;
    std::string sender;
};

// What paging needs of the program's datagram socket: sending to the page port of an address
// and taking what arrived. The socket stands behind it in the program (SocketDatagramPort);
// tests put a recorder in its place.
class DatagramPort {
public:
    virtual ~DatagramPort();

    // Whether a socket is open to send through.
    virtual bool isOpen() const = 0;
    // Queues the bytes for the page port of `address` (dotted address or host name) without
    // copying them: they must stay in place until the socket reports the send finished, naming
    // it by the address of the first byte. A SOCK_* result; after a failure lastError() holds
    // the WinSock error.
    virtual int sendTo(std::span<const char> bytes, const std::string &address) = 0;
    virtual int lastError() const = 0;
    // The oldest datagram received and not yet taken, if any.
    virtual std::optional<Datagram> receive() = 0;
    // How many received datagrams wait to be taken.
    virtual std::size_t waiting() const = 0;
};

} // namespace page
