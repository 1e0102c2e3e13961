#include "paging/PageSender.h"

#include "tests/support/RecordingDatagramPort.h"

#include <gtest/gtest.h>

namespace {

using Sent = RecordingDatagramPort::Sent;

class PageSenderTest : public ::testing::Test {
protected:
    std::vector<int> reported;
    page::PageSender::LoopOutcome sendPage(std::string_view payload, std::string_view destination)
    {
        return sender.sendPage(payload, destination, [&](int error) { reported.push_back(error); });
    }

    RecordingDatagramPort port;
    page::PageSender sender{port};
};

TEST_F(PageSenderTest, EveryAddressGetsThePayloadWithItsZeroByte)
{
    const auto outcome = sendPage("@Dhi", "10.0.0.1,far c,d");
    const std::vector<Sent> expected{{"10.0.0.1", std::string("@Dhi\0", 5), nullptr},
                                     {"far", std::string("@Dhi\0", 5), nullptr}};
    EXPECT_EQ(port.sent, expected);
    EXPECT_EQ(outcome.queued, 2);
    EXPECT_TRUE(outcome.playsSendSound());
    EXPECT_TRUE(reported.empty());
}

TEST_F(PageSenderTest, AFailedAddressIsReportedAtOnceAndTheOthersStillGo)
{
    port.failures["nohost"] = 11001;
    port.duringSend = [&](const std::string &address) {
        // The failure of the middle address is reported before the last one is queued.
        if (address == "c") {
            EXPECT_EQ(reported, std::vector<int>{11001});
        }
    };
    const auto outcome = sendPage("x", "a,nohost,c");
    ASSERT_EQ(port.sent.size(), 2u);
    EXPECT_EQ(port.sent[1].address, "c");
    EXPECT_EQ(outcome.queued, 2);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_FALSE(outcome.playsSendSound());
}

// Looking up a name runs events: the first address's datagram may be reported sent before the
// payload is queued for the next one. The bytes must stay intact for both.
TEST_F(PageSenderTest, BytesOutliveAFinishedSendWhileLaterAddressesAreQueued)
{
    port.duringSend = [&](const std::string &address) {
        if (address == "second") {
            EXPECT_EQ(sender.finished(reinterpret_cast<std::uintptr_t>(port.sent[0].data)), "page");
        }
    };
    sendPage("page", "first,second");
    ASSERT_EQ(port.sent.size(), 2u);
    EXPECT_EQ(std::string(port.sent[1].data, 5), std::string("page\0", 5));
    EXPECT_EQ(sender.finished(reinterpret_cast<std::uintptr_t>(port.sent[1].data)), "page");
}

TEST_F(PageSenderTest, ASingleSendGivesItsErrorAndAClosedPortIsNotOpen)
{
    port.failures["gone"] = 10051;
    EXPECT_EQ(sender.send("@R", "gone"), std::optional<int>(10051));
    EXPECT_EQ(sender.send("@R", "here"), std::nullopt);
    port.open = false;
    EXPECT_FALSE(sender.isOpen());
}

} // namespace
