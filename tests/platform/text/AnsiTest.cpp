#include "platform/text/Ansi.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiTest, EveryByteRoundTrips)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const QString unicode = text::fromAnsi(all);
    ASSERT_EQ(unicode.size(), 256);
    EXPECT_EQ(text::toAnsi(unicode), all);
}

TEST(AnsiTest, MapsWindows1252Characters)
{
    EXPECT_EQ(text::fromAnsi("\x80\x9f\xe9\x81"), QStringView(u"\u20AC\u0178\u00E9\u0081"));
    EXPECT_EQ(text::toAnsi(u"\u20AC \u2122 \u00FF"), "\x80 \x99 \xff");
}

TEST(AnsiTest, UnmappableCharactersBecomeOneQuestionMarkEach)
{
    // U+0080 has no byte (0x80 is the euro sign); a lone surrogate is no character.
    EXPECT_EQ(text::toAnsi(u"a\u4E2D\u0080b"), "a??b");
    EXPECT_EQ(text::toAnsi(u"<\U0001F600>"), "<?>");
    EXPECT_EQ(text::toAnsi(QStringView(u"\xD83D!")), "?!");
}

} // namespace
