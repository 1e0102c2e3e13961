#include "paging/CPendingPayloads.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

std::uintptr_t address(const char *bytes)
{
    return reinterpret_cast<std::uintptr_t>(bytes);
}

TEST(PendingPayloads, BytesStayWhileHeldOrQueued)
{
    CPendingPayloads pending;
    const char *bytes = pending.Hold("page");
    EXPECT_EQ(std::string(bytes, 5), std::string("page\0", 5));

    // The first address's send finishes while the caller still queues the second.
    pending.Queued(bytes);
    EXPECT_EQ(pending.Finished(address(bytes)), "page");
    pending.Queued(bytes);
    EXPECT_EQ(std::string(bytes), "page");
    pending.Release(bytes);
    EXPECT_EQ(pending.Finished(address(bytes)), "page");

    // Everything is let go now: the address is no longer known.
    EXPECT_EQ(pending.Finished(address(bytes)), "");
}

TEST(PendingPayloads, UnknownOrNeverQueuedBytes)
{
    CPendingPayloads pending;
    EXPECT_EQ(pending.Finished(0), "");
    const char *bytes = pending.Hold("@D");
    pending.Release(bytes);
    EXPECT_EQ(pending.Finished(address(bytes)), "");
}

} // namespace
