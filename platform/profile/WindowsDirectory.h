#pragma once

#include <string>
#include <string_view>

namespace profile {

// The Windows initialisation file, kept in the Windows directory.
inline constexpr std::string_view kWinIni = "win.ini";

// The folder that stands in for the Windows directory: $TARVIL_WINDIR when set, else
// $XDG_CONFIG_HOME/tarvil32, else ~/.config/tarvil32. The environment is read on every call.
// The folder is created when missing, and so is its win.ini, saying that mail is installed.
std::string GetWindowsDirectory();

} // namespace profile
