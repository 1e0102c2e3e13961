#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>

// Keeps the bytes of every datagram the program has queued until the socket reports it sent or
// failed: the socket refers to the caller's bytes without copying them, and a notification names
// its datagram only by the address of those bytes.
class CPendingPayloads {
public:
    // Stores the payload with its terminating zero byte; the returned bytes stay in place until
    // released. Each successful queueing of them is announced with Queued.
    const char *Hold(std::string_view payload);
    void Queued(const char *bytes);
    // Lets go of held bytes that were never queued.
    void ReleaseIfUnqueued(const char *bytes);
    // One queued send of `bytes` ended (sent or failed): returns its payload text and lets the
    // bytes go once no send of them is left. Unknown addresses give an empty text.
    std::string Finished(std::uintptr_t bytes);

private:
    struct Entry {
        std::string bytes;
        int queued = 0;
    };
    std::list<Entry>::iterator Find(std::uintptr_t bytes);

    std::list<Entry> m_entries;
};
