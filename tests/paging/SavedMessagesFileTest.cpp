#include "paging/SavedMessagesFile.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes hex(const std::string &text)
{
    std::istringstream in(text);
    Bytes bytes;
    for (unsigned value = 0; in >> std::hex >> value;)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

Bytes operator+(Bytes left, const Bytes &right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

const Bytes kNewClass = hex("FF FF 01 00 0D 00 43 53 61 76 65 64 4D 65 73 73 61 67 65");
const Bytes kRecordAB = hex("01 61 01 62 00"); // "a", "b", ""

const std::vector<CSavedMessage> kThree = {
    {"x - 12/07/26 09:56:09", "one\r\ntwo", "10.0.0.1"}, {"y", "", "host"}, {"z", "3", ""}};

void expectRoundTrip(const std::vector<CSavedMessage> &records, const Bytes &bytes)
{
    EXPECT_EQ(saved::Serialize(records), bytes);
    const saved::Parsed parsed = saved::Parse(bytes);
    EXPECT_FALSE(parsed.damaged);
    EXPECT_EQ(parsed.records, records);
}

TEST(SavedMessagesFile, ExampleAndEmptyListBothWays)
{
    expectRoundTrip({{"a - b", "hi", "h"}}, hex("01 00 FF FF 01 00 0D 00 43 53 61 76 65 64 4D 65 "
                                                "73 73 61 67 65 05 61 20 2D 20 62 02 68 69 01 68"));
    expectRoundTrip({}, hex("00 00"));
}

TEST(SavedMessagesFile, EachStringLengthForm)
{
    const std::pair<std::size_t, std::string> forms[] = {{0, "00"},
                                                         {254, "FE"},
                                                         {255, "FF FF 00"},
                                                         {65533, "FF FD FF"},
                                                         {65534, "FF FF FF FE FF 00 00"},
                                                         {70000, "FF FF FF 70 11 01 00"}};
    for (const auto &[length, form] : forms) {
        SCOPED_TRACE(length);
        const std::string text(length, 'x');
        expectRoundTrip({{"", text, ""}}, hex("01 00") + kNewClass + hex("00 " + form) +
                                              Bytes(text.begin(), text.end()) + hex("00"));
    }
    // The longer forms read as well, but two bytes of FF FE are no length.
    EXPECT_EQ(saved::Parse(hex("01 00") + kNewClass + hex("FF 01 00 61 FF FF FF 01 00 00 00 62 00"))
                  .records,
              (std::vector<CSavedMessage>{{"a", "b", ""}}));
    EXPECT_TRUE(saved::Parse(hex("01 00") + kNewClass + hex("FF FE FF")).damaged);
}

TEST(SavedMessagesFile, CountsFrom65535TakeSixBytes)
{
    for (const std::size_t count : {65534u, 65535u}) {
        const std::vector<CSavedMessage> records(count, CSavedMessage("a", "b", ""));
        const Bytes bytes = saved::Serialize(records);
        const Bytes head = count == 65534 ? hex("FE FF") : hex("FF FF FF FF 00 00");
        EXPECT_EQ(bytes, [&] {
            Bytes expected = head + kNewClass + kRecordAB;
            for (std::size_t i = 1; i < count; ++i)
                expected = std::move(expected) + hex("01 80") + kRecordAB;
            return expected;
        }());
        EXPECT_EQ(saved::Parse(bytes).records.size(), count);
    }
    EXPECT_EQ(saved::Parse(hex("FF FF 01 00 00 00") + kNewClass + kRecordAB).records.size(), 1u);

    // No count is too large for a file that holds all its records.
    const std::vector<CSavedMessage> many(200000, CSavedMessage("a", "b", ""));
    const saved::Parsed parsed = saved::Parse(saved::Serialize(many));
    EXPECT_FALSE(parsed.damaged);
    EXPECT_EQ(parsed.records, many);
}

TEST(SavedMessagesFile, TagsReferOnlyToClassesReadBefore)
{
    // Class 1, record 2, the class again as 3, record 4: tags may refer to 1 or 3.
    const Bytes good = hex("04 00") + kNewClass + kRecordAB + kNewClass + kRecordAB + hex("03 80") +
                       kRecordAB + hex("01 80") + kRecordAB;
    EXPECT_FALSE(saved::Parse(good).damaged);
    EXPECT_EQ(saved::Parse(good).records.size(), 4u);

    Bytes otherName = kNewClass;
    otherName.back() = 'f';
    Bytes otherSchema = kNewClass;
    otherSchema[2] = 2;
    for (const Bytes &tag : {hex("02 80"), hex("00 80"), hex("00 00"), hex("02 00"), hex("FF 7F"),
                             otherName, otherSchema}) {
        const saved::Parsed parsed =
            saved::Parse(hex("02 00") + kNewClass + kRecordAB + tag + kRecordAB);
        EXPECT_TRUE(parsed.damaged);
        EXPECT_EQ(parsed.records.size(), 1u);
    }
    EXPECT_TRUE(saved::Parse(hex("01 00 01 80") + kRecordAB).damaged);
}

TEST(SavedMessagesFile, DamageKeepsEveryCompleteRecordBeforeIt)
{
    const Bytes whole = saved::Serialize(kThree);
    std::vector<std::size_t> ends; // where each record ends
    for (std::size_t n = 1; n <= kThree.size(); ++n)
        ends.push_back(saved::Serialize(std::span(kThree).first(n)).size());
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        const saved::Parsed parsed = saved::Parse(std::span(whole).first(cut));
        EXPECT_TRUE(parsed.damaged);
        const auto complete = static_cast<std::size_t>(
            std::count_if(ends.begin(), ends.end(), [&](std::size_t end) { return end <= cut; }));
        EXPECT_EQ(parsed.records, std::vector(kThree.begin(), kThree.begin() + complete));
    }
    // Bytes after the last record are no damage.
    EXPECT_FALSE(saved::Parse(whole + hex("00")).damaged);
    EXPECT_EQ(saved::Parse(whole + hex("00")).records, kThree);

    // Claims far beyond the bytes there: nothing is allocated for them.
    EXPECT_TRUE(saved::Parse(hex("FF FF FF FF FF FF") + kNewClass + kRecordAB).damaged);
    EXPECT_TRUE(saved::Parse(hex("01 00") + kNewClass + hex("FF FF FF FF FF FF FF 61")).damaged);
    EXPECT_TRUE(saved::Parse(hex("01 00 FF FF 01 00 FF FF 43")).damaged);
}

} // namespace
