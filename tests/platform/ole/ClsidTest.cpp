#include "platform/ole/Clsid.h"

#include <gtest/gtest.h>

namespace {

constexpr std::array<std::uint8_t, 16> kButtonBytes = {
    0x71, 0x7E, 0x73, 0x94, 0xA9, 0x55, 0xC7, 0x45, 0x8B, 0x33, 0xBD, 0xB0, 0x6C, 0xC4, 0x43, 0x0A};

TEST(Clsid, TextAndBytesRoundTrip)
{
    const auto clsid = ole::Clsid::fromString("{94737e71-55a9-45C7-8B33-BDB06CC4430A}");
    ASSERT_TRUE(clsid);
    EXPECT_EQ(clsid->data1, 0x94737E71u);
    EXPECT_EQ(clsid->data2, 0x55A9);
    EXPECT_EQ(clsid->data3, 0x45C7);
    EXPECT_EQ(clsid->toString(), "{94737E71-55A9-45C7-8B33-BDB06CC4430A}");
    EXPECT_EQ(clsid->toBytes(), kButtonBytes);
    EXPECT_EQ(ole::Clsid::fromBytes(kButtonBytes), clsid);
    EXPECT_FALSE(clsid->isNull());
    EXPECT_TRUE(ole::Clsid::fromString("{00000000-0000-0000-0000-000000000000}")->isNull());
}

TEST(Clsid, RefusesMalformedText)
{
    for (const char *text :
         {"", "94737E71-55A9-45C7-8B33-BDB06CC4430A", "{94737E71-55A9-45C7-8B33-BDB06CC4430A",
          "{94737E71-55A9-45C7-8B33-BDB06CC4430A}x", "{94737E7G-55A9-45C7-8B33-BDB06CC4430A}",
          "{94737E71-55A9-45C7-8B33BDB06CC4430A-}", "{94737E71 55A9-45C7-8B33-BDB06CC4430A}",
          "(94737E71-55A9-45C7-8B33-BDB06CC4430A)", "{+4737E71-55A9-45C7-8B33-BDB06CC4430A}"})
        EXPECT_FALSE(ole::Clsid::fromString(text)) << text;
}

TEST(Clsid, RefusesWrongByteCount)
{
    EXPECT_FALSE(ole::Clsid::fromBytes(std::span(kButtonBytes).first(15)));
    const std::array<std::uint8_t, 17> tooLong{};
    EXPECT_FALSE(ole::Clsid::fromBytes(tooLong));
}

} // namespace
