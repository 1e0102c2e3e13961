#include "platform/winsock/WinSock.h"

#include "platform/winsock/BlockingCall.h"
#include "platform/winsock/SocketState.h"
#include "platform/winsock/WinSockError.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace winsock {

namespace {

constexpr WORD kVersion = MAKEWORD(1, 1);

thread_local int t_lastError = 0;

// Open WSAStartup calls; the sockets opened by this program, by descriptor.
std::atomic<int> g_startups{0};

std::map<int, std::unique_ptr<SocketState>> &sockets()
{
    static std::map<int, std::unique_ptr<SocketState>> table;
    return table;
}

bool started()
{
    if (g_startups > 0)
        return true;
    WSASetLastError(WSANOTINITIALISED);
    return false;
}

int fail(int error)
{
    WSASetLastError(error);
    return SOCKET_ERROR;
}

int failWithErrno()
{
    return fail(SystemError(errno));
}

int descriptor(SOCKET s)
{
    return static_cast<int>(s);
}

SocketState *find(SOCKET s)
{
    if (s <= SOCKET{INT32_MAX}) {
        const auto found = sockets().find(descriptor(s));
        if (found != sockets().end())
            return found->second.get();
    }
    WSASetLastError(WSAENOTSOCK);
    return nullptr;
}

// Names are C strings to the system: text with a zero byte inside names nothing.
std::optional<std::string> systemName(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return std::nullopt;
    return std::string(text);
}

std::optional<in_addr> dottedAddress(std::string_view text)
{
    const auto name = systemName(text);
    in_addr address{};
    if (!name || ::inet_aton(name->c_str(), &address) == 0)
        return std::nullopt;
    return address;
}

bool validBuffer(const char *buffer, int length)
{
    return length >= 0 && (buffer || length == 0);
}

} // namespace

int WSAStartup(WORD versionRequested, WSADATA *data)
{
    const unsigned major = versionRequested & 0xFFu;
    const unsigned minor = versionRequested >> 8;
    if (major < 1 || (major == 1 && minor < 1))
        return WSAVERNOTSUPPORTED;
    if (!data)
        return WSAEFAULT;
    *data = {};
    data->wVersion = kVersion;
    data->wHighVersion = kVersion;
    std::strcpy(data->szDescription, "Tarvil32 Windows Sockets 1.1 on POSIX sockets");
    std::strcpy(data->szSystemStatus, "Running");
    data->iMaxSockets = 1024;
    data->iMaxUdpDg = 65507;
    ++g_startups;
    return 0;
}

// The last WSACleanup closes the sockets still open, as WinSock does.
int WSACleanup()
{
    if (!started())
        return SOCKET_ERROR;
    if (--g_startups == 0) {
        // The notifiers go before their descriptors.
        auto open = std::move(sockets());
        sockets().clear();
        for (auto &[fd, state] : open) {
            state.reset();
            ::close(fd);
        }
    }
    return 0;
}

int WSAGetLastError()
{
    return t_lastError;
}

void WSASetLastError(int error)
{
    t_lastError = error;
}

SOCKET socket(int af, int type, int protocol)
{
    if (!started())
        return INVALID_SOCKET;
    if (af != AF_INET) {
        WSASetLastError(WSAEAFNOSUPPORT);
        return INVALID_SOCKET;
    }
    if (type != SOCK_DGRAM && type != SOCK_STREAM) {
        WSASetLastError(WSAESOCKTNOSUPPORT);
        return INVALID_SOCKET;
    }
    const int fd = ::socket(af, type | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        failWithErrno();
        return INVALID_SOCKET;
    }
    sockets()[fd] = std::make_unique<SocketState>(fd, type);
    return static_cast<SOCKET>(fd);
}

int bind(SOCKET s, const sockaddr_in &address)
{
    const SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    // Windows binds a port again while its old connections wait in TIME_WAIT; Linux needs
    // SO_REUSEADDR for that, and still refuses a second listener. Never on datagram sockets: a
    // second copy of the program must find port 2000 in use.
    if (state->type() == SOCK_STREAM) {
        const int on = 1;
        ::setsockopt(descriptor(s), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    if (::bind(descriptor(s), reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return failWithErrno();
    return 0;
}

int listen(SOCKET s, int backlog)
{
    SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    if (::listen(descriptor(s), backlog) != 0)
        return failWithErrno();
    state->setPhase(SocketState::Phase::Listening);
    return 0;
}

int SetReceiveBufferSize(SOCKET s, int bytes)
{
    if (!find(s))
        return SOCKET_ERROR;
    if (::setsockopt(descriptor(s), SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes) != 0)
        return failWithErrno();
    return 0;
}

bool ConnectionWaiting(SOCKET s)
{
    if (!find(s))
        return false;
    pollfd listening{descriptor(s), POLLIN, 0};
    return ::poll(&listening, 1, 0) == 1 && (listening.revents & POLLIN) != 0;
}

SOCKET accept(SOCKET s, sockaddr_in *peer)
{
    SocketState *state = find(s);
    if (!state)
        return INVALID_SOCKET;
    sockaddr_in address{};
    socklen_t length = sizeof address;
    const int fd = ::accept4(descriptor(s), reinterpret_cast<sockaddr *>(&address), &length,
                             SOCK_NONBLOCK | SOCK_CLOEXEC);
    const int error = errno;
    state->enableRead();
    if (fd < 0) {
        WSASetLastError(SystemError(error));
        return INVALID_SOCKET;
    }
    if (peer)
        *peer = address;
    auto accepted = std::make_unique<SocketState>(fd, SOCK_STREAM);
    accepted->setPhase(SocketState::Phase::Connected);
    sockets()[fd] = std::move(accepted);
    return static_cast<SOCKET>(fd);
}

int connect(SOCKET s, const sockaddr_in &address)
{
    SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    const int result =
        ::connect(descriptor(s), reinterpret_cast<const sockaddr *>(&address), sizeof address);
    if (result != 0 && errno != EINPROGRESS)
        return failWithErrno();
    // Also a connection made at once is reported by FD_CONNECT, once the socket is writable.
    if (state->type() == SOCK_STREAM)
        state->setPhase(SocketState::Phase::Connecting);
    return result == 0 ? 0 : fail(WSAEWOULDBLOCK);
}

int sendto(SOCKET s, const char *buffer, int length, int flags, const sockaddr_in &to)
{
    SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    if (!validBuffer(buffer, length))
        return fail(WSAEFAULT);
    const auto sent =
        ::sendto(descriptor(s), buffer, static_cast<std::size_t>(length), flags | MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr *>(&to), sizeof to);
    if (sent < 0) {
        if (errno == EAGAIN)
            state->enableWrite();
        return failWithErrno();
    }
    return static_cast<int>(sent);
}

int send(SOCKET s, const char *buffer, int length, int flags)
{
    SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    if (!validBuffer(buffer, length))
        return fail(WSAEFAULT);
    const auto sent =
        ::send(descriptor(s), buffer, static_cast<std::size_t>(length), flags | MSG_NOSIGNAL);
    if (sent < 0) {
        if (errno == EAGAIN)
            state->enableWrite();
        return failWithErrno();
    }
    return static_cast<int>(sent);
}

int recvfrom(SOCKET s, char *buffer, int length, int flags, sockaddr_in *from)
{
    SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    if (!validBuffer(buffer, length))
        return fail(WSAEFAULT);
    sockaddr_in address{};
    socklen_t addressLength = sizeof address;
    // MSG_TRUNC makes a datagram socket tell the datagram's real length (on a stream socket it
    // would throw data away).
    const int truncFlag = state->type() == SOCK_DGRAM ? MSG_TRUNC : 0;
    const auto received =
        ::recvfrom(descriptor(s), buffer, static_cast<std::size_t>(length), flags | truncFlag,
                   reinterpret_cast<sockaddr *>(&address), &addressLength);
    const int error = errno;
    state->enableRead();
    if (received < 0)
        return fail(SystemError(error));
    if (received > length)
        return fail(WSAEMSGSIZE);
    if (from)
        *from = address;
    return static_cast<int>(received);
}

int recv(SOCKET s, char *buffer, int length, int flags)
{
    return recvfrom(s, buffer, length, flags, nullptr);
}

int closesocket(SOCKET s)
{
    if (!find(s))
        return SOCKET_ERROR;
    sockets().erase(descriptor(s));
    ::close(descriptor(s));
    return 0;
}

int getpeername(SOCKET s, sockaddr_in *address)
{
    if (!find(s))
        return SOCKET_ERROR;
    if (!address)
        return fail(WSAEFAULT);
    socklen_t length = sizeof *address;
    if (::getpeername(descriptor(s), reinterpret_cast<sockaddr *>(address), &length) != 0)
        return failWithErrno();
    return 0;
}

std::optional<std::uint16_t> getservbyname(std::string_view name, std::string_view protocol)
{
    if (!started())
        return std::nullopt;
    const auto serviceName = systemName(name);
    const auto protocolName = systemName(protocol);
    servent entry{};
    servent *result = nullptr;
    char buffer[1024];
    if (serviceName && protocolName &&
        ::getservbyname_r(serviceName->c_str(), protocolName->c_str(), &entry, buffer,
                          sizeof buffer, &result) == 0 &&
        result)
        return static_cast<std::uint16_t>(result->s_port);
    WSASetLastError(WSANO_DATA);
    return std::nullopt;
}

std::optional<in_addr> gethostbyname(std::string_view name)
{
    if (!started())
        return std::nullopt;
    if (const auto address = dottedAddress(name))
        return address;
    // An empty name is this machine, as WinSock answers it.
    if (name.empty())
        return in_addr{htonl(INADDR_LOOPBACK)};
    const auto hostName = systemName(name);
    if (!hostName) {
        WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    }
    struct Answer {
        int error = 0;
        in_addr address{};
    };
    auto answer = std::make_shared<Answer>();
    const int result = RunBlockingCall([answer, hostName = *hostName] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_DGRAM;
        addrinfo *list = nullptr;
        const int status = ::getaddrinfo(hostName.c_str(), nullptr, &hints, &list);
        if (status != 0) {
            answer->error = ResolverError(status);
            return;
        }
        answer->error = WSANO_DATA;
        if (list && list->ai_addr && list->ai_addrlen >= sizeof(sockaddr_in)) {
            answer->address = reinterpret_cast<const sockaddr_in *>(list->ai_addr)->sin_addr;
            answer->error = 0;
        }
        ::freeaddrinfo(list);
    });
    const int error = result != 0 ? result : answer->error;
    if (error != 0) {
        WSASetLastError(error);
        return std::nullopt;
    }
    return answer->address;
}

std::uint32_t inet_addr(std::string_view text)
{
    const auto address = dottedAddress(text);
    return address ? address->s_addr : INADDR_NONE;
}

std::string inet_ntoa(in_addr address)
{
    const std::uint32_t host = ntohl(address.s_addr);
    return std::to_string(host >> 24) + '.' + std::to_string((host >> 16) & 0xFF) + '.' +
           std::to_string((host >> 8) & 0xFF) + '.' + std::to_string(host & 0xFF);
}

int WSAAsyncSelect(SOCKET s, QObject *window, unsigned message, long events)
{
    SocketState *state = find(s);
    if (!state)
        return SOCKET_ERROR;
    state->select(window, message, events);
    return 0;
}

} // namespace winsock
