#include "controls/qvrun32/Qvrun32.h"
#include "platform/ole/StdPicture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>

using namespace qvrun32;

namespace {

constexpr COLORREF kBackground = 0x808000;
const QColor kUntouched(255, 0, 255);
const QRect kRect(10, 10, 20, 12);

// A 4 × 2 picture, every pixel its own colour, saved as a file of `format` and decoded again.
std::shared_ptr<ole::StdPicture> pictureFile(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return ole::StdPicture::fromFile(
        {reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())});
}

QImage sample()
{
    QImage image(4, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixelColor(x, y, QColor(40 * x + 20, 100 * y + 20, 200));
    return image;
}

QImage render(const CQVPictureHolder &source, int wallpaper)
{
    CQVPictureHolder holder;
    holder.SetPicture(source.Picture());
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(kUntouched);
    QPainter dc(&image);
    holder.Render(dc, kRect, wallpaper, kBackground);
    return image;
}

} // namespace

TEST(Himetric, ConvertsAtTheScreensResolutionWithRounding)
{
    EXPECT_EQ(XHimetricToPixels(2540), 96); // the offscreen screen has 96 dpi
    EXPECT_EQ(YHimetricToPixels(2540), 96);
    EXPECT_EQ(XHimetricToPixels(1270), 48);
    EXPECT_EQ(XHimetricToPixels(13), 0); // 0.49 px
    EXPECT_EQ(XHimetricToPixels(14), 1); // 0.53 px
    EXPECT_EQ(XHimetricToPixels(-14), -1);
    EXPECT_EQ(XHimetricToPixels(LONG_MAX), INT_MAX); // sizes from files cannot overflow
    EXPECT_EQ(YHimetricToPixels(LONG_MIN), INT_MIN);
}

TEST(PictureHolder, WallpaperModesAndBackground)
{
    const QImage source = sample();
    CQVPictureHolder holder;
    holder.SetPicture(pictureFile(source, "BMP"));
    ASSERT_FALSE(holder.IsEmpty());

    // Stretched: 4 × 2 pixels over 20 × 12, each source pixel a 5 × 6 block.
    QImage image = render(holder, WallpaperStretch);
    EXPECT_EQ(image.pixelColor(10, 10), source.pixelColor(0, 0));
    EXPECT_EQ(image.pixelColor(29, 21), source.pixelColor(3, 1));
    EXPECT_EQ(image.pixelColor(15, 16), source.pixelColor(1, 1));
    EXPECT_EQ(image.pixelColor(30, 21), kUntouched);

    // Natural size from the top-left, the background around it.
    image = render(holder, WallpaperNatural);
    EXPECT_EQ(image.pixelColor(10, 10), source.pixelColor(0, 0));
    EXPECT_EQ(image.pixelColor(13, 11), source.pixelColor(3, 1));
    EXPECT_EQ(image.pixelColor(14, 10), toQColor(kBackground));
    EXPECT_EQ(image.pixelColor(10, 12), toQColor(kBackground));
    EXPECT_EQ(image.pixelColor(29, 21), toQColor(kBackground));

    // Tiled from the top-left, cut at the rectangle's edge.
    image = render(holder, WallpaperTile);
    for (int y = kRect.top(); y <= kRect.bottom(); ++y)
        for (int x = kRect.left(); x <= kRect.right(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), source.pixelColor((x - 10) % 4, (y - 10) % 2))
                << x << "," << y;
    EXPECT_EQ(image.pixelColor(30, 10), kUntouched);
    EXPECT_EQ(image.pixelColor(10, 22), kUntouched);
}

TEST(PictureHolder, EmptyHolderFillsOnlyTheBackground)
{
    CQVPictureHolder empty;
    EXPECT_TRUE(empty.IsEmpty());
    const QImage image = render(empty, WallpaperStretch);
    EXPECT_EQ(image.pixelColor(10, 10), toQColor(kBackground));
    EXPECT_EQ(image.pixelColor(29, 21), toQColor(kBackground));
    EXPECT_EQ(image.pixelColor(9, 10), kUntouched);

    CQVPictureHolder none;
    none.SetPicture(std::make_shared<ole::StdPicture>());
    EXPECT_TRUE(none.IsEmpty());
}

TEST(PictureHolder, IconKeepsItsTransparency)
{
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixelColor(0, 0, Qt::red);
    CQVPictureHolder holder;
    holder.SetPicture(pictureFile(icon, "ICO"));
    ASSERT_FALSE(holder.IsEmpty());
    ASSERT_EQ(holder.Picture()->type(), ole::StdPicture::Type::Icon);
    const QImage image = render(holder, WallpaperNatural);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(11, 11), toQColor(kBackground));
}
