// Decodes arbitrary datagrams as the main window does on receipt, and checks what the decoder
// promises: the text never reaches past the first zero byte, receipts carry no text.
#include "paging/PageDatagram.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const page::Decoded decoded =
        page::Decode(std::span<const char>(reinterpret_cast<const char *>(data), size));
    const void *zero = std::memchr(data, 0, size);
    const std::size_t textEnd =
        zero ? static_cast<std::size_t>(static_cast<const std::uint8_t *>(zero) - data) : size;
    if (decoded.text.size() > textEnd)
        std::abort();
    if (decoded.kind != page::Decoded::Kind::Page && !decoded.text.empty())
        std::abort();

    const std::string_view destination(reinterpret_cast<const char *>(data), size);
    std::size_t total = 0;
    for (const std::string &token : page::DestinationTokens(destination))
        total += token.size();
    if (total > size)
        std::abort();
    return 0;
}
