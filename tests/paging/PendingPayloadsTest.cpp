#include "paging/PendingPayloads.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

std::uintptr_t address(const char *bytes)
{
    return reinterpret_cast<std::uintptr_t>(bytes);
}

TEST(PendingPayloads, BytesStayWhileHeldOrQueued)
{
    page::PendingPayloads pending;
    const char *bytes = pending.hold("page");
    EXPECT_EQ(std::string(bytes, 5), std::string("page\0", 5));

    // The first address's send finishes while the caller still queues the second.
    pending.queued(bytes);
    EXPECT_EQ(pending.finished(address(bytes)), "page");
    pending.queued(bytes);
    EXPECT_EQ(std::string(bytes), "page");
    pending.release(bytes);
    EXPECT_EQ(pending.finished(address(bytes)), "page");

    // Everything is let go now: the address is no longer known.
    EXPECT_EQ(pending.finished(address(bytes)), "");
}

TEST(PendingPayloads, UnknownOrNeverQueuedBytes)
{
    page::PendingPayloads pending;
    EXPECT_EQ(pending.finished(0), "");
    const char *bytes = pending.hold("@D");
    pending.release(bytes);
    EXPECT_EQ(pending.finished(address(bytes)), "");
}

} // namespace
