#pragma once

#include <string>
#include <string_view>

namespace profile {

// The Windows initialisation file, kept in the Windows directory.
inline constexpr std::string_view kWinIni = "win.ini";

// The folder that stands in for the Windows directory: $TARVIL_WINDIR when set, else
// $XDG_CONFIG_HOME/tarvil32, else ~/.config/tarvil32. Taken from the environment alone, on every
// call; nothing on disk is looked at or created.
std::string GetWindowsDirectory();

// Makes the Windows directory ready for the program, once at start: creates the folder when
// missing, and its win.ini, saying that mail is installed, when that is missing. An existing
// win.ini is left as it is. What fails here shows later: the first write into the folder tries
// again to create it, and a missing win.ini reads as defaults.
void prepareWindowsDirectory(const std::string &directory);

} // namespace profile
