#pragma once

#include "platform/message/WindowMessage.h"
#include "platform/winsock/WinSock.h"

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What the datagram and the stream socket share: opening and closing, the hidden window that
// receives the socket's asynchronous-select events while the socket is open, the send queue and
// the receive queue, and the notifications posted to the owner window.
//
// A queued payload is not copied: the caller keeps it alive and unchanged until the socket
// reports its pointer with SN_SENT or SN_SEND_FAILED. Received buffers hold at most 1000 bytes
// and are not terminated.
class CSocket {
public:
    static constexpr int kReceiveBufferSize = 1000;
    // Received buffers kept at most; what arrives beyond them is taken from the network and
    // dropped, each one reported with SN_RECEIVE_ERROR (WSAENOBUFS).
    static constexpr std::size_t kMaxReceived = 4096;
    // Datagrams taken in at most per read event.
    static constexpr int kMostPerReadEvent = 256;
    // What a datagram socket asks the network to keep for it: a burst of about a thousand
    // small datagrams.
    static constexpr int kDatagramNetworkBuffer = 2 * 1024 * 1024;

    virtual ~CSocket();
    CSocket(const CSocket &) = delete;
    CSocket &operator=(const CSocket &) = delete;

    // A socket bound to the port (a stream socket listens on it); SOCK_BADSTATE for a number
    // outside 1-65535.
    int Create(int port);
    // With a service (a decimal port number, or a name from the services file) as Create(port);
    // without one an unbound socket (a stream socket then connects).
    int Create(std::optional<std::string_view> service = std::nullopt);
    // Reports every unsent entry to the owner with SN_SEND_FAILED, in queue order, releases the
    // received buffers and closes the socket. SOCK_BADSTATE when the socket is not open.
    int Close();

    // The WinSock error number of the last failure, 0 when the last event had none.
    int LastError() const { return m_lastError; }

    // Received buffers not yet taken.
    std::size_t ReceivedWaiting() const { return m_receiveQueue.size(); }
    // Takes in what the network holds for this socket now, up to `most` receives, each queued
    // and announced as a read event would; for a program that cannot handle events for a
    // while (a sound that plays to its end) and must not leave the network to drop what comes.
    void ReceiveWaiting(int most);

protected:
    enum class Kind { Datagram, Stream };

    CSocket(QObject *owner, unsigned message, Kind kind);

    bool IsOpen() const { return m_socket != winsock::INVALID_SOCKET; }
    bool IsListening() const { return m_listening; }
    winsock::SOCKET Handle() const { return m_socket; }

    // Makes the hidden window and selects the events of an accepted socket on it; on failure the
    // socket is closed and the object left closed, with the error kept.
    int Attach(winsock::SOCKET socket);
    // A port number as service text; empty for a number outside 1-65535.
    static std::optional<std::string> PortText(int port);
    // The port of the service (for the socket's protocol) and the address of the host. A host
    // name is looked up as a blocking call, during which events are dispatched: a socket closed
    // or destroyed meanwhile gives SOCK_BADSTATE without touching this object.
    int ResolveDestination(std::string_view host, std::string_view service,
                           sockaddr_in &destination);
    // Appends an entry and schedules a write event. SOCK_BADSTATE when not open, SOCK_ERROR with
    // WSAEFAULT for a negative length or a missing payload.
    int QueueSend(const char *payload, int length, const sockaddr_in &destination);
    std::unique_ptr<char[]> TakeReceived(int &length, sockaddr_in *from);

    // Receives once into the receive queue; true when that took something from the network
    // (queued, or dropped over the bound).
    bool ReceiveOnce();
    void Notify(int code, msg::LPARAM value);
    void PostSocketEvent(long event);

    // Accept, connect and close events of a stream socket.
    virtual void OnConnectionEvent(long event);

    int m_lastError = 0;

private:
    struct SendEntry {
        const char *payload;
        int length;
        sockaddr_in destination;
        int sent; // bytes of a stream entry already sent
    };
    struct ReceiveEntry {
        std::unique_ptr<char[]> buffer;
        int length;
        sockaddr_in from;
    };

    int ResolvePort(std::string_view service, std::uint16_t &port);
    int OpenWindow();
    // Keeps WSAGetLastError as the last error and closes what is open: SOCK_ERROR.
    int Fail();
    int Select(winsock::SOCKET socket);
    void Discard();
    void OnSocketEvent(winsock::SOCKET socket, msg::LPARAM lParam);
    void SendHead();

    QPointer<QObject> m_owner;
    unsigned m_message;
    Kind m_kind;
    winsock::SOCKET m_socket = winsock::INVALID_SOCKET;
    bool m_listening = false;
    std::unique_ptr<QObject> m_window;
    // Exists while the socket is open, so that a blocking look-up can tell whether the socket
    // was closed or destroyed while it waited.
    std::shared_ptr<int> m_openToken;
    std::deque<SendEntry> m_sendQueue;
    std::deque<ReceiveEntry> m_receiveQueue;
};
