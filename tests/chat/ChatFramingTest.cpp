#include "chat/LineHistory.h"
#include "chat/MessageSplitter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// The messages that the chunks give, in order, with what the end of the link hands on.
std::vector<std::string> split(const std::vector<std::string> &chunks)
{
    chat::MessageSplitter splitter;
    std::vector<std::string> messages;
    const auto take = [&](std::string_view message) {
        messages.emplace_back(message);
    };
    for (const std::string &chunk : chunks)
        splitter.feed(chunk, take);
    splitter.finish(take);
    return messages;
}

TEST(MessageSplitterTest, CutsAtEveryZeroByteWhateverTheChunks)
{
    // Two messages in one chunk both count, and one split over chunks counts once.
    EXPECT_EQ(split({"SIGNAL\0hi\r\n\0"s}), (std::vector<std::string>{"SIGNAL", "hi\r\n"}));
    EXPECT_EQ(split({"SIG"s, "NAL\0h"s, "i\r"s, "\n\0"s}),
              (std::vector<std::string>{"SIGNAL", "hi\r\n"}));
    // An empty line and an empty message are messages too.
    EXPECT_EQ(split({"\r\n\0\0"s}), (std::vector<std::string>{"\r\n", ""}));
    // The peer's last bytes without their zero byte are still shown when the link ends.
    EXPECT_EQ(split({"bye"s}), (std::vector<std::string>{"bye"}));
}

TEST(MessageSplitterTest, BytesWithoutAZeroByteAreHandedOnInPiecesOfTheBound)
{
    constexpr std::size_t bound = chat::MessageSplitter::kMostPerMessage;
    // A whole chunk without a zero byte shows at once, and the zero byte that ends it next does
    // not add an empty line.
    chat::MessageSplitter splitter;
    std::vector<std::string> messages;
    const auto take = [&](std::string_view message) {
        messages.emplace_back(message);
    };
    splitter.feed(std::string(bound, 'x'), take);
    ASSERT_EQ(messages, std::vector<std::string>{std::string(bound, 'x')});
    splitter.feed("\0next\0"s, take);
    EXPECT_EQ(messages, (std::vector<std::string>{std::string(bound, 'x'), "next"}));

    // A longer message goes in pieces; the bytes stay in order.
    const auto pieces = split({std::string(bound - 1, 'a'), std::string(bound + 2, 'b') + '\0'});
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0], std::string(bound - 1, 'a') + 'b');
    EXPECT_EQ(pieces[1], std::string(bound, 'b'));
    EXPECT_EQ(pieces[2], "b");
}

TEST(LineHistoryTest, NewestOnTopAndOldestLinesDroppedAtTheBound)
{
    chat::LineHistory history;
    history.Prepend("one\r\n");
    history.Prepend("two\r\n");
    EXPECT_EQ(history.Text(), "two\r\none\r\n");

    const std::string line(1000, 'z');
    for (int i = 0; i < 100; ++i)
        history.Prepend(line + "\r\n");
    const std::string &text = history.Text();
    EXPECT_LE(text.size(), chat::LineHistory::kMostBytes);
    // Whole lines only: the newest stay, the text ends where a line ends.
    EXPECT_EQ(text.substr(0, line.size() + 2), line + "\r\n");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.size() % (line.size() + 2), 0u);
}

} // namespace
