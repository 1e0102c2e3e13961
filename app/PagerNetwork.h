#pragma once

#include <optional>
#include <string_view>

class CStreamSocket;
class QObject;

namespace page {
class DatagramPort;
}

namespace app {

// The main window's network: WinSock, the datagram socket on the page port and the listening
// socket on the chat port. The program's own (PagerSockets) opens real sockets; tests that need
// no network put a recorder in its place.
class PagerNetwork {
public:
    struct Failure {
        int error;                // the WinSock error
        std::string_view context; // what the program was doing
    };

    virtual ~PagerNetwork();

    // Starts WinSock and opens both sockets, which post their notifications to `owner` as
    // WM_DATAGRAM_NOTIFY and WM_STREAM_NOTIFY. On the first failure nothing stays open.
    virtual std::optional<Failure> start(QObject *owner) = 0;
    // Closes the sockets and ends the use of WinSock.
    virtual void stop() = 0;
    // What pages and receipts go through; closed while stopped.
    virtual page::DatagramPort &datagramPort() = 0;
    // The listening socket; null while stopped.
    virtual CStreamSocket *listener() = 0;
    // Takes in the datagrams the network holds now, as their read events would, while the
    // program cannot handle events (a sound plays to its end).
    virtual void takeWaiting() = 0;
};

} // namespace app
