#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "platform/ole/StreamReader.h"
#include "platform/ole/StreamWriter.h"
#include "tests/support/PictureFiles.h"

#include <gtest/gtest.h>

namespace {

using ole::StdFont;
using ole::StdPicture;

std::vector<std::uint8_t> persisted(const StdFont &font)
{
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter writer(bytes);
    font.save(writer);
    return bytes;
}

TEST(StdFontTest, PersistedFormHasTheFixedLayoutAndReadsBackEqual)
{
    StdFont font;
    ASSERT_EQ(font.putProperty(StdFont::DISPID_NAME, std::string("Arial")), ole::S_OK);
    ASSERT_EQ(font.putProperty(StdFont::DISPID_SIZE, ole::Currency{125000}), ole::S_OK);
    ASSERT_EQ(font.putProperty(StdFont::DISPID_BOLD, true), ole::S_OK);
    ASSERT_EQ(font.putProperty(StdFont::DISPID_ITALIC, true), ole::S_OK);
    ASSERT_EQ(font.putProperty(StdFont::DISPID_STRIKETHROUGH, true), ole::S_OK);
    ASSERT_EQ(font.putProperty(StdFont::DISPID_CHARSET, std::int16_t{2}), ole::S_OK);

    const std::vector<std::uint8_t> expected = {1,    0x02, 0x00, 0x0A, 0xBC, 0x02, 0x48, 0xE8,
                                                0x01, 0x00, 5,    'A',  'r',  'i',  'a',  'l'};
    const auto bytes = persisted(font);
    EXPECT_EQ(bytes, expected);

    ole::StreamReader reader(bytes);
    const auto loaded = StdFont::load(reader);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, font);
    EXPECT_EQ(reader.remaining(), 0u);
    EXPECT_EQ(loaded->weight(), 700);
    EXPECT_FALSE(loaded->underline());
}

TEST(StdFontTest, DamagedFormsReadNothing)
{
    auto bytes = persisted(StdFont());
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        const auto part = std::span<const std::uint8_t>(bytes).first(cut);
        ole::StreamReader reader(part);
        EXPECT_FALSE(StdFont::load(reader)) << cut;
        EXPECT_EQ(reader.position(), 0u);
    }
    bytes[0] = 2; // unknown version
    ole::StreamReader reader(bytes);
    EXPECT_FALSE(StdFont::load(reader));
}

TEST(StdFontTest, BoldFollowsTheWeightAndEveryPutIsReported)
{
    StdFont font;
    std::vector<ole::DispId> changes;
    font.setChangeHandler([&changes](ole::DispId id) { changes.push_back(id); });
    ASSERT_EQ(font.putProperty(StdFont::DISPID_WEIGHT, std::int16_t{600}), ole::S_OK);
    EXPECT_TRUE(font.bold());
    ASSERT_EQ(font.putProperty(StdFont::DISPID_BOLD, false), ole::S_OK);
    EXPECT_EQ(font.weight(), 400);
    ASSERT_EQ(font.putProperty(StdFont::DISPID_BOLD, true), ole::S_OK);
    EXPECT_EQ(font.weight(), 700);
    EXPECT_EQ(changes, (std::vector<ole::DispId>{StdFont::DISPID_WEIGHT, StdFont::DISPID_BOLD,
                                                 StdFont::DISPID_BOLD}));

    // Values the persisted form cannot hold are refused and change nothing.
    EXPECT_EQ(font.putProperty(StdFont::DISPID_SIZE, ole::Currency{0}), ole::E_INVALIDARG);
    EXPECT_EQ(font.putProperty(StdFont::DISPID_SIZE, ole::Currency{0x100000000}),
              ole::E_INVALIDARG);
    EXPECT_EQ(font.putProperty(StdFont::DISPID_NAME, std::string(256, 'x')), ole::E_INVALIDARG);
    EXPECT_EQ(font.putProperty(StdFont::DISPID_WEIGHT, std::int16_t{1001}), ole::E_INVALIDARG);
    EXPECT_EQ(changes.size(), 3u);
    EXPECT_EQ(font.size(), ole::Currency{80000});

    EXPECT_EQ(font.idOfName("STRIKETHROUGH"), StdFont::DISPID_STRIKETHROUGH);
    const auto copy = font.clone();
    ASSERT_EQ(copy->putProperty(StdFont::DISPID_ITALIC, true), ole::S_OK);
    EXPECT_EQ(changes.size(), 3u); // the copy has no handler
    EXPECT_FALSE(font.italic());
}

TEST(StdPictureTest, BitmapsAndIconsDecodeWithTheirHimetricSize)
{
    const auto bitmap = StdPicture::fromFile(imageFile(48, 24, 0xFF0000FF, "BMP"));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->type(), StdPicture::Type::Bitmap);
    EXPECT_EQ(bitmap->image().size(), QSize(48, 24));
    // Qt writes 96 dpi into the file's header: 1 pixel = 2540/96 HIMETRIC.
    EXPECT_EQ(bitmap->widthHimetric(), 1270);
    EXPECT_EQ(bitmap->heightHimetric(), 635);

    const auto icon = StdPicture::fromFile(imageFile(32, 32, 0xFF00FF00, "ICO"));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->type(), StdPicture::Type::Icon);
    EXPECT_EQ(icon->widthHimetric(), 847);
    EXPECT_EQ(icon->image().pixel(5, 5), 0xFF00FF00);

    ole::Variant type;
    ASSERT_EQ(icon->getProperty(StdPicture::DISPID_TYPE, type), ole::S_OK);
    EXPECT_EQ(type, ole::Variant(std::int16_t{3}));
    // A loaded picture is true-colour: it has no palette.
    ole::Variant palette;
    ASSERT_EQ(bitmap->getProperty(bitmap->idOfName("hPal"), palette), ole::S_OK);
    EXPECT_EQ(palette, ole::Variant(std::int32_t{0}));

    EXPECT_FALSE(StdPicture::fromFile(imageFile(8, 8, 0xFF000000, "PNG")));
    const std::vector<std::uint8_t> cutIcon = {0, 0, 1, 0, 2, 0, 32, 32, 0, 0};
    EXPECT_FALSE(StdPicture::fromFile(cutIcon));
    const std::vector<std::uint8_t> headerOnly = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(StdPicture::fromFile(headerOnly));
}

TEST(StdPictureTest, PersistedFormKeepsTheFileAndChecksItsLength)
{
    const auto file = imageFile(4, 4, 0xFF123456, "BMP");
    const auto picture = StdPicture::fromFile(file);
    ASSERT_TRUE(picture);
    std::vector<std::uint8_t> bytes;
    ole::StreamWriter writer(bytes);
    ASSERT_TRUE(picture->save(writer));
    ASSERT_EQ(bytes.size(), 8 + file.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{'l', 't', 0, 0}));

    ole::StreamReader reader(bytes);
    std::shared_ptr<StdPicture> loaded;
    ASSERT_TRUE(StdPicture::load(reader, loaded));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->file(), file);
    EXPECT_EQ(loaded->image(), picture->image());

    // A length that claims more than the stream holds reads nothing.
    std::vector<std::uint8_t> huge = {'l', 't', 0, 0, 0xF0, 0xFF, 0xFF, 0xFF, 'B', 'M'};
    ole::StreamReader hugeReader(huge);
    EXPECT_FALSE(StdPicture::load(hugeReader, loaded));
    EXPECT_EQ(hugeReader.position(), 0u);

    // A well-framed file that is no picture is consumed and gives no picture.
    std::vector<std::uint8_t> text = {'l', 't', 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0x7F};
    ole::StreamReader textReader(text);
    ASSERT_TRUE(StdPicture::load(textReader, loaded));
    EXPECT_FALSE(loaded);
    EXPECT_EQ(textReader.remaining(), 1u);

    std::vector<std::uint8_t> empty = {'l', 't', 0, 0, 0, 0, 0, 0};
    ole::StreamReader emptyReader(empty);
    ASSERT_TRUE(StdPicture::load(emptyReader, loaded));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->type(), StdPicture::Type::None);
}

} // namespace
