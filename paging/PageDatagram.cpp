#include "paging/PageDatagram.h"

namespace page {

namespace {

bool TakePrefix(std::string_view &text, std::string_view prefix)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::string BuildPayload(std::string_view text, bool deliveryReceipt, bool readReceipt)
{
    std::string payload(text);
    if (deliveryReceipt)
        payload.insert(0, kDeliveryMarker);
    if (readReceipt)
        payload.insert(0, kReadMarker);
    return payload;
}

std::string WireBytes(std::string_view payload)
{
    std::string bytes(payload);
    bytes.push_back('\0');
    return bytes;
}

Decoded Decode(std::span<const char> datagram)
{
    std::string_view text(datagram.data(), datagram.size());
    text = text.substr(0, text.find('\0'));

    // "@R" is tested first: senders put it in front of "@D".
    Decoded decoded;
    if (TakePrefix(text, kReadMarker)) {
        decoded.readReceiptRequested = true;
        if (text.empty()) {
            decoded.kind = Decoded::Kind::ReadReceipt;
            decoded.readReceiptRequested = false;
            return decoded;
        }
    }
    if (TakePrefix(text, kDeliveryMarker)) {
        if (text.empty()) {
            decoded.kind = Decoded::Kind::DeliveryReceipt;
            decoded.readReceiptRequested = false;
            return decoded;
        }
        decoded.deliveryReceiptRequested = true;
    }
    decoded.text = text;
    return decoded;
}

std::vector<std::string> DestinationTokens(std::string_view destination)
{
    std::vector<std::string> tokens;
    while (!destination.empty()) {
        const std::size_t comma = destination.find(',');
        tokens.emplace_back(destination.substr(0, comma));
        if (comma == std::string_view::npos)
            break;
        destination.remove_prefix(comma + 1);
        destination = destination.substr(0, destination.find(' '));
    }
    return tokens;
}

} // namespace page
