#pragma once

#include "net/SocketTypes.h"
#include "paging/DatagramPort.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Stands in for the datagram socket: records what is queued, fails for the addresses it is told
// to, and hands out the datagrams a test lets arrive.
class RecordingDatagramPort : public page::DatagramPort {
public:
    struct Sent {
        std::string address;
        std::string bytes;
        const char *data; // where the bytes were, as the socket reports a finished send
        friend bool operator==(const Sent &a, const Sent &b)
        {
            return a.address == b.address && a.bytes == b.bytes;
        }
    };

    bool isOpen() const override { return open; }
    int sendTo(std::span<const char> bytes, const std::string &address) override
    {
        if (duringSend)
            duringSend(address);
        if (const auto failure = failures.find(address); failure != failures.end()) {
            error = failure->second;
            return SOCK_ERROR;
        }
        sent.push_back({address, std::string(bytes.data(), bytes.size()), bytes.data()});
        return SOCK_OK;
    }
    int lastError() const override { return error; }
    std::size_t waiting() const override { return arriving.size(); }
    std::optional<page::Datagram> receive() override
    {
        if (arriving.empty())
            return std::nullopt;
        page::Datagram datagram = std::move(arriving.front());
        arriving.pop_front();
        return datagram;
    }

    bool open = true;
    std::map<std::string, int> failures;                 // address -> WinSock error
    std::function<void(const std::string &)> duringSend; // runs as each send is asked for
    std::vector<Sent> sent;
    std::deque<page::Datagram> arriving;

private:
    int error = 0;
};
