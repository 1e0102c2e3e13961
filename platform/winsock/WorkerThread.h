#pragma once

#include <QFuture>
#include <QPromise>
#include <thread>
#include <type_traits>
#include <utility>

namespace winsock {

// Runs `work` on a thread of its own and returns the future of its result. The thread is
// detached: a look-up that the name service holds up for long never delays the program's exit,
// and an answer nobody waits for any more is dropped with the future's shared state. `work` must
// own everything it touches.
template <typename Result, typename Work> QFuture<Result> RunOnWorkerThread(Work work)
{
    QPromise<Result> promise;
    QFuture<Result> future = promise.future();
    promise.start();
    std::thread([promise = std::move(promise), work = std::move(work)]() mutable {
        if constexpr (std::is_void_v<Result>)
            work();
        else
            promise.addResult(work());
        promise.finish();
    }).detach();
    return future;
}

} // namespace winsock
