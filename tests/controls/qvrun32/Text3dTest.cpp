#include "controls/qvrun32/Qvrun32.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qvrun32;

namespace {

constexpr COLORREF kText = 0x0000FF;
constexpr COLORREF kLight = 0x00FFFF;
constexpr COLORREF kShadow = 0x008000;
const QColor kBackground(0, 0, 128);
const QRect kRect(10, 10, 100, 60);

QFont crispFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias); // whole pixels, so that colours compare exactly
    return font;
}

// Draws `text` on a fresh 120 × 80 image; `escapement` draws through DrawLabelText.
QImage render(const std::string &text, unsigned format, int fontStyle = None, int escapement = 0,
              QRect rect = kRect)
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter dc(&image);
    dc.setFont(crispFont());
    if (escapement)
        DrawLabelText(dc, text, -1, rect, format, fontStyle, kText, kLight, kShadow, escapement);
    else
        DrawText3d(dc, text, -1, rect, format, fontStyle, kText, kLight, kShadow);
    return image;
}

QRect inkOf(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kBackground)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

struct Copy {
    QPoint offset;
    COLORREF colour;
};

// The look of each style: copies of the plain glyphs in painting order, the text last.
QImage composed(const QImage &plain, const std::vector<Copy> &copies)
{
    QImage image(plain.size(), QImage::Format_RGB32);
    image.fill(kBackground);
    for (const Copy &copy : copies)
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                const QPoint to = QPoint(x, y) + copy.offset;
                if (plain.pixelColor(x, y) != kBackground && image.rect().contains(to))
                    image.setPixelColor(to, toQColor(copy.colour));
            }
    return image;
}

} // namespace

TEST(Text3d, StylesLayLightAndShadowCopiesUnderTheText)
{
    const unsigned format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    const QImage plain = render("Hg", format);
    ASSERT_FALSE(inkOf(plain).isEmpty());
    const std::vector<std::pair<int, std::vector<Copy>>> looks{
        {Raised, {{{-1, -1}, kLight}, {{1, 1}, kShadow}, {{0, 0}, kText}}},
        {RaisedShading, {{{-1, -1}, kLight}, {{2, 2}, kShadow}, {{1, 1}, kShadow}, {{}, kText}}},
        {Lowered, {{{-1, -1}, kShadow}, {{1, 1}, kLight}, {{0, 0}, kText}}},
        {LoweredShading, {{{-1, -1}, kShadow}, {{2, 2}, kLight}, {{1, 1}, kLight}, {{}, kText}}},
    };
    for (const auto &[style, copies] : looks)
        EXPECT_EQ(render("Hg", format, style), composed(plain, copies)) << "style " << style;
}

TEST(Text3d, OpaqueBackgroundDoesNotWipeTheCopies)
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter dc(&image);
    dc.setFont(crispFont());
    dc.setBackgroundMode(Qt::OpaqueMode);
    dc.setBackground(Qt::white);
    QRect rect = kRect;
    DrawText3d(dc, "H", -1, rect, DT_SINGLELINE, Raised, kText, kLight, kShadow);
    dc.end();
    const QRect ink = inkOf(render("H", DT_SINGLELINE));
    EXPECT_EQ(image.pixelColor(ink.topLeft() - QPoint(1, 1)), toQColor(kLight));
    EXPECT_EQ(image.pixelColor(ink.bottomRight() + QPoint(1, 1)), toQColor(kShadow));
    EXPECT_EQ(image.pixelColor(ink.topLeft()), toQColor(kText));
}

TEST(Text3d, CalcRectMeasuresWithoutDrawing)
{
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter dc(&image);
    dc.setFont(crispFont());
    const auto measure = [&](std::string_view text, unsigned format) {
        QRect rect(7, 9, 0, 0);
        const int height = DrawText3d(dc, text, -1, rect, format | DT_CALCRECT | DT_SINGLELINE,
                                      Raised, kText, kLight, kShadow);
        EXPECT_EQ(rect.topLeft(), QPoint(7, 9));
        EXPECT_EQ(height, rect.height());
        return rect;
    };
    EXPECT_NEAR(measure("W", 0).height(), QFontMetrics(crispFont()).height(), 1);
    // "&&" is one ampersand, "&x" one x; without prefixes both are shown as written.
    EXPECT_EQ(measure("&&", 0).width(), measure("&", DT_NOPREFIX).width());
    EXPECT_EQ(measure("&x", 0).width(), measure("x", DT_NOPREFIX).width());
    EXPECT_GT(measure("&x", DT_NOPREFIX).width(), measure("x", DT_NOPREFIX).width());
    dc.end();
    EXPECT_EQ(inkOf(image), QRect());
}

TEST(Text3d, LengthStopsAtTheTerminatorOrTheCount)
{
    const std::string buffer("Hg\0junk", 7);
    EXPECT_EQ(render(buffer, DT_SINGLELINE), render("Hg", DT_SINGLELINE));
    QImage counted(120, 80, QImage::Format_RGB32);
    counted.fill(kBackground);
    QPainter dc(&counted);
    dc.setFont(crispFont());
    QRect rect = kRect;
    DrawText3d(dc, "Hg", 1, rect, DT_SINGLELINE, None, kText, kLight, kShadow);
    DrawText3d(dc, "Hg", 99, rect, DT_SINGLELINE | DT_NOCLIP, None, kText, kLight, kShadow);
    dc.end();
    EXPECT_EQ(counted, render("Hg", DT_SINGLELINE));
}

TEST(Text3d, MnemonicUnderlinesUnlessNoPrefix)
{
    const QImage mnemonic = render("&x", DT_SINGLELINE);
    const QImage plain = render("x", DT_NOPREFIX | DT_SINGLELINE);
    EXPECT_GT(inkOf(mnemonic).bottom(), inkOf(plain).bottom()); // the underline
    EXPECT_EQ(render("&&", DT_SINGLELINE), render("&", DT_SINGLELINE | DT_NOPREFIX));
}

TEST(Text3d, AlignsAndClipsToTheRectangle)
{
    const QRect ink = inkOf(render("H", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM));
    EXPECT_GE(ink.right(), kRect.right() - 4);
    EXPECT_LE(ink.right(), kRect.right());
    EXPECT_GE(ink.bottom(), kRect.bottom() - 12); // below the baseline: the descent
    EXPECT_GT(ink.top(), inkOf(render("H", DT_SINGLELINE | DT_RIGHT)).top() + 10);

    const QRect small(40, 30, 20, 20);
    EXPECT_TRUE(small.contains(inkOf(render("WWW", DT_SINGLELINE, Raised, 0, small))));
    EXPECT_FALSE(small.contains(inkOf(render("WWW", DT_SINGLELINE | DT_NOCLIP, Raised, 0, small))));
}

TEST(Text3d, EscapementTurnsTheTextCounterClockwise)
{
    const QRect upright = inkOf(render("I..", DT_SINGLELINE | DT_CENTER | DT_VCENTER));
    EXPECT_GT(upright.width(), upright.height());
    const QRect rect(10, 5, 100, 75);
    const QImage turned = render("I..", DT_SINGLELINE | DT_CENTER | DT_VCENTER, None, 900, rect);
    const QRect ink = inkOf(turned);
    EXPECT_GT(ink.height(), ink.width());
    EXPECT_TRUE(rect.contains(ink));
    // Counter-clockwise: the text reads upwards, so its first letter, the I, lies along the
    // bottom as a horizontal bar.
    const auto inkInRow = [&](int y) {
        int count = 0;
        for (int x = ink.left(); x <= ink.right(); ++x)
            count += turned.pixelColor(x, y) != kBackground;
        return count;
    };
    EXPECT_GT(inkInRow(ink.bottom() - 2), inkInRow(ink.top() + 2));
}
