#include "controls/qvrun32/Qvrun32.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <set>

using namespace qvrun32;

namespace {

constexpr COLORREF kLight = 0xF0F0F0;
constexpr COLORREF kShadow = 0x404040;
constexpr COLORREF kFill = 0x008000;
constexpr COLORREF kBorder = 0xFF0000;
const QColor kUntouched(255, 0, 255);
const QRect kBounds(5, 4, 50, 40);

struct Frame {
    int borderStyle = BorderNone;
    int borderWidth = 0;
    int bevelStyle = BevelRaised;
    int bevelSize = 2;
    bool pressed = false;
    bool fillInterior = true;
    int innerStyle = BevelLowered;
    int innerSize = 0;
};

// Draws `frame` into kBounds of an image of 60 × 50 logical pixels at `ratio`; returns the
// interior.
QRect draw(QImage &image, const Frame &frame, qreal ratio = 1)
{
    image = QImage(qRound(60 * ratio), qRound(50 * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kUntouched);
    QPainter dc(&image);
    QRect rect = kBounds;
    DrawBevelFrame(nullptr, dc, frame.bevelSize, frame.borderWidth, frame.borderStyle,
                   frame.bevelStyle, frame.pressed, frame.fillInterior, kShadow, kLight, kFill,
                   kBorder, 0, false, 1, 0, frame.innerStyle, frame.innerSize, rect);
    return rect;
}

// The colour at a logical position.
QColor at(const QImage &image, int x, int y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(qRound(x * ratio), qRound(y * ratio));
}

} // namespace

TEST(BevelFrame, InteriorAndEdgesForEveryBorderAndBevel)
{
    for (int borderStyle : {BorderNone, BorderSingle, BorderRounded})
        for (int bevelStyle = 0; bevelStyle <= 4; ++bevelStyle)
            for (int size : {0, 1, 3})
                for (int width : {0, 1, 2}) {
                    SCOPED_TRACE(testing::Message()
                                 << "border " << borderStyle << " width " << width << " bevel "
                                 << bevelStyle << " size " << size);
                    QImage image;
                    const QRect interior = draw(image, {borderStyle, width, bevelStyle, size});
                    // Any border style draws the width it is given; a focused borderless
                    // button relies on that.
                    const int b = width;
                    const QMargins bevel = bevelStyle == BevelShadowedRight  ? QMargins(0, 0, 1, 1)
                                           : bevelStyle == BevelShadowedLeft ? QMargins(1, 1, 0, 0)
                                                                             : QMargins(1, 1, 1, 1);
                    EXPECT_EQ(interior, kBounds - QMargins(b, b, b, b) - bevel * size);

                    EXPECT_EQ(at(image, interior.left(), interior.top()), toQColor(kFill));
                    EXPECT_EQ(at(image, interior.right(), interior.bottom()), toQColor(kFill));
                    EXPECT_EQ(at(image, kBounds.left() - 1, 20), kUntouched);
                    EXPECT_EQ(at(image, kBounds.right() + 1, 20), kUntouched);
                    const QColor leftEdge = b                           ? toQColor(kBorder)
                                            : bevel.left() * size == 0  ? toQColor(kFill)
                                            : bevelStyle == BevelRaised ? toQColor(kLight)
                                                                        : toQColor(kShadow);
                    EXPECT_EQ(at(image, kBounds.left(), 20), leftEdge);
                    if (bevelStyle <= BevelChiseled && size > 0) {
                        // Outermost band (a groove starts lowered): top-left owns its corner,
                        // bottom-right the others.
                        const QColor topLeft =
                            toQColor(bevelStyle == BevelRaised ? kLight : kShadow);
                        const QColor bottomRight =
                            toQColor(bevelStyle == BevelRaised ? kShadow : kLight);
                        EXPECT_EQ(at(image, kBounds.left() + b, kBounds.top() + b), topLeft);
                        EXPECT_EQ(at(image, kBounds.right() - b, kBounds.top() + b), bottomRight);
                        EXPECT_EQ(at(image, kBounds.right() - b, kBounds.bottom() - b),
                                  bottomRight);
                    }
                }
}

TEST(BevelFrame, PressedSwapsLightAndShadowButLoweredStaysLowered)
{
    QImage image;
    draw(image, {.bevelStyle = BevelRaised, .pressed = true});
    EXPECT_EQ(at(image, 5, 4), toQColor(kShadow));
    EXPECT_EQ(at(image, 54, 43), toQColor(kLight));
    draw(image, {.bevelStyle = BevelLowered, .pressed = true});
    EXPECT_EQ(at(image, 5, 4), toQColor(kShadow));
    EXPECT_EQ(at(image, 54, 43), toQColor(kLight));
    // A chiseled groove: inset outside, raised inside.
    draw(image, {.bevelStyle = BevelChiseled, .bevelSize = 4});
    EXPECT_EQ(at(image, 5, 4), toQColor(kShadow));
    EXPECT_EQ(at(image, 8, 7), toQColor(kLight));
}

TEST(BevelFrame, ShadowedStylesCastAnOffsetShadow)
{
    QImage image;
    draw(image, {.bevelStyle = BevelShadowedRight, .bevelSize = 3});
    EXPECT_EQ(at(image, 53, 5), toQColor(kFill)); // the corner the offset leaves
    EXPECT_EQ(at(image, 53, 8), toQColor(kShadow));
    EXPECT_EQ(at(image, 10, 42), toQColor(kShadow));
    draw(image, {.bevelStyle = BevelShadowedLeft, .bevelSize = 3});
    EXPECT_EQ(at(image, 5, 4), toQColor(kShadow));
    EXPECT_EQ(at(image, 5, 42), toQColor(kFill));
}

TEST(BevelFrame, InnerBevelSitsInsideTheOuterOne)
{
    QImage image;
    const QRect interior = draw(image, {.borderStyle = BorderSingle,
                                        .borderWidth = 1,
                                        .innerStyle = BevelLowered,
                                        .innerSize = 3});
    EXPECT_EQ(interior, kBounds - QMargins(6, 6, 6, 6));
    EXPECT_EQ(at(image, 8, 7), toQColor(kShadow)); // the inner bevel's lowered top-left
    EXPECT_EQ(at(image, 51, 40), toQColor(kLight));
}

TEST(BevelFrame, InteriorLeftAloneWhenAPictureCoversIt)
{
    QImage image;
    const QRect interior = draw(image, {.fillInterior = false});
    EXPECT_EQ(at(image, interior.center().x(), interior.center().y()), kUntouched);
    EXPECT_EQ(at(image, interior.left(), interior.top()), kUntouched);
    EXPECT_EQ(at(image, interior.left() - 1, interior.top()), toQColor(kLight));
}

TEST(BevelFrame, OversizedOrUnknownValuesStayInsideTheRectangle)
{
    QImage image;
    QRect interior = draw(image, {.borderStyle = BorderSingle, .borderWidth = 40, .bevelSize = 90});
    EXPECT_TRUE(interior.isEmpty());
    EXPECT_TRUE(kBounds.adjusted(0, 0, 1, 1).contains(interior.topLeft())); // may end on the edge
    EXPECT_EQ(at(image, 4, 3), kUntouched);
    EXPECT_EQ(at(image, 55, 44), kUntouched);

    interior = draw(image, {.bevelStyle = 3000, .bevelSize = 4, .innerSize = -2});
    EXPECT_EQ(interior, kBounds);
    EXPECT_EQ(at(image, 5, 4), toQColor(kFill));
}

// At 2x and 1.5x every pixel is one of the frame's colours: no blends along the bevels and no
// gap between the layers. Only a rounded border's outer corners are smoothed.
TEST(BevelFrame, CrispAtHigherDevicePixelRatios)
{
    const std::set<QRgb> palette{toQColor(kLight).rgb(), toQColor(kShadow).rgb(),
                                 toQColor(kFill).rgb(), toQColor(kBorder).rgb(), kUntouched.rgb()};
    for (qreal ratio : {2.0, 1.5})
        for (int borderStyle : {BorderSingle, BorderRounded})
            for (int bevelStyle = 0; bevelStyle <= 4; ++bevelStyle) {
                SCOPED_TRACE(testing::Message() << "ratio " << ratio << " border " << borderStyle
                                                << " bevel " << bevelStyle);
                const Frame frame{borderStyle, 1, bevelStyle, 3, false, true, BevelChiseled, 2};
                QImage image;
                QImage reference;
                EXPECT_EQ(draw(image, frame, ratio), draw(reference, frame));
                const QRect device(qRound(5 * ratio), qRound(4 * ratio), qRound(50 * ratio),
                                   qRound(40 * ratio));
                const int corner = borderStyle == BorderRounded ? qCeil(5 * ratio) : 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const bool inCorner =
                            (x < device.left() + corner || x > device.right() - corner) &&
                            (y < device.top() + corner || y > device.bottom() - corner);
                        if (inCorner)
                            continue;
                        const QRgb pixel = image.pixel(x, y);
                        ASSERT_TRUE(palette.count(pixel)) << x << "," << y;
                        ASSERT_EQ(device.contains(x, y), pixel != kUntouched.rgb())
                            << x << "," << y;
                    }
                // Bands are one device pixel wide, so the mitre at the top-right corner steps
                // by one device pixel: the bevel spans device columns 12..107 from row 10.
                if (ratio == 2.0 && bevelStyle == BevelRaised) {
                    EXPECT_EQ(image.pixelColor(106, 10), toQColor(kLight));
                    EXPECT_EQ(image.pixelColor(107, 10), toQColor(kShadow));
                    EXPECT_EQ(image.pixelColor(106, 11), toQColor(kShadow));
                }
            }
}
