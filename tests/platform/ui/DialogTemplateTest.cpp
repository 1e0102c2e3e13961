#include "platform/ui/DialogTemplate.h"

#include "platform/ui/DialogUnits.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

using ui::DialogTemplate;

// A dialog with one standard and one hosted control; `control` replaces the hosted one.
QByteArray dialogWith(const char *control)
{
    return QByteArray(R"({ "id": 7, "caption": "Caf\u00e9 \u20ac", "rect": [0, 0, 100, 50],
        "font": { "name": "MS Sans Serif", "pointSize": 8 }, "styles": ["WS_CAPTION"],
        "controls": [
          { "id": 10, "class": "EDIT", "rect": [1, 2, 30, 12], "styles": ["ES_MULTILINE"],
            "text": "\u00e9t\u00e9", "note": "unknown keys are ignored" },
          )") +
           control + "]}";
}

TEST(DialogTemplate, ReadsTheDialogAndItsControls)
{
    std::string error;
    const auto parsed = DialogTemplate::parse(
        dialogWith(R"({ "id": 11, "clsid": "{94737E71-55A9-45C7-8B33-BDB06CC4430A}",
                        "rect": [10, 56, 54, 16], "properties": "Caption=&Page",
                        "stream": "00 0a\n FF\t26" })"),
        &error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->id, 7);
    EXPECT_EQ(parsed->caption, "Caf\xE9 \x80"); // Windows-1252
    EXPECT_EQ(parsed->rect, QRect(0, 0, 100, 50));
    EXPECT_EQ(parsed->fontName, "MS Sans Serif");
    EXPECT_EQ(parsed->fontPointSize, 8);
    ASSERT_EQ(parsed->controls.size(), 2u);

    const auto &edit = parsed->controls[0];
    EXPECT_EQ(edit.windowClass, "EDIT");
    EXPECT_FALSE(edit.clsid);
    EXPECT_EQ(edit.styles, std::vector<std::string>{"ES_MULTILINE"});
    EXPECT_EQ(edit.text, "\xE9t\xE9");

    const auto &hosted = parsed->controls[1];
    EXPECT_TRUE(hosted.windowClass.empty());
    ASSERT_TRUE(hosted.clsid);
    EXPECT_EQ(hosted.clsid->data1, 0x94737E71u);
    EXPECT_EQ(hosted.rect, QRect(10, 56, 54, 16));
    EXPECT_EQ(hosted.stream, (std::vector<std::uint8_t>{0x00, 0x0A, 0xFF, 0x26}));
}

TEST(DialogTemplate, MalformedDataIsRefusedWithThePlaceNamed)
{
    const struct {
        QByteArray data;
        const char *mentions;
    } cases[] = {
        {dialogWith(R"({ "id": 11, "clsid": "{94737E71-55A9-45C7-8B33-BDB06CC4430A}",
                         "rect": [0, 0, 1, 1], "stream": "00 0G" })"),
         "control 11: \"stream\""},
        {dialogWith(R"({ "id": 12, "clsid": "{94737E71-55A9-45C7-8B33-BDB06CC4430A}",
                         "rect": [0, 0, 1, 1], "stream": "00 0" })"),
         "control 12: \"stream\""},
        {dialogWith(R"({ "id": 13, "class": "EDIT" })"), "control 13: \"rect\""},
        {dialogWith(R"({ "id": 14, "class": "EDIT", "rect": [0, 0, 1] })"), "control 14: \"rect\""},
        {dialogWith(R"({ "id": 15, "class": "EDIT", "rect": [0, 0, 1, 1.5] })"),
         "control 15: \"rect\""},
        {dialogWith(R"({ "id": 16, "clsid": "{94737E71-55A9}", "rect": [0, 0, 1, 1] })"),
         "control 16: \"clsid\""},
        {dialogWith(R"({ "id": 17, "rect": [0, 0, 1, 1] })"), "control 17: \"class\""},
        {dialogWith(R"({ "id": 10, "class": "EDIT", "rect": [0, 0, 1, 1] })"),
         "control 10: id used twice"},
        {dialogWith(R"({ "class": "EDIT", "rect": [0, 0, 1, 1] })"), "control #2: \"id\""},
        {dialogWith(R"("EDIT")"), "control #2: not an object"},
        {R"({ "id": 3, "rect": [0, 0, 1, 1] })", "dialog 3: \"font\""},
        {R"({ "id": 3, "font": { "name": "X", "pointSize": 8 }, "rect": [0, 0, 1, 1],
              "controls": {} })",
         "dialog 3: \"controls\""},
        {"[1, 2]", "dialog template"},
        {"{ \"id\": 1,", "dialog template"},
        {QByteArray(), "dialog template"},
    };
    for (const auto &bad : cases) {
        std::string error;
        EXPECT_FALSE(DialogTemplate::parse(bad.data, &error)) << bad.data.constData();
        EXPECT_NE(error.find(bad.mentions), std::string::npos) << error;
    }
}

TEST(DialogTemplate, LoadingAMissingTemplateFails)
{
    std::string error;
    EXPECT_FALSE(DialogTemplate::load(99999, &error));
    EXPECT_NE(error.find("dialog 99999"), std::string::npos) << error;
}

TEST(MulDiv, RoundsHalvesAwayFromZeroAndReportsImpossibleResults)
{
    EXPECT_EQ(ui::MulDiv(5, 3, 2), 8);
    EXPECT_EQ(ui::MulDiv(-5, 3, 2), -8);
    EXPECT_EQ(ui::MulDiv(3, 3, -2), -5);
    EXPECT_EQ(ui::MulDiv(7, 1, 4), 2);
    EXPECT_EQ(ui::MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(ui::MulDiv(7, 1, 0), -1);
    EXPECT_EQ(ui::MulDiv(INT_MAX, 2, 1), -1);
}

} // namespace
