#include "chat/MessageSplitter.h"

#include <algorithm>

namespace chat {

void MessageSplitter::feed(std::string_view chunk, const MessageHandler &onMessage)
{
    while (!chunk.empty()) {
        const std::size_t end = chunk.find('\0');
        const std::size_t room = kMostPerMessage - m_unfinished.size();
        if (end == std::string_view::npos || end > room) {
            // No end of message within the bound: keep what fits, hand it on when full.
            const std::size_t taken = std::min(chunk.size(), room);
            m_unfinished.append(chunk.substr(0, taken));
            chunk.remove_prefix(taken);
            if (m_unfinished.size() == kMostPerMessage) {
                onMessage(m_unfinished);
                m_unfinished.clear();
                m_pieceHandedOn = true;
            } else if (taken > 0) {
                m_pieceHandedOn = false;
            }
            continue;
        }
        const bool endsPiece = end == 0 && m_unfinished.empty() && m_pieceHandedOn;
        m_pieceHandedOn = false;
        if (!endsPiece) {
            m_unfinished.append(chunk.substr(0, end));
            onMessage(m_unfinished);
            m_unfinished.clear();
        }
        chunk.remove_prefix(end + 1);
    }
}

void MessageSplitter::finish(const MessageHandler &onMessage)
{
    if (!m_unfinished.empty())
        onMessage(m_unfinished);
    m_unfinished.clear();
    m_pieceHandedOn = false;
}

} // namespace chat
