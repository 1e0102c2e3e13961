#include "tools/templategen/TemplateGenerator.h"

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/Himetric.h"
#include "platform/ole/StdPicture.h"
#include "platform/ole/StreamReader.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DialogUnits.h"
#include "tests/controls/qv/CQvTestCtrl.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using qvtest::CQvTestCtrl;

const std::filesystem::path kResources = TARVIL_SOURCE_DIR "/resources";

// A dialog whose first control is a test control at [10, 9, 67, 18] with `first`'s keys, then
// `more` controls.
QByteArray dialogWith(const char *first, const char *more = "")
{
    QByteArray data = QByteArray(R"({"id": 7, "rect": [0, 0, 120, 60],
        "font": {"name": "MS Sans Serif", "pointSize": 8},
        "controls": [{"id": 10, "clsid": "CLSID", "rect": [10, 9, 67, 18], )") +
                      first + "}" + more + "]}";
    return data.replace("CLSID", QByteArray::fromStdString(CQvTestCtrl::kClsid.toString()));
}

class TemplateGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR), ole::S_OK);
    }

    TempWindowsDirectory m_windows;
};

ole::Variant get(ole::Control &control, std::string_view name)
{
    ole::Variant value;
    EXPECT_EQ(control.getProperty(control.idOfName(name), value), ole::S_OK) << name;
    return value;
}

TEST_F(TemplateGeneratorTest, PropertyListsBecomeStreamsTheControlLoads)
{
    const QByteArray source = dialogWith(
        R"("properties": {"Caption": "Power", "Flag": true, "Count": 42, "Number": -7,
                          "BackColor": 2147483653, "TextColor": "0x8000000F",
                          "Note": "caf\u00e9", "FontSize": 9.75, "Picture": "bitmaps/play.bmp"})",
        R"(, {"id": 11, "clsid": "CLSID", "rect": [0, 0, 9, 9], "stream": "AB CD"},
            {"id": 12, "clsid": "CLSID", "rect": [0, 0, 9, 9], "properties": "a description"},
            {"id": 13, "class": "BUTTON", "rect": [0, 0, 9, 9], "text": "OK"})");
    std::string error;
    const auto generated = templategen::generateTemplate(source, kResources, error);
    ASSERT_TRUE(generated) << error;
    const auto dialog = ui::DialogTemplate::parse(*generated, &error);
    ASSERT_TRUE(dialog) << error;
    ASSERT_EQ(dialog->controls.size(), 4u);

    // A literal stream, a description and a standard control pass as they were.
    EXPECT_EQ(dialog->controls[1].stream, (std::vector<std::uint8_t>{0xAB, 0xCD}));
    EXPECT_TRUE(dialog->controls[2].stream.empty());
    EXPECT_EQ(dialog->controls[3].windowClass, "BUTTON");
    EXPECT_EQ(dialog->controls[3].text, "OK");

    const std::vector<std::uint8_t> &stream = dialog->controls[0].stream;
    std::shared_ptr<ole::Control> control;
    ASSERT_EQ(ole::ComponentLoader::createInstance(CQvTestCtrl::kClsid, control), ole::S_OK);
    ASSERT_EQ(control->load(stream), ole::S_OK);
    EXPECT_EQ(get(*control, "Caption"), ole::Variant(std::string("Power")));
    EXPECT_EQ(get(*control, "Flag"), ole::Variant(true));
    EXPECT_EQ(get(*control, "Count"), ole::Variant(std::int16_t{42}));
    EXPECT_EQ(get(*control, "Number"), ole::Variant(std::int32_t{-7}));
    EXPECT_EQ(get(*control, "BackColor"), ole::Variant(static_cast<std::int32_t>(0x80000005)));
    EXPECT_EQ(get(*control, "TextColor"), ole::Variant(static_cast<std::int32_t>(0x8000000F)));
    EXPECT_EQ(get(*control, "Note"), ole::Variant(std::string("caf\xE9")));
    EXPECT_EQ(get(*control, "FontSize"), ole::Variant(9.75f));
    const auto picture = std::dynamic_pointer_cast<ole::StdPicture>(
        std::get<ole::DispatchPtr>(get(*control, "Picture")));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), ole::StdPicture::Type::Bitmap);
    QFile file(kResources / "bitmaps/play.bmp");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(picture->file(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));

    // The extent is the control's size in the dialog, in HIMETRIC at 96 dpi.
    const QRect pixels = ui::DialogUnits(ui::DialogUnits::dialogFont("MS Sans Serif", 8))
                             .toPixels(QRect(10, 9, 67, 18));
    ole::StreamReader reader(stream);
    std::uint32_t version = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    ASSERT_TRUE(reader.readU32(version) && reader.readI32(width) && reader.readI32(height));
    EXPECT_EQ(width, ole::PixelsToHimetric(pixels.width(), 96));
    EXPECT_EQ(height, ole::PixelsToHimetric(pixels.height(), 96));
}

TEST_F(TemplateGeneratorTest, AFaultNamesTheControlAndTheProperty)
{
    const struct {
        const char *control;
        std::vector<const char *> mentions;
    } cases[] = {
        {R"("properties": {"Caption": "x", "Colour": 1})", {"\"Colour\"", "no such property"}},
        {R"("properties": {"Count": 500})", {"\"Count\"", "refuses"}},
        {R"("properties": {"Number": 4294967296})", {"\"Number\"", "32 bits"}},
        {R"("properties": {"Note": null})", {"\"Note\""}},
        {R"("properties": {"Picture": "bitmaps/none.bmp"})", {"\"Picture\"", "none.bmp"}},
        {R"("properties": {"Picture": "../CMakeLists.bmp"})", {"\"Picture\"", "not inside"}},
        {R"("properties": {"Caption": "x"}, "stream": "00")", {"both"}},
    };
    for (const auto &fault : cases) {
        std::string error;
        EXPECT_FALSE(templategen::generateTemplate(dialogWith(fault.control), kResources, error))
            << fault.control;
        EXPECT_NE(error.find("dialog 7, control 10"), std::string::npos) << error;
        for (const char *mention : fault.mentions)
            EXPECT_NE(error.find(mention), std::string::npos) << error;
    }
}

} // namespace
