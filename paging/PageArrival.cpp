#include "paging/PageArrival.h"

#include "paging/DatagramPort.h"
#include "paging/PageDatagram.h"
#include "paging/PageSender.h"

#include <span>

namespace page {

std::optional<PageArrival> TakeArrival(DatagramPort &port, PageSender &sender)
{
    const std::optional<Datagram> datagram = port.receive();
    if (!datagram)
        return std::nullopt;
    const Decoded decoded = Decode(std::span(datagram->bytes.data(), datagram->bytes.size()));

    PageArrival arrival;
    arrival.sender = datagram->sender;
    arrival.moreWaiting = port.waiting() > 0;
    switch (decoded.kind) {
    case Decoded::Kind::ReadReceipt:
        arrival.kind = PageArrival::Kind::ReadReceipt;
        return arrival;
    case Decoded::Kind::DeliveryReceipt:
        arrival.kind = PageArrival::Kind::DeliveryReceipt;
        return arrival;
    case Decoded::Kind::Page:
        break;
    }
    arrival.text = decoded.text;
    arrival.readReceiptOwed = decoded.readReceiptRequested;
    if (decoded.deliveryReceiptRequested)
        arrival.receiptError = sender.send(kDeliveryMarker, arrival.sender);
    return arrival;
}

} // namespace page
