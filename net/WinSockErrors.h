#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text a socket failure is shown with: the WinSock code's text, then a line that says what
// the program was doing. ReportWinSockError shows it.
std::string WinSockErrorMessage(int code, std::optional<std::string_view> context);
