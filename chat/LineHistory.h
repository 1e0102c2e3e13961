#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace chat {

// The text of a chat box: lines newest first, each ended by the CR LF its sender gave it. It
// holds at most kMostBytes, so that a peer sending lines faster than anyone reads cannot make
// the box slow or large: the oldest lines are dropped first.
class LineHistory {
public:
    static constexpr std::size_t kMostBytes = 64 * 1024;

    // Puts `lines` (one or several, newest first) on top.
    void Prepend(std::string_view lines);
    const std::string &Text() const { return m_text; }

private:
    std::string m_text;
};

} // namespace chat
