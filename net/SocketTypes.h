#pragma once

#include "platform/message/WindowMessage.h"

// Results of the socket operations.
constexpr int SOCK_OK = 0;
constexpr int SOCK_NOMEM = 1;
constexpr int SOCK_ERROR = 2; // the WinSock error number is kept as the socket's last error
constexpr int SOCK_BADSTATE = 3;

// Notification codes a socket posts to its owner in wParam; lParam as noted.
constexpr int SN_SENT = 1;          // the payload pointer of the entry sent whole
constexpr int SN_SEND_FAILED = 2;   // the payload pointer of the entry that failed or was dropped
constexpr int SN_RECEIVED = 3;      // the number of entries now in the receive queue
constexpr int SN_RECEIVE_ERROR = 4; // 0
constexpr int SN_ACCEPT = 5;        // 0: a connection waits on the listening socket
constexpr int SN_CONNECTED = 6;     // 0: a connection was made or accepted
constexpr int SN_CLOSED = 7;        // 0: the peer closed and no more data waits

constexpr int PAGE_PORT = 2000;
constexpr int CHAT_PORT = 2001;

// The message on which a socket's hidden window receives its asynchronous-select events.
constexpr unsigned WM_SOCKET_EVENT = msg::WM_USER + 1;
