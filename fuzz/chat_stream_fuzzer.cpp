// Feeds arbitrary bytes of a chat link, cut into chunks of arbitrary sizes, to the receiving
// side's message splitter and the reply box's history, and checks what they promise: messages
// hold no zero byte and never more than the bound, no byte is lost or made up, and the history
// stays within its size.
#include "chat/LineHistory.h"
#include "chat/MessageSplitter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte sets the chunk size, as the network would cut the stream.
    const std::size_t chunkSize = 1 + data[0] * 8;
    const std::string_view stream(reinterpret_cast<const char *>(data + 1), size - 1);

    chat::MessageSplitter splitter;
    chat::LineHistory history;
    std::string received;
    const auto take = [&](std::string_view message) {
        if (message.size() > chat::MessageSplitter::kMostPerMessage ||
            message.find('\0') != std::string_view::npos)
            std::abort();
        received += message;
        history.Prepend(message);
        if (history.Text().size() > chat::LineHistory::kMostBytes)
            std::abort();
    };
    for (std::size_t at = 0; at < stream.size(); at += chunkSize)
        splitter.feed(stream.substr(at, chunkSize), take);
    splitter.finish(take);

    std::string sent(stream);
    std::erase(sent, '\0');
    if (received != sent)
        std::abort();
    return 0;
}
