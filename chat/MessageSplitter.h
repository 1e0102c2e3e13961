#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace chat {

// Cuts the bytes of a chat link into its messages. Every message ends with a zero byte, and TCP
// keeps no boundaries: one received chunk may hold several messages, and a message may arrive
// split over several chunks. The bytes of an unfinished message are kept for the next chunk, up
// to kMostPerMessage: a peer that never sends a zero byte has its bytes handed on in pieces of
// that size instead of growing the unfinished message without end.
class MessageSplitter {
public:
    // The size of one received chunk: a piece never holds more than one chunk could.
    static constexpr std::size_t kMostPerMessage = 1000;

    using MessageHandler = std::function<void(std::string_view message)>;

    // Hands every message that `chunk` completes to `onMessage`, in order.
    void feed(std::string_view chunk, const MessageHandler &onMessage);
    // The bytes of a message still unfinished when the link ends, which are handed on if there
    // are any: the peer sent them, so they are shown.
    void finish(const MessageHandler &onMessage);

private:
    std::string m_unfinished;
    // The last piece was handed on at the bound: a zero byte right after it ends that piece
    // rather than starting an empty message.
    bool m_pieceHandedOn = false;
};

} // namespace chat
