#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

namespace page {

// Keeps the bytes of every datagram the program has queued until the socket reports it sent or
// failed: the socket refers to the caller's bytes without copying them, and a notification names
// its datagram only by the address of those bytes.
class PendingPayloads {
public:
    // Stores the payload with its terminating zero byte. The bytes stay in place while the
    // caller holds them (until release) and while any send of them is queued: a send may be
    // reported finished while the caller is still queueing the same bytes to other addresses.
    const char *hold(std::string_view payload);
    void queued(const char *bytes);
    void release(const char *bytes);
    // One queued send of `bytes` ended (sent or failed): returns its payload text and lets the
    // bytes go once nobody holds them. Unknown addresses give an empty text.
    std::string finished(std::uintptr_t bytes);

private:
    struct Entry {
        std::string bytes;
        int holds = 1; // the caller's, and one per queued send
    };
    std::list<Entry>::iterator find(std::uintptr_t bytes);
    void drop(std::list<Entry>::iterator entry);

    std::list<Entry> m_entries;
};

} // namespace page
