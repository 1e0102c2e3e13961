#include "paging/PageDatagram.h"

#include <gtest/gtest.h>

namespace {

page::Decoded decode(std::string_view bytes)
{
    return page::Decode(std::span<const char>(bytes.data(), bytes.size()));
}

using Kind = page::Decoded::Kind;

TEST(PageDatagram, PayloadCarriesReadMarkerBeforeDeliveryMarker)
{
    EXPECT_EQ(page::BuildPayload("hello", false, false), "hello");
    EXPECT_EQ(page::BuildPayload("hello", true, false), "@Dhello");
    EXPECT_EQ(page::BuildPayload("hello", false, true), "@Rhello");
    EXPECT_EQ(page::BuildPayload("hello", true, true), "@R@Dhello");
    EXPECT_EQ(page::WireBytes(page::BuildPayload("hello", true, true)).size(), 10u);
    EXPECT_EQ(page::WireBytes("@D"), std::string("@D\0", 3));
}

TEST(PageDatagram, PageWithBothRequests)
{
    const page::Decoded decoded = decode(std::string_view("@R@Dhello\0", 10));
    EXPECT_EQ(decoded.kind, Kind::Page);
    EXPECT_EQ(decoded.text, "hello");
    EXPECT_TRUE(decoded.readReceiptRequested);
    EXPECT_TRUE(decoded.deliveryReceiptRequested);
}

TEST(PageDatagram, MarkersWithNothingAfterThemAreReceipts)
{
    EXPECT_EQ(decode(std::string_view("@R\0", 3)).kind, Kind::ReadReceipt);
    EXPECT_EQ(decode(std::string_view("@D\0", 3)).kind, Kind::DeliveryReceipt);

    // The read request is dropped when nothing but the delivery marker follows.
    const page::Decoded both = decode(std::string_view("@R@D\0", 5));
    EXPECT_EQ(both.kind, Kind::DeliveryReceipt);
    EXPECT_FALSE(both.readReceiptRequested);

    // Receipts ask for nothing in return.
    EXPECT_FALSE(decode(std::string_view("@D\0", 3)).deliveryReceiptRequested);
}

TEST(PageDatagram, MarkersOutOfOrderStayInTheText)
{
    const page::Decoded decoded = decode(std::string_view("@D@Rx\0", 6));
    EXPECT_EQ(decoded.kind, Kind::Page);
    EXPECT_TRUE(decoded.deliveryReceiptRequested);
    EXPECT_FALSE(decoded.readReceiptRequested);
    EXPECT_EQ(decoded.text, "@Rx");
}

TEST(PageDatagram, TextEndsAtTheFirstZeroByteOrTheDatagram)
{
    EXPECT_EQ(decode("").kind, Kind::Page);
    EXPECT_EQ(decode("").text, "");
    EXPECT_EQ(decode("no terminator").text, "no terminator");
    EXPECT_EQ(decode(std::string_view("one\0two\0", 8)).text, "one");
    EXPECT_EQ(decode(std::string_view("\0@R", 3)).text, "");
    EXPECT_EQ(decode("@Dline one\r\nline two").text, "line one\r\nline two");
}

TEST(PageDatagram, DestinationTokensFollowTheCommaAndBlankRules)
{
    using Tokens = std::vector<std::string>;
    EXPECT_EQ(page::DestinationTokens("10.0.0.1"), Tokens{"10.0.0.1"});
    EXPECT_EQ(page::DestinationTokens("10.0.0.1,10.0.0.2"), (Tokens{"10.0.0.1", "10.0.0.2"}));
    EXPECT_EQ(page::DestinationTokens("10.0.0.1, 10.0.0.2"), Tokens{"10.0.0.1"});
    EXPECT_EQ(page::DestinationTokens("10.0.0.1,"), Tokens{"10.0.0.1"});
    EXPECT_EQ(page::DestinationTokens("one,two three,four"), (Tokens{"one", "two"}));
    EXPECT_EQ(page::DestinationTokens("a ,b,c"), (Tokens{"a ", "b", "c"}));
    EXPECT_EQ(page::DestinationTokens(",b"), (Tokens{"", "b"}));
    EXPECT_EQ(page::DestinationTokens(""), Tokens{});
}

} // namespace
