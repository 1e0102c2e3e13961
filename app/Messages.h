#pragma once

#include "platform/ui/WindowMessage.h"

// The program's own window messages.
constexpr unsigned WM_DATAGRAM_NOTIFY = ui::WM_USER + 1; // datagram socket -> main window
constexpr unsigned WM_STREAM_NOTIFY = ui::WM_USER + 2;   // listening socket -> main window
