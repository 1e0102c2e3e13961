#pragma once

#include <optional>
#include <string>

namespace page {

class DatagramPort;
class PageSender;

// What one received datagram means for the program.
struct PageArrival {
    enum class Kind { Page, DeliveryReceipt, ReadReceipt };
    Kind kind = Kind::Page;
    std::string sender;              // dotted address
    std::string text;                // what a page shows
    bool readReceiptOwed = false;    // a page whose sender waits for a read receipt
    std::optional<int> receiptError; // the delivery receipt asked for could not be queued
    // More datagrams wait behind this one: a burst, whose pages share one sound.
    bool moreWaiting = false;
};

// Takes the oldest datagram waiting on `port` and decodes it. A page that asks for a delivery
// receipt has its receipt queued through `sender` before it is shown, so it leaves once the
// page is up. Empty when no datagram waits.
std::optional<PageArrival> TakeArrival(DatagramPort &port, PageSender &sender);

} // namespace page
