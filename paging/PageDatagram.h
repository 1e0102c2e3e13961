#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The page datagram: ANSI text and one zero byte, the text optionally led by "@R" (a read
// receipt is asked for) and "@D" (a delivery receipt is asked for), in that order. The same two
// markers with nothing after them are the receipts themselves.
namespace page {

inline constexpr std::string_view kReadMarker = "@R";
inline constexpr std::string_view kDeliveryMarker = "@D";

// The payload a page window sends: the text with the markers the user asked for.
std::string BuildPayload(std::string_view text, bool deliveryReceipt, bool readReceipt);

// The bytes that go on the wire for a payload: the payload and its terminating zero byte.
std::string WireBytes(std::string_view payload);

struct Decoded {
    enum class Kind { Page, DeliveryReceipt, ReadReceipt };
    Kind kind = Kind::Page;
    std::string text;                      // what the page shows (pages only)
    bool readReceiptRequested = false;     // the sender waits for a read receipt
    bool deliveryReceiptRequested = false; // the sender waits for a delivery receipt
};

// Decodes one received datagram. The text ends at the first zero byte, or with the datagram
// when it has none; every datagram decodes to something.
Decoded Decode(std::span<const char> datagram);

// The addresses a destination pages, in order: the text up to each comma, where after a comma
// only the part up to the next blank counts ("a,b c,d" pages a and b; "a, b" pages only a).
std::vector<std::string> DestinationTokens(std::string_view destination);

} // namespace page
