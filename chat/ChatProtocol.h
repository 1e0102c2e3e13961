#pragma once

#include <string_view>

namespace chat {

// The typing signal: sent, with its zero byte, for every change of the input line. A received
// message that is exactly these bytes means the other party is typing; anything else is a line.
inline constexpr std::string_view CHAT_SIGNAL = "SIGNAL";

// What ends every message on the wire.
inline constexpr char kMessageEnd = '\0';

} // namespace chat
