#include "controls/frame3d/CQv3dfrmCtrl.h"
#include "platform/ole/StdPicture.h"
#include "tests/controls/panels/PanelControlTest.h"
#include "tests/controls/panels/StreamBytes.h"
#include "tests/support/PictureFiles.h"

#include <QCoreApplication>
#include <QLabel>

namespace {

using Frame = qv3dfrm::CQv3dfrmCtrl;

class Qv3dfrmTest : public PanelControlTest {
protected:
    Qv3dfrmTest()
        : PanelControlTest({Frame::kClsid, Frame::DISPID_CAPTION, Frame::DISPID_FORMATSTRING,
                            Frame::DISPID_PICTURE, Frame::DISPID_AUTOSIZE, Frame::DISPID_BEVELSIZE,
                            Frame::DISPID_BEVELSTYLE, Frame::DISPID_BORDERSTYLE})
    {}

    // The top row of the frame's red caption under bevel style `style`.
    int captionTop(std::int16_t style)
    {
        const auto frame = create();
        put(*frame, {{Frame::DISPID_CAPTION, std::string("Frame")},
                     {Frame::DISPID_BEVELSTYLE, style},
                     {Frame::DISPID_BEVELSIZE, std::int16_t{3}},
                     {Frame::DISPID_TEXTCOLOR, kRed}});
        return redExtent(render(*frame, QSize(120, 60))).top();
    }
};

TEST_F(Qv3dfrmTest, BevelShadowedLeftDropsTheCaptionEightPixelsBelowTheBevel)
{
    // A lowered bevel has the caption one pixel below it, a bevel shadowed to the left eight.
    EXPECT_EQ(captionTop(4) - captionTop(0), 8 - 1);
}

TEST_F(Qv3dfrmTest, AutoSizeResizesOnceToThePictureInPixels)
{
    for (const int dotsPerMeter : {3780, 2835}) {
        const auto frame = create();
        put(*frame, {{Frame::DISPID_CAPTION, std::string()}});
        QWidget *window = autoSized(*frame, dotsPerMeter);
        ASSERT_TRUE(window) << dotsPerMeter;

        // At its size the frame draws its picture every time and asks for no other size.
        for (int paint = 0; paint < 2; ++paint)
            EXPECT_EQ(render(*frame, QSize(44, 34)).pixel(22, 17), kPictureColor) << paint;
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), QSize(44, 34));
    }
}

TEST_F(Qv3dfrmTest, RefusedValuesLeaveEveryPropertyAsItWas)
{
    const auto frame = create();
    expectRefused(*frame, {{Frame::DISPID_ALIGNMENT, std::int16_t{3}},
                           {Frame::DISPID_BEVELSIZE, std::int16_t{-1}},
                           {Frame::DISPID_BEVELSTYLE, std::int16_t{5}},
                           {Frame::DISPID_BORDERSTYLE, std::int16_t{-1}},
                           {Frame::DISPID_FONTSTYLE, std::int16_t{5}},
                           {Frame::DISPID_WALLPAPER, std::int16_t{3}},
                           {Frame::DISPID_MOUSEPOINTER, std::int16_t{-1}},
                           {Frame::DISPID_PICTURE, ole::DispatchPtr(ole::StdPicture::fromFile(
                                                       imageFile(16, 16, 0xFF000000, "ICO")))}});
}

TEST_F(Qv3dfrmTest, HandWrittenStreamLoadsAndSavesBackByteForByte)
{
    StreamBytes stream;
    stream.stockPart(0xFF)
        .shortValue(1)                 // Alignment
        .byte(0x01)                    // AutoSize
        .shortValue(2)                 // BevelSize
        .shortValue(4)                 // BevelStyle
        .longValue(0x00000000)         // BorderColor
        .shortValue(2)                 // BorderStyle
        .longValue(0x00C0C0C0)         // FillColor
        .shortValue(3)                 // FontStyle
        .byte(0xFF)                    // FontTransparent
        .longValue(0x80000014)         // LightColor
        .longValue(0x80000010)         // ShadowColor
        .longValue(0x80000012)         // TextColor
        .shortValue(1)                 // WallPaper
        .byte(0x00)                    // NoPrefix
        .text("@")                     // FormatString
        .shortValue(0)                 // MousePointer
        .text("Options")               // Caption
        .byte(StreamBytes::kNoObject)  // MouseIcon
        .byte(StreamBytes::kNoObject); // Picture
    const auto frame = create();
    ASSERT_EQ(frame->load(stream.bytes), ole::S_OK);
    EXPECT_EQ(get(*frame, Frame::DISPID_CAPTION), ole::Variant(std::string("Options")));
    EXPECT_EQ(get(*frame, Frame::DISPID_FORMATSTRING), ole::Variant(std::string("@")));
    EXPECT_EQ(get(*frame, Frame::DISPID_FONTTRANSPARENT), ole::Variant(true));
    EXPECT_EQ(get(*frame, Frame::DISPID_BEVELSTYLE), ole::Variant(std::int16_t{4}));
    get(*frame, Frame::DISPID_PICTURE); // reading changes nothing
    EXPECT_EQ(saved(*frame), stream.bytes);

    // Alignment, the first field after the stock part, takes two bytes like every enumeration.
    constexpr std::size_t kAlignmentAt = 4 + 8 + 4 + 4 + 4 + 1 + 1;
    put(*frame, {{Frame::DISPID_ALIGNMENT, std::int16_t{2}}});
    auto expected = stream.bytes;
    expected[kAlignmentAt] = 2;
    EXPECT_EQ(saved(*frame), expected);
}

TEST_F(Qv3dfrmTest, ChildWindowsTakeTheFillAndTextColours)
{
    const auto frame = create();
    QWidget *window = frame->createWindow(&m_host, QRect(0, 0, 100, 60));
    auto *child = new QLabel(QStringLiteral("child"), window);
    const auto expectColours = [child](QColor back, QColor text) {
        const QPalette palette = child->palette();
        for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            EXPECT_EQ(palette.color(role), back) << role;
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            EXPECT_EQ(palette.color(role), text) << role;
    };
    put(*frame, {{Frame::DISPID_FILLCOLOR, std::int32_t{0x00336699}},
                 {Frame::DISPID_TEXTCOLOR, std::int32_t{0x0000FF00}}});
    expectColours(QColor(0x99, 0x66, 0x33), QColor(0, 0xFF, 0));
    // The stock colours are not the frame's answer to its children.
    put(*frame, {{ole::DISPID_BACKCOLOR, std::int32_t{0x000000FF}},
                 {ole::DISPID_FORECOLOR, std::int32_t{0x00FF0000}}});
    expectColours(QColor(0x99, 0x66, 0x33), QColor(0, 0xFF, 0));
}

TEST_F(Qv3dfrmTest, ScreenshotSheet)
{
    writeSheet(QStringLiteral("qv3dfrm"));
}

} // namespace
