#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> encoded(const std::string &text)
{
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter writer(bytes);
    EXPECT_TRUE(writer.writeString(text));
    return bytes;
}

TEST(Stream, StringLengthFormsAtTheirBoundaries)
{
    struct Case {
        std::size_t length;
        std::vector<std::uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65534, {0xFF, 0xFE, 0xFF}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto &[length, prefix] : cases) {
        std::string text(length, 'x');
        if (length > 0)
            text.back() = 'z';
        const auto bytes = encoded(text);
        ASSERT_EQ(bytes.size(), prefix.size() + length) << length;
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin())) << length;

        ole::StreamReader reader(bytes);
        std::string read;
        ASSERT_TRUE(reader.readString(read)) << length;
        EXPECT_EQ(read, text);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(Stream, IntegersAreLittleEndian)
{
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter writer(bytes);
    writer.writeU8(0xAB);
    writer.writeI16(-2);
    writer.writeI32(-559038737);
    writer.writeU32(0x00010000);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xAB, 0xFE, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE, 0x00,
                                                0x00, 0x01, 0x00}));
    ole::StreamReader reader(bytes);
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::int32_t i32 = 0;
    std::uint32_t u32 = 0;
    ASSERT_TRUE(reader.readU8(u8) && reader.readI16(i16) && reader.readI32(i32) &&
                reader.readU32(u32));
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, -559038737);
    EXPECT_EQ(u32, 0x00010000u);
}

// Every prefix of a valid stream: the reads that fit succeed, the first that does not fails
// without moving, and nothing reads past the end (the reader gets only the prefix's own bytes,
// so the sanitizer build sees any overrun).
TEST(Stream, TruncatedInputFailsAtEveryCut)
{
    std::vector<std::uint8_t> full;
    ole::StreamWriter writer(full);
    writer.writeU32(0x00010000);
    writer.writeI16(7);
    EXPECT_TRUE(writer.writeString(std::string(300, 'a')));
    writer.writeU8(1);
    writer.writeBytes(std::vector<std::uint8_t>{1, 2, 3});

    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        const std::vector<std::uint8_t> prefix(full.begin(), full.begin() + cut);
        ole::StreamReader reader(prefix);
        std::uint32_t version = 0;
        std::int16_t number = 0;
        std::string text;
        std::uint8_t flag = 0;
        std::vector<std::uint8_t> tail;
        const bool complete = reader.readU32(version) && reader.readI16(number) &&
                              reader.readString(text) && reader.readU8(flag) &&
                              reader.readBytes(3, tail);
        EXPECT_FALSE(complete) << cut;
        EXPECT_LE(reader.position(), cut);
        // The failed read left the position at the start of its field.
        EXPECT_TRUE(reader.position() == 0 || reader.position() == 4 || reader.position() == 6 ||
                    reader.position() == 309 || reader.position() == 310)
            << cut << " " << reader.position();
    }
}

TEST(Stream, LengthBeyondTheDataFailsWithoutAllocating)
{
    // Claims 0xFFFFFFFF bytes, has three.
    const std::vector<std::uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                             0xFF, 0xFF, 'a',  'b',  'c'};
    ole::StreamReader reader(bytes);
    std::string text = "unchanged";
    EXPECT_FALSE(reader.readString(text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(reader.position(), 0u);

    std::vector<std::uint8_t> out;
    EXPECT_FALSE(reader.readBytes(std::size_t{1} << 40, out));
    EXPECT_TRUE(out.empty());
}

} // namespace
