#pragma once

#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <string_view>

class QObject;

// The Windows Sockets 1.1 calls the program uses, on POSIX sockets, IPv4 only. Failures return
// SOCKET_ERROR (or INVALID_SOCKET, or an empty result) and leave a WinSock error number for
// WSAGetLastError, kept per thread. Every socket is non-blocking. Sockets, the asynchronous
// select and the look-ups belong to the user-interface thread: the socket functions are called
// there, and events and answers are posted to windows living there.
namespace winsock {

using SOCKET = std::uintptr_t;
using WORD = std::uint16_t;
constexpr SOCKET INVALID_SOCKET = ~SOCKET{0};
constexpr int SOCKET_ERROR = -1;

// Error numbers.
constexpr int WSAEINTR = 10004;
constexpr int WSAEACCES = 10013;
constexpr int WSAEFAULT = 10014;
constexpr int WSAEINVAL = 10022;
constexpr int WSAEMFILE = 10024;
constexpr int WSAEWOULDBLOCK = 10035;
constexpr int WSAEINPROGRESS = 10036;
constexpr int WSAEALREADY = 10037;
constexpr int WSAENOTSOCK = 10038;
constexpr int WSAEDESTADDRREQ = 10039;
constexpr int WSAEMSGSIZE = 10040;
constexpr int WSAEPROTOTYPE = 10041;
constexpr int WSAENOPROTOOPT = 10042;
constexpr int WSAEPROTONOSUPPORT = 10043;
constexpr int WSAESOCKTNOSUPPORT = 10044;
constexpr int WSAEOPNOTSUPP = 10045;
constexpr int WSAEAFNOSUPPORT = 10047;
constexpr int WSAEADDRINUSE = 10048;
constexpr int WSAEADDRNOTAVAIL = 10049;
constexpr int WSAENETDOWN = 10050;
constexpr int WSAENETUNREACH = 10051;
constexpr int WSAENETRESET = 10052;
constexpr int WSAECONNABORTED = 10053;
constexpr int WSAECONNRESET = 10054;
constexpr int WSAENOBUFS = 10055;
constexpr int WSAEISCONN = 10056;
constexpr int WSAENOTCONN = 10057;
constexpr int WSAESHUTDOWN = 10058;
constexpr int WSAETIMEDOUT = 10060;
constexpr int WSAECONNREFUSED = 10061;
constexpr int WSAEHOSTDOWN = 10064;
constexpr int WSAEHOSTUNREACH = 10065;
constexpr int WSAVERNOTSUPPORTED = 10092;
constexpr int WSANOTINITIALISED = 10093;
constexpr int WSAHOST_NOT_FOUND = 11001;
constexpr int WSATRY_AGAIN = 11002;
constexpr int WSANO_RECOVERY = 11003;
constexpr int WSANO_DATA = 11004;

// Asynchronous select events. The message's lParam carries the event in its low 16 bits and the
// error number in its high 16 bits; wParam is the socket.
constexpr long FD_READ = 0x01;
constexpr long FD_WRITE = 0x02;
constexpr long FD_ACCEPT = 0x08;
constexpr long FD_CONNECT = 0x10;
constexpr long FD_CLOSE = 0x20;

constexpr std::intptr_t WSAMAKESELECTREPLY(unsigned event, unsigned error)
{
    return static_cast<std::intptr_t>((event & 0xFFFFu) | ((error & 0xFFFFu) << 16));
}
// The same layout for the answer of an asynchronous look-up: buffer length, error.
constexpr std::intptr_t WSAMAKEASYNCREPLY(unsigned length, unsigned error)
{
    return WSAMAKESELECTREPLY(length, error);
}
constexpr unsigned WSAGETSELECTEVENT(std::intptr_t lParam)
{
    return static_cast<unsigned>(lParam) & 0xFFFFu;
}
constexpr unsigned WSAGETSELECTERROR(std::intptr_t lParam)
{
    return (static_cast<unsigned>(lParam) >> 16) & 0xFFFFu;
}
constexpr unsigned WSAGETASYNCBUFLEN(std::intptr_t lParam)
{
    return WSAGETSELECTEVENT(lParam);
}
constexpr unsigned WSAGETASYNCERROR(std::intptr_t lParam)
{
    return WSAGETSELECTERROR(lParam);
}

constexpr WORD MAKEWORD(unsigned low, unsigned high)
{
    return static_cast<WORD>((low & 0xFFu) | ((high & 0xFFu) << 8));
}

struct WSADATA {
    WORD wVersion;
    WORD wHighVersion;
    char szDescription[257];
    char szSystemStatus[129];
    unsigned short iMaxSockets;
    unsigned short iMaxUdpDg;
};

// Version 1.1 is the only one there is: a request for 1.1 or later gets 1.1, an earlier one
// WSAVERNOTSUPPORTED. Returns 0 or the error number (WSAGetLastError is not set, as in WinSock).
int WSAStartup(WORD versionRequested, WSADATA *data);
// Ends one WSAStartup; SOCKET_ERROR with WSANOTINITIALISED when none is left.
int WSACleanup();
int WSAGetLastError();
void WSASetLastError(int error);

// af must be AF_INET, type SOCK_DGRAM or SOCK_STREAM.
SOCKET socket(int af, int type, int protocol);
// A stream socket may bind a port whose earlier connections wait in TIME_WAIT, as on Windows; a
// port that another socket is bound to fails with WSAEADDRINUSE for both types.
int bind(SOCKET s, const sockaddr_in &address);
int listen(SOCKET s, int backlog);
// Whether a listening socket has a connection waiting to be accepted, without waiting.
bool ConnectionWaiting(SOCKET s);
// The size of the buffer in which the network keeps what arrives until it is received (the
// SO_RCVBUF socket option); the system may give less than asked for.
int SetReceiveBufferSize(SOCKET s, int bytes);
// The accepted socket is non-blocking and selects no events until WSAAsyncSelect.
SOCKET accept(SOCKET s, sockaddr_in *peer);
// A connection under way fails with WSAEWOULDBLOCK; FD_CONNECT tells how it ended.
int connect(SOCKET s, const sockaddr_in &address);
int sendto(SOCKET s, const char *buffer, int length, int flags, const sockaddr_in &to);
// A datagram longer than the buffer fails with WSAEMSGSIZE and is lost.
int recvfrom(SOCKET s, char *buffer, int length, int flags, sockaddr_in *from);
int send(SOCKET s, const char *buffer, int length, int flags);
int recv(SOCKET s, char *buffer, int length, int flags);
int closesocket(SOCKET s);
int getpeername(SOCKET s, sockaddr_in *address);

// The port (network byte order) of a service named in /etc/services for protocol "udp" or
// "tcp"; empty with WSANO_DATA when there is none.
std::optional<std::uint16_t> getservbyname(std::string_view name, std::string_view protocol);
// The first IPv4 address of a host (network byte order). Dotted decimal text is converted at
// once, and an empty name is this machine (the loopback address); any other name is looked up as a
// blocking call (see BlockingCall.h), which WSACancelBlockingCall ends with WSAEINTR. Failures:
// WSAHOST_NOT_FOUND, WSATRY_AGAIN, WSANO_RECOVERY, WSANO_DATA, or WSAEINPROGRESS while another
// blocking call runs.
std::optional<in_addr> gethostbyname(std::string_view name);
// Dotted decimal text (also the short and hexadecimal forms) to an address in network byte
// order; INADDR_NONE for anything else.
std::uint32_t inet_addr(std::string_view text);
// An address in network byte order as dotted decimal text.
std::string inet_ntoa(in_addr address);

// Reports the selected events of `s` to `window` as posted messages (see WindowMessage.h); events
// 0 or no window stops the reports. Replaces any earlier selection of the socket. FD_READ and
// FD_ACCEPT are reported once and then again only after the next recv/recvfrom/accept call,
// while data or connections wait; FD_WRITE once when the socket becomes writable (a datagram
// socket at once, a stream socket when connected) and again only after a send failed with
// WSAEWOULDBLOCK; FD_CONNECT once with the connection's outcome; FD_CLOSE once, after the data
// already received has been read, with WSAECONNRESET when the peer reset the connection.
int WSAAsyncSelect(SOCKET s, QObject *window, unsigned message, long events);

// Ends the blocking call under way on this thread: it fails with WSAEINTR. SOCKET_ERROR with
// WSAEINVAL when there is none.
int WSACancelBlockingCall();

// Starts a reverse look-up of `address` and returns its handle (never 0). The answer is posted to
// `window` as `message` with wParam = handle and lParam = WSAMAKEASYNCREPLY(name length, error);
// the name is then taken with WSAAsyncHostName. A window destroyed before the answer never gets
// it.
std::uintptr_t WSAAsyncGetHostByAddr(QObject *window, unsigned message, in_addr address);
// The host name of a successful answer for `window`, once; empty when there is none.
std::optional<std::string> WSAAsyncHostName(QObject *window, std::uintptr_t handle);

} // namespace winsock
