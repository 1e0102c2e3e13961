#pragma once

#include "platform/message/WindowMessage.h"

// The program's own window messages.
constexpr unsigned WM_DATAGRAM_NOTIFY = msg::WM_USER + 1;       // datagram socket -> main window
constexpr unsigned WM_STREAM_NOTIFY = msg::WM_USER + 2;         // listening socket -> main window
constexpr unsigned WM_CHAT_NOTIFY = msg::WM_USER + 3;           // chat link socket -> chat window
constexpr unsigned WM_HOST_RESOLVED = msg::WM_USER + 4;         // reverse look-up -> page, chat
constexpr unsigned WM_RECEIPT_HOST_RESOLVED = msg::WM_USER + 5; // reverse look-up -> receipt
