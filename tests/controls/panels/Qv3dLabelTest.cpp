#include "controls/label3d/CQv3dLabelCtrl.h"
#include "platform/ole/StdPicture.h"
#include "tests/controls/panels/PanelControlTest.h"
#include "tests/controls/panels/StreamBytes.h"
#include "tests/support/PictureFiles.h"

#include <QCoreApplication>

namespace {

using Label = qv3dlbl::CQv3dLabelCtrl;

class Qv3dLabelTest : public PanelControlTest {
protected:
    Qv3dLabelTest()
        : PanelControlTest({Label::kClsid, Label::DISPID_CAPTION, Label::DISPID_FORMATSTRING,
                            Label::DISPID_PICTURE, Label::DISPID_AUTOSIZE, Label::DISPID_BEVELSIZE,
                            Label::DISPID_BEVELSTYLE, Label::DISPID_BORDERSTYLE})
    {}
};

TEST_F(Qv3dLabelTest, ChiseledBevelKeepsTheTextSevenPixelsInAtTheTopLeftAndTenAtTheBottomRight)
{
    const auto label = create();
    // Text too large for the label fills its rectangle to the edges.
    put(*label, {{Label::DISPID_CAPTION, std::string(12, 'W')},
                 {Label::DISPID_BEVELSTYLE, std::int16_t{2}},
                 {Label::DISPID_BEVELSIZE, std::int16_t{3}},
                 {Label::DISPID_BORDERSTYLE, std::int16_t{1}},
                 {Label::DISPID_ALIGNMENT, std::int16_t{2}},
                 {Label::DISPID_TEXTCOLOR, kRed},
                 {Label::DISPID_FONTSIZE, 72.0f}});
    const QImage image = render(*label, QSize(120, 50));
    EXPECT_EQ(redExtent(image), QRect(QPoint(7, 7), QPoint(120 - 11, 50 - 11)));
}

TEST_F(Qv3dLabelTest, AutoSizeFitsThePictureInPixelsWithinThreePixels)
{
    // A picture stated at the screen's 96 dpi and one stated at 72 dpi.
    for (const int dotsPerMeter : {3780, 2835}) {
        const auto label = create();
        QWidget *window = autoSized(*label, dotsPerMeter);
        ASSERT_TRUE(window) << dotsPerMeter;

        // Three pixels off is near enough.
        render(*label, QSize(47, 31));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), QSize(47, 31));
    }
}

TEST_F(Qv3dLabelTest, RefusedValuesLeaveEveryPropertyAsItWas)
{
    const auto label = create();
    put(*label, {{Label::DISPID_FONTESCAPEMENT, std::int16_t{900}}});
    expectRefused(*label, {{Label::DISPID_ALIGNMENT, std::int16_t{3}},
                           {Label::DISPID_BEVELSIZE, std::int16_t{-1}},
                           {Label::DISPID_BEVELSTYLE, std::int16_t{5}},
                           {Label::DISPID_BORDERSTYLE, std::int16_t{3}},
                           {Label::DISPID_FONTSTYLE, std::int16_t{5}},
                           {Label::DISPID_WALLPAPER, std::int16_t{-1}},
                           {Label::DISPID_BEVELSTYLEINSIDE, std::int16_t{3}},
                           {Label::DISPID_BEVELSTYLEINNER, std::int16_t{3}},
                           {Label::DISPID_BEVELSIZEINSIDE, std::int16_t{-1}},
                           {Label::DISPID_BEVELSIZEINNER, std::int16_t{-1}},
                           {Label::DISPID_FONTESCAPEMENT, std::int16_t{-1}},
                           {Label::DISPID_FONTORIENTATION, std::int16_t{-1}},
                           {Label::DISPID_FONTORIENTATION, std::int16_t{3601}},
                           {Label::DISPID_VALIGNMENT, std::int16_t{3}},
                           {Label::DISPID_MOUSEPOINTER, std::int16_t{16}},
                           {Label::DISPID_PICTURE, ole::DispatchPtr(ole::StdPicture::fromFile(
                                                       imageFile(16, 16, 0xFF000000, "ICO")))}});

    // More than a full turn is ignored without an error.
    EXPECT_EQ(label->putProperty(Label::DISPID_FONTESCAPEMENT, std::int16_t{3601}), ole::S_OK);
    EXPECT_EQ(get(*label, Label::DISPID_FONTESCAPEMENT), ole::Variant(std::int16_t{900}));

    // The inner bevel answers to both of its names and is told under the older one; a text
    // colour change is told as a change of everything.
    m_site.changed.clear();
    put(*label, {{Label::DISPID_BEVELSIZEINNER, std::int16_t{3}},
                 {Label::DISPID_BEVELSTYLEINNER, std::int16_t{1}},
                 {Label::DISPID_TEXTCOLOR, kRed}});
    EXPECT_EQ(get(*label, Label::DISPID_BEVELSIZEINSIDE), ole::Variant(std::int16_t{3}));
    EXPECT_EQ(get(*label, Label::DISPID_BEVELSTYLEINSIDE), ole::Variant(std::int16_t{1}));
    EXPECT_EQ(m_site.changed,
              (std::vector<ole::DispId>{Label::DISPID_BEVELSIZEINSIDE,
                                        Label::DISPID_BEVELSTYLEINSIDE, ole::DISPID_UNKNOWN}));
}

TEST_F(Qv3dLabelTest, HandWrittenStreamLoadsAndSavesBackByteForByte)
{
    StreamBytes stream;
    stream.stockPart(0x01)
        .text("Heading")               // Caption
        .shortValue(2)                 // Alignment
        .byte(0xFF)                    // AutoSize
        .shortValue(3)                 // BevelSize
        .shortValue(2)                 // BevelStyle
        .longValue(0x80000006)         // BorderColor
        .shortValue(1)                 // BorderStyle
        .longValue(0x00C0C0C0)         // FillColor
        .shortValue(4)                 // FontStyle
        .byte(0x01)                    // FontTransparent
        .longValue(0x00FFFFFF)         // LightColor
        .longValue(0x00808080)         // ShadowColor
        .longValue(0x000000FF)         // TextColor
        .shortValue(2)                 // WallPaper
        .byte(StreamBytes::kNoObject)  // Picture
        .shortValue(1)                 // BevelStyleInside
        .shortValue(2)                 // BevelSizeInside
        .byte(0x00)                    // Multiline
        .shortValue(900)               // FontEscapement
        .shortValue(450)               // FontOrientation
        .shortValue(0)                 // VAlignment
        .byte(0xFF)                    // NoPrefix
        .text("")                      // FormatString
        .byte(0x01)                    // GlobalMem
        .shortValue(2)                 // MousePointer
        .byte(StreamBytes::kNoObject); // MouseIcon
    const auto label = create();
    ASSERT_EQ(label->load(stream.bytes), ole::S_OK);
    EXPECT_EQ(get(*label, Label::DISPID_CAPTION), ole::Variant(std::string("Heading")));
    EXPECT_EQ(get(*label, Label::DISPID_AUTOSIZE), ole::Variant(true));
    EXPECT_EQ(get(*label, Label::DISPID_BEVELSIZEINNER), ole::Variant(std::int16_t{2}));
    // Reading the picture that is not there gives an empty one and does not keep it.
    const auto picture = std::get<ole::DispatchPtr>(get(*label, Label::DISPID_PICTURE));
    EXPECT_EQ(std::dynamic_pointer_cast<ole::StdPicture>(picture)->type(),
              ole::StdPicture::Type::None);
    EXPECT_EQ(saved(*label), stream.bytes);
}

TEST_F(Qv3dLabelTest, CaptionIsFormattedByTheContainer)
{
    const auto label = create();
    checkFormattedCaption(*label);
}

TEST_F(Qv3dLabelTest, ScreenshotSheet)
{
    writeSheet(QStringLiteral("qv3dlbl"));
}

} // namespace
