#pragma once

#include <optional>
#include <string_view>

// The one way a socket failure is shown to the user: WinSockErrorMessage in a message box
// captioned "Tarvil32" with an exclamation icon, owned by the active window; returns when the
// user has confirmed it (always IDOK).
int ReportWinSockError(int code, std::optional<std::string_view> context);
