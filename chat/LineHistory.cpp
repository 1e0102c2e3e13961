#include "chat/LineHistory.h"

namespace chat {

void LineHistory::Prepend(std::string_view lines)
{
    m_text.insert(0, lines.substr(0, kMostBytes));
    if (m_text.size() <= kMostBytes)
        return;
    // Cut after the last whole line that fits; a single line longer than the box is cut short.
    const std::size_t lineEnd = m_text.rfind("\r\n", kMostBytes - 2);
    m_text.resize(lineEnd == std::string::npos ? kMostBytes : lineEnd + 2);
}

} // namespace chat
