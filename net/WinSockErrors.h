#pragma once

#include <optional>
#include <string>
#include <string_view>

// The one way a socket failure is shown to the user: the WinSock code's text, then a line that
// says what the program was doing.

// The message text for `code` with its optional context line, as the message box shows it.
std::string WinSockErrorMessage(int code, std::optional<std::string_view> context);

// Shows WinSockErrorMessage in a message box captioned "Tarvil32" with an exclamation icon,
// owned by the active window; returns when the user has confirmed it (always IDOK).
int ReportWinSockError(int code, std::optional<std::string_view> context);
