#include "platform/winsock/BlockingCall.h"

#include "platform/winsock/WinSock.h"
#include "platform/winsock/WorkerThread.h"

#include <QEventLoop>
#include <QFutureWatcher>

namespace winsock {

namespace {

struct BlockingWait {
    QEventLoop loop;
    bool cancelled = false;
};

// The wait under way on this thread, if any: WinSock 1.1 allows one blocking call per thread.
thread_local BlockingWait *t_wait = nullptr;

} // namespace

int RunBlockingCall(std::function<void()> work)
{
    if (t_wait)
        return WSAEINPROGRESS;
    BlockingWait wait;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &wait.loop,
                     [&wait] { wait.loop.quit(); });
    watcher.setFuture(RunOnWorkerThread<void>(std::move(work)));
    t_wait = &wait;
    wait.loop.exec();
    t_wait = nullptr;
    return wait.cancelled ? WSAEINTR : 0;
}

int WSACancelBlockingCall()
{
    if (!t_wait) {
        WSASetLastError(WSAEINVAL);
        return SOCKET_ERROR;
    }
    t_wait->cancelled = true;
    t_wait->loop.quit();
    return 0;
}

} // namespace winsock
