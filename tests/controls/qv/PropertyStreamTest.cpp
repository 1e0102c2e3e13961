#include "controls/common/Colors.h"
#include "controls/common/PropertyExchange.h"
#include "controls/common/Units.h"
#include "platform/ole/Himetric.h"
#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "tests/support/PictureFiles.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

using qv::PropertyExchange;

// One value of every kind, in a fixed order.
struct Fields {
    qv::Bool flag;
    std::int16_t small = 0;
    std::int32_t large = 0;
    std::uint32_t color = 0;
    std::string text;
    std::shared_ptr<ole::StdPicture> picture;
    std::shared_ptr<ole::StdFont> font;

    void exchange(PropertyExchange &exchange)
    {
        exchange.exchange(flag);
        exchange.exchange(small);
        exchange.exchange(large);
        exchange.exchange(color);
        exchange.exchange(text);
        exchange.exchange(picture);
        exchange.exchange(font);
    }
};

std::vector<std::uint8_t> saved(Fields fields)
{
    std::vector<std::uint8_t> bytes;
    auto exchange = PropertyExchange::forSaving(bytes);
    fields.exchange(exchange);
    EXPECT_TRUE(exchange.ok());
    return bytes;
}

bool load(std::span<const std::uint8_t> bytes, Fields &fields)
{
    auto check = PropertyExchange::forChecking(bytes);
    Fields unchanged = fields;
    unchanged.exchange(check);
    if (!check.ok())
        return false;
    auto exchange = PropertyExchange::forLoading(bytes);
    fields.exchange(exchange);
    return exchange.ok();
}

Fields sample()
{
    Fields fields{qv::Bool(-1), -2, -70000, 0x80000005, "caf\xE9", nullptr, nullptr};
    fields.picture = ole::StdPicture::fromFile(imageFile(5, 3, 0xFF808000, "BMP"));
    fields.font = std::make_shared<ole::StdFont>();
    fields.font->putProperty(ole::StdFont::DISPID_NAME, std::string("Courier"));
    return fields;
}

TEST(PropertyExchangeTest, EveryValueKindRoundTrips)
{
    const Fields original = sample();
    const auto bytes = saved(original);
    EXPECT_EQ(bytes[0], 0xFF); // BOOL, true as held
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1, bytes.begin() + 3),
              (std::vector<std::uint8_t>{0xFE, 0xFF})); // short
    Fields loaded;
    ASSERT_TRUE(load(bytes, loaded));
    EXPECT_TRUE(loaded.flag);
    EXPECT_EQ(loaded.small, -2);
    EXPECT_EQ(loaded.large, -70000);
    EXPECT_EQ(loaded.color, 0x80000005u);
    EXPECT_EQ(loaded.text, "caf\xE9");
    ASSERT_TRUE(loaded.picture);
    EXPECT_EQ(loaded.picture->file(), original.picture->file());
    ASSERT_TRUE(loaded.font);
    EXPECT_EQ(*loaded.font, *original.font);

    // Any non-zero BOOL byte is true and is written back as it was read; absent objects are
    // written as the 0xFF flag alone.
    Fields none;
    auto plain = saved(none);
    ASSERT_EQ(plain.size(), 1u + 2 + 4 + 4 + 1 + 1 + 1);
    EXPECT_EQ(plain[plain.size() - 2], 0xFF);
    EXPECT_EQ(plain.back(), 0xFF);
    for (const std::uint8_t truth : {0x01, 0xFF, 0x02}) {
        plain[0] = truth;
        ASSERT_TRUE(load(plain, none));
        EXPECT_TRUE(none.flag);
        EXPECT_FALSE(none.picture);
        EXPECT_EQ(saved(none), plain);
    }
}

TEST(PropertyExchangeTest, StringsUseTheShortestOfTheThreeLengthForms)
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
        std::string text(length, 'a');
        if (length > 0)
            text.back() = 'z';
        std::vector<std::uint8_t> bytes;
        auto writer = PropertyExchange::forSaving(bytes);
        writer.exchange(text);
        ASSERT_EQ(bytes.size(), prefix.size() + length) << length;
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin())) << length;

        std::string read = "old";
        auto reader = PropertyExchange::forLoading(bytes);
        reader.exchange(read);
        ASSERT_TRUE(reader.ok()) << length;
        EXPECT_EQ(read, text) << length;

        // One byte short of the text: nothing is read.
        std::string untouched = "old";
        const auto shorter = std::span<const std::uint8_t>(bytes).first(bytes.size() - 1);
        auto cut = PropertyExchange::forChecking(shorter);
        cut.exchange(untouched);
        EXPECT_FALSE(cut.ok()) << length;
        EXPECT_EQ(untouched, "old") << length;
    }
}

TEST(PropertyExchangeTest, CutOrDamagedStreamsAssignNothing)
{
    const auto bytes = saved(sample());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        Fields fields;
        fields.text = "before";
        ASSERT_FALSE(load(std::span(bytes).first(cut), fields)) << cut;
        EXPECT_EQ(fields.text, "before") << cut;
        EXPECT_FALSE(fields.flag) << cut;
        EXPECT_FALSE(fields.font) << cut;
    }

    // An object flag other than 0x00 or 0xFF, an object of another class, and a picture file
    // that is neither a bitmap nor an icon all stop the load.
    const std::size_t pictureAt = 1 + 2 + 4 + 4 + 1 + 5;
    auto badFlag = bytes;
    badFlag[pictureAt] = 0x01;
    auto otherClass = bytes;
    otherClass[pictureAt + 1] ^= 0xFF;
    auto notAPicture = bytes;
    notAPicture[pictureAt + 1 + 16 + 8] = 'X';
    for (const auto *damaged : {&badFlag, &otherClass, &notAPicture}) {
        Fields fields;
        EXPECT_FALSE(load(*damaged, fields));
        EXPECT_FALSE(fields.flag);
    }
}

TEST(PropertyExchangeTest, MouseIconThatIsNoIconLoadsEmptyAndLoadingGoesOn)
{
    auto bitmap = ole::StdPicture::fromFile(imageFile(4, 4, 0xFF000000, "BMP"));
    auto icon = ole::StdPicture::fromFile(imageFile(16, 16, 0xFFFF0000, "ICO"));
    std::int16_t after = 77;
    for (auto *picture : {&bitmap, &icon}) {
        std::vector<std::uint8_t> bytes;
        auto writer = PropertyExchange::forSaving(bytes);
        writer.exchangeIcon(*picture);
        writer.exchange(after);

        std::shared_ptr<ole::StdPicture> loaded;
        std::int16_t next = 0;
        auto reader = PropertyExchange::forLoading(bytes);
        reader.exchangeIcon(loaded);
        reader.exchange(next);
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ(next, 77);
        if (picture == &icon) {
            ASSERT_TRUE(loaded);
            EXPECT_EQ(loaded->type(), ole::StdPicture::Type::Icon);
        } else {
            EXPECT_FALSE(loaded);
        }
    }
}

TEST(UnitsTest, TwipsAndHimetricToPixels)
{
    EXPECT_EQ(qv::twipsToPixels(705, 96), 47);
    EXPECT_EQ(qv::twipsToPixels(7, 96), 0);
    EXPECT_EQ(qv::twipsToPixels(8, 96), 1);
    EXPECT_EQ(qv::twipsToPixels(1440, 120), 120);
    // Beyond 1440 dpi the divisor stays 1 rather than dividing by zero.
    EXPECT_EQ(qv::twipsToPixels(100, 2880), 100);
    EXPECT_EQ(qv::XTwipsToPixels(705), 47); // the offscreen screen has 96 dpi
    EXPECT_EQ(qv::YTwipsToPixels(1440), 96);
    EXPECT_EQ(ole::PixelsToHimetric(96, 96), 2540);
    EXPECT_EQ(ole::PixelsToHimetric(1, 96), 26);
}

TEST(ColorsTest, SystemColoursComeFromThePaletteAndPlainOnesStay)
{
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(qv::toQColor(qv::translateColor(0x80000005)), palette.color(QPalette::Base));
    EXPECT_EQ(qv::toQColor(qv::translateColor(0x8000000F)), palette.color(QPalette::Button));
    EXPECT_EQ(qv::toQColor(qv::translateColor(0x80000012)), palette.color(QPalette::ButtonText));
    EXPECT_EQ(qv::translateColor(0x00336699), 0x00336699u);
    EXPECT_EQ(qv::toQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(qv::translateColor(0x80000063), 0u); // no such system colour

    const qv::COLORREF grey = qv::translateColor(qv::systemColor(qv::COLOR_GRAYTEXT));
    EXPECT_EQ(qv::disabledTextColor(grey ^ 0x010101), grey);
    EXPECT_EQ(qv::disabledTextColor(grey), 0x808080u);
}

} // namespace
