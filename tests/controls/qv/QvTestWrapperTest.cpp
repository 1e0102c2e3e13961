// The whole road from the program to a display control: a typed wrapper drives the test control
// created by class identifier from its own library, through the real loader and container.
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/StdPicture.h"
#include "platform/ui/ControlContainer.h"
#include "tests/controls/qv/CQvTestCtrl.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempWindowsDirectory.h"
#include "wrappers/CControlWrapper.h"

#include <QRect>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using qvtest::CQvTestCtrl;

#define QVTEST_PROPERTIES(X)                                                                       \
    X(Flag, CQvTestCtrl::DISPID_FLAG, bool)                                                        \
    X(Count, CQvTestCtrl::DISPID_COUNT, std::int16_t)                                              \
    X(Number, CQvTestCtrl::DISPID_NUMBER, std::int32_t)                                            \
    X(TextColor, CQvTestCtrl::DISPID_TEXTCOLOR, std::int32_t)                                      \
    X(Note, CQvTestCtrl::DISPID_NOTE, std::string)                                                 \
    X(Picture, CQvTestCtrl::DISPID_PICTURE, CPicture)                                              \
    X(FontSize, CQvTestCtrl::DISPID_FONTSIZE, float)                                               \
    X(FontBold, CQvTestCtrl::DISPID_FONTBOLD, bool)                                                \
    X(Font, ole::DISPID_FONT, COleFont)                                                            \
    X(Enabled, ole::DISPID_ENABLED, bool)                                                          \
    X(Caption, ole::DISPID_CAPTION, std::string)

class CQvTest : public CControlWrapper {
public:
    CQvTest() : CControlWrapper(CQvTestCtrl::kClsid) {}
    QVTEST_PROPERTIES(TARVIL_DISPATCH_PROPERTY)
};

class QvTestWrapperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR), ole::S_OK);
        ASSERT_TRUE(wrapper.Create("Test1", {"WS_VISIBLE"}, QRect(0, 0, 120, 40), container, 7));
    }

    TempWindowsDirectory windir;
    QWidget window;
    ui::ControlContainer container{&window};
    CQvTest wrapper;
};

TEST_F(QvTestWrapperTest, ReadsAndWritesEveryPropertyType)
{
    wrapper.SetFlag(true);
    EXPECT_TRUE(wrapper.GetFlag());
    wrapper.SetCount(42);
    EXPECT_EQ(wrapper.GetCount(), 42);
    wrapper.SetNumber(-70000);
    EXPECT_EQ(wrapper.GetNumber(), -70000);
    wrapper.SetTextColor(0x00112233);
    EXPECT_EQ(wrapper.GetTextColor(), 0x00112233);
    wrapper.SetNote("caf\xe9 & <b>");
    EXPECT_EQ(wrapper.GetNote(), "caf\xe9 & <b>");
    wrapper.SetCaption("&Go");
    EXPECT_EQ(wrapper.GetCaption(), "&Go");
    wrapper.SetEnabled(false);
    EXPECT_FALSE(wrapper.GetEnabled());

    wrapper.SetFontSize(12.0f);
    EXPECT_FLOAT_EQ(wrapper.GetFontSize(), 12.0f);
    wrapper.SetFontBold(true);
    COleFont font = wrapper.GetFont();
    ASSERT_TRUE(font.IsBound());
    EXPECT_TRUE(font.GetBold());
    EXPECT_EQ(font.GetSize().value, 120000);
    font.SetName("Courier New");
    EXPECT_EQ(wrapper.GetFont().GetName(), "Courier New");

    const std::vector<std::uint8_t> bitmap = imageFile(4, 3, qRgb(255, 0, 0), "BMP");
    wrapper.SetPicture(ole::StdPicture::fromFile(bitmap));
    ASSERT_EQ(wrapper.LastResult(), ole::S_OK);
    CPicture picture = wrapper.GetPicture();
    EXPECT_EQ(picture.GetType(), static_cast<std::int16_t>(ole::StdPicture::Type::Bitmap));
    EXPECT_GT(picture.GetWidth(), 0);
}

TEST_F(QvTestWrapperTest, RefusedValueIsReportedAndLeavesThePropertyAlone)
{
    wrapper.SetCount(7);
    wrapper.SetCount(500);
    EXPECT_EQ(wrapper.LastResult(), ole::DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(wrapper.LastException().scode), 0x800A017Cu);
    EXPECT_EQ(wrapper.GetCount(), 7);
    EXPECT_EQ(wrapper.LastResult(), ole::S_OK);
}

} // namespace
