#include "platform/winsock/AsyncHostLookup.h"

#include "platform/message/WindowMessage.h"
#include "platform/winsock/WinSock.h"
#include "platform/winsock/WinSockError.h"
#include "platform/winsock/WorkerThread.h"

#include <atomic>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>

namespace winsock {

namespace {

std::uintptr_t nextHandle()
{
    static std::atomic<std::uintptr_t> last{0};
    return ++last;
}

} // namespace

AsyncHostLookup::AsyncHostLookup(QObject *window, unsigned message, in_addr address)
    : QObject(window), m_handle(nextHandle()), m_message(message)
{
    connect(&m_watcher, &QFutureWatcher<Answer>::finished, this, &AsyncHostLookup::answered);
    m_watcher.setFuture(RunOnWorkerThread<Answer>([address] { return lookUp(address); }));
}

AsyncHostLookup::Answer AsyncHostLookup::lookUp(in_addr address)
{
    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr = address;
    // A host entry holds at most 1024 bytes; the name service's answer is cut to fit.
    char name[1024] = {};
    const int result =
        ::getnameinfo(reinterpret_cast<const sockaddr *>(&socketAddress), sizeof socketAddress,
                      name, sizeof name, nullptr, 0, NI_NAMEREQD);
    if (result != 0)
        return {ResolverError(result), {}};
    return {0, std::string(name, ::strnlen(name, sizeof name))};
}

void AsyncHostLookup::answered()
{
    const Answer answer = m_watcher.result();
    if (answer.error == 0)
        m_name = answer.name;
    msg::PostMessage(parent(), m_message, m_handle,
                     WSAMAKEASYNCREPLY(static_cast<unsigned>(answer.name.size()),
                                       static_cast<unsigned>(answer.error)));
    if (answer.error != 0)
        deleteLater();
}

std::optional<std::string> AsyncHostLookup::takeName()
{
    if (!m_name)
        return std::nullopt;
    deleteLater();
    return std::exchange(m_name, std::nullopt);
}

std::uintptr_t WSAAsyncGetHostByAddr(QObject *window, unsigned message, in_addr address)
{
    if (!window)
        return 0;
    return (new AsyncHostLookup(window, message, address))->handle();
}

std::optional<std::string> WSAAsyncHostName(QObject *window, std::uintptr_t handle)
{
    if (!window)
        return std::nullopt;
    for (auto *lookup : window->findChildren<AsyncHostLookup *>(Qt::FindDirectChildrenOnly)) {
        if (lookup->handle() == handle)
            return lookup->takeName();
    }
    return std::nullopt;
}

} // namespace winsock
