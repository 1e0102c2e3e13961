#pragma once

// Translation of the system's error numbers into WinSock's.
namespace winsock {

// An errno value after a socket call. EINPROGRESS becomes WSAEWOULDBLOCK, as WinSock reports a
// non-blocking connect under way.
int SystemError(int errnoValue);
// A getaddrinfo or getnameinfo result other than 0.
int ResolverError(int eaiValue);

} // namespace winsock
