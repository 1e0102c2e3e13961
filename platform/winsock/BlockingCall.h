#pragma once

#include <functional>

namespace winsock {

// WinSock 1.1's default blocking hook: runs `work` on a worker thread while this thread keeps
// dispatching its events in a nested event loop, so windows stay responsive and a Cancel button
// can call WSACancelBlockingCall. Returns 0 when `work` has finished, WSAEINTR when the call was
// cancelled first (the worker then runs to its end on its own and its result is dropped, so
// `work` must own what it touches), or WSAEINPROGRESS when this thread already waits for a
// blocking call.
int RunBlockingCall(std::function<void()> work);

} // namespace winsock
