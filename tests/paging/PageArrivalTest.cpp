#include "paging/PageArrival.h"

#include "paging/PageSender.h"
#include "tests/support/RecordingDatagramPort.h"

#include <gtest/gtest.h>

namespace {

using Kind = page::PageArrival::Kind;

class PageArrivalTest : public ::testing::Test {
protected:
    std::optional<page::PageArrival> arrive(std::string_view bytes)
    {
        port.arriving.push_back({std::string(bytes), "10.0.0.9"});
        return page::TakeArrival(port, sender);
    }

    RecordingDatagramPort port;
    page::PageSender sender{port};
};

TEST_F(PageArrivalTest, APageAskingForBothReceiptsIsAnsweredAtOnceAndOwesTheReadReceipt)
{
    const auto arrival = arrive(std::string_view("@R@Dhello\0", 10));
    ASSERT_TRUE(arrival);
    EXPECT_EQ(arrival->kind, Kind::Page);
    EXPECT_EQ(arrival->text, "hello");
    EXPECT_TRUE(arrival->readReceiptOwed);
    EXPECT_EQ(arrival->sender, "10.0.0.9");
    EXPECT_FALSE(arrival->receiptError);
    const std::vector<RecordingDatagramPort::Sent> receipt{
        {"10.0.0.9", std::string("@D\0", 3), nullptr}};
    EXPECT_EQ(port.sent, receipt);
}

TEST_F(PageArrivalTest, ReceiptsAreNeverAnswered)
{
    EXPECT_EQ(arrive(std::string_view("@R\0", 3))->kind, Kind::ReadReceipt);
    EXPECT_EQ(arrive(std::string_view("@D\0", 3))->kind, Kind::DeliveryReceipt);
    // The read request is dropped with nothing left to show.
    EXPECT_EQ(arrive(std::string_view("@R@D\0", 5))->kind, Kind::DeliveryReceipt);
    EXPECT_TRUE(port.sent.empty());
}

TEST_F(PageArrivalTest, MarkersInTheWrongOrderAreText)
{
    const auto arrival = arrive(std::string_view("@D@Rx\0", 6));
    EXPECT_EQ(arrival->text, "@Rx");
    EXPECT_FALSE(arrival->readReceiptOwed);
    EXPECT_EQ(port.sent.size(), 1u);
}

TEST_F(PageArrivalTest, AReceiptThatCannotBeQueuedIsToldAndThePageStillShows)
{
    port.failures["10.0.0.9"] = 10055;
    const auto arrival = arrive(std::string_view("@Dhi\0", 5));
    EXPECT_EQ(arrival->kind, Kind::Page);
    EXPECT_EQ(arrival->text, "hi");
    EXPECT_EQ(arrival->receiptError, std::optional<int>(10055));
}

TEST_F(PageArrivalTest, APageTellsWhetherMoreWaitBehindIt)
{
    port.arriving.push_back({"first", "10.0.0.9"});
    port.arriving.push_back({"second", "10.0.0.9"});
    EXPECT_TRUE(page::TakeArrival(port, sender)->moreWaiting);
    EXPECT_FALSE(page::TakeArrival(port, sender)->moreWaiting);
}

TEST_F(PageArrivalTest, NothingWaitingIsNothing)
{
    EXPECT_FALSE(page::TakeArrival(port, sender));
}

} // namespace
