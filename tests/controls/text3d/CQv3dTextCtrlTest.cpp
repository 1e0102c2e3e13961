#include "controls/text3d/CQv3dTextCtrl.h"

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "tests/controls/panels/StreamBytes.h"
#include "tests/support/ControlProperties.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Text = qvgtxt::CQv3dTextCtrl;

constexpr QRgb kBorder = 0xFFFF0000;
constexpr QRgb kLight = 0xFFFFFFFF;
constexpr QRgb kShadow = 0xFF404040;
constexpr QRgb kFill = 0xFF0000FF; // FillColor 0x00FF0000, the chat boxes' blue

bool shows(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

class CQv3dTextCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
        m_control = create(m_site);
        m_box = m_control->createWindow(&m_host, QRect(0, 0, 120, 40));
        m_host.show();
        m_edit = m_box->findChild<QPlainTextEdit *>();
        ASSERT_TRUE(m_edit);
    }

    static std::shared_ptr<ole::Control> create(RecordingControlSite &site)
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(Text::kClsid, control), ole::S_OK);
        control->setClientSite(&site);
        EXPECT_EQ(control->initNew(), ole::S_OK);
        return control;
    }

    void set(ole::DispId id, const ole::Variant &value)
    {
        EXPECT_EQ(m_control->putProperty(id, value), ole::S_OK) << id;
    }
    ole::Variant get(ole::DispId id)
    {
        ole::Variant value;
        EXPECT_EQ(m_control->getProperty(id, value), ole::S_OK) << id;
        return value;
    }
    std::string text() { return std::get<std::string>(get(ole::DISPID_TEXT)); }
    // SelStart and SelLength.
    std::pair<std::int32_t, std::int32_t> selection()
    {
        return {std::get<std::int32_t>(get(Text::DISPID_SELSTART)),
                std::get<std::int32_t>(get(Text::DISPID_SELLENGTH))};
    }
    std::vector<std::uint8_t> saved()
    {
        std::vector<std::uint8_t> stream;
        EXPECT_EQ(m_control->save(stream), ole::S_OK);
        return stream;
    }
    std::size_t fired(ole::DispId event) const
    {
        return static_cast<std::size_t>(
            std::ranges::count(m_site.events, event, [](const auto &e) { return e.first; }));
    }
    // The box as it shows, over a colour of its own so that whatever stays unpainted shows.
    QImage render()
    {
        QImage image(m_box->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        m_box->render(&image);
        return image;
    }

    TempWindowsDirectory m_windows;
    RecordingControlSite m_site;
    QWidget m_host;
    std::shared_ptr<ole::Control> m_control;
    QWidget *m_box = nullptr;
    QPlainTextEdit *m_edit = nullptr;
};

TEST_F(CQv3dTextCtrlTest, TextIsKeptWithinTheLengthLimit)
{
    set(Text::DISPID_TEXTLENGTH, std::int32_t{10});
    set(ole::DISPID_TEXT, std::string("abcdefghijklmnopqrstuvwxy"));
    EXPECT_EQ(text(), "abcdefghij");

    // Typing at the limit inserts nothing, a paste what fits.
    set(Text::DISPID_TEXTLENGTH, std::int32_t{12});
    m_edit->moveCursor(QTextCursor::End);
    m_edit->insertPlainText(QStringLiteral("KLMN"));
    QTest::keyClicks(m_edit, QStringLiteral("O"));
    EXPECT_EQ(text(), "abcdefghijKL");

    // A line break counts two and is never cut in two.
    set(Text::DISPID_TEXTLENGTH, std::int32_t{2});
    set(ole::DISPID_TEXT, std::string("a\r\nb"));
    EXPECT_EQ(text(), "a");

    // Without a limit of its own a box holds no more than the highest one.
    set(Text::DISPID_TEXTLENGTH, std::int32_t{0});
    set(ole::DISPID_TEXT, std::string(70000, 'x'));
    EXPECT_EQ(text().size(), 0xFFFFu);
}

TEST_F(CQv3dTextCtrlTest, SelectionCountsLineBreaksAsTwoAndTextComesBackByteForByte)
{
    set(ole::DISPID_TEXT, std::string("ab\r\ncd"));
    set(Text::DISPID_SELSTART, std::int32_t{4});
    set(Text::DISPID_SELLENGTH, std::int32_t{2});
    EXPECT_EQ(get(Text::DISPID_SELTEXT), ole::Variant(std::string("cd")));
    EXPECT_EQ(m_edit->textCursor().selectedText(), QStringLiteral("cd"));

    // Beyond the end and one more, a start is ignored.
    set(Text::DISPID_SELSTART, std::int32_t{8});
    EXPECT_EQ(selection(), std::pair(4, 2));

    set(Text::DISPID_SELSTART, std::int32_t{1});
    set(Text::DISPID_SELLENGTH, std::int32_t{3});
    EXPECT_EQ(get(Text::DISPID_SELTEXT), ole::Variant(std::string("b\r\n")));
    // A CR or LF on its own, and what looks like markup, are kept as they are.
    set(Text::DISPID_SELTEXT, std::string("<b>X\rY\nZ</b>"));
    EXPECT_EQ(text(), "a<b>X\rY\nZ</b>cd");
    EXPECT_EQ(selection(), std::pair(13, 0));
    EXPECT_TRUE(m_edit->toPlainText().startsWith(QStringLiteral("a<b>X")));

    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    set(ole::DISPID_TEXT, everyByte);
    EXPECT_EQ(text(), everyByte);
}

TEST_F(CQv3dTextCtrlTest, KeysRaiseKeyPressFirstAndEnterIsDroppedInASingleLineBox)
{
    QTest::keyClick(m_edit, Qt::Key_Return);
    using Fired = std::pair<ole::DispId, std::vector<ole::Variant>>;
    const std::vector<Fired> enter = {{ole::DISPID_KEYDOWN, {std::int16_t{13}, std::int16_t{0}}},
                                      {Text::DISPID_KEYPRESS, {std::int16_t{13}}},
                                      {ole::DISPID_KEYUP, {std::int16_t{13}, std::int16_t{0}}}};
    EXPECT_EQ(m_site.events, enter);
    EXPECT_EQ(text(), "");

    set(Text::DISPID_MULTILINE, true);
    QTest::keyClick(m_edit, Qt::Key_Return);
    EXPECT_EQ(text(), "\r\n");

    // KeyPress may swallow a character or type another one.
    m_site.onEvent = [](ole::DispId event, std::span<ole::Variant> args) {
        if (event == Text::DISPID_KEYPRESS)
            args[0] =
                static_cast<std::int16_t>(args[0] == ole::Variant(std::int16_t{'x'}) ? 0 : 'B');
    };
    QTest::keyClicks(m_edit, QStringLiteral("xa"));
    EXPECT_EQ(text(), "\r\nB");

    // A click in the field is the box's, once, at its place in the box.
    set(Text::DISPID_BEVELSIZE, std::int16_t{2});
    m_site.events.clear();
    QTest::mouseClick(m_edit->viewport(), Qt::LeftButton, {}, QPoint(5, 6));
    const std::vector<ole::Variant> at = {std::int16_t{1}, std::int16_t{0}, std::int32_t{8},
                                          std::int32_t{9}};
    EXPECT_EQ(m_site.events, (std::vector<Fired>{{ole::DISPID_MOUSEDOWN, at},
                                                 {ole::DISPID_MOUSEUP, at},
                                                 {ole::DISPID_CLICK, {}}}));
}

TEST_F(CQv3dTextCtrlTest, ChangeOnlyWhenTheTextChanges)
{
    set(ole::DISPID_TEXT, std::string("abc"));
    set(ole::DISPID_TEXT, std::string("abc"));
    EXPECT_EQ(fired(Text::DISPID_CHANGE), 1u);
    m_edit->moveCursor(QTextCursor::End);
    QTest::keyClick(m_edit, Qt::Key_Left);
    QTest::keyClick(m_edit, Qt::Key_Right);
    EXPECT_EQ(fired(Text::DISPID_CHANGE), 1u);
    QTest::keyClicks(m_edit, QStringLiteral("d"));
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    EXPECT_EQ(fired(Text::DISPID_CHANGE), 3u);
    set(Text::DISPID_SELSTART, std::int32_t{0});
    set(Text::DISPID_SELLENGTH, std::int32_t{1});
    set(Text::DISPID_SELTEXT, std::string("a"));
    EXPECT_EQ(fired(Text::DISPID_CHANGE), 3u);

    // A box being designed is drawn, with the container's name for it while it is empty, and
    // raises no Change.
    RecordingControlSite designer;
    designer.userMode = false;
    const auto designed = create(designer);
    QWidget *box = designed->createWindow(&m_host, QRect(0, 0, 120, 40));
    EXPECT_FALSE(box->findChild<QPlainTextEdit *>());
    ASSERT_EQ(designed->putProperty(Text::DISPID_TEXTCOLOR, std::int32_t{0x0000FF}), ole::S_OK);
    EXPECT_TRUE(shows(box->grab().toImage(), 0xFFFF0000));
    designer.displayName.clear();
    EXPECT_FALSE(shows(box->grab().toImage(), 0xFFFF0000));
    ASSERT_EQ(designed->putProperty(ole::DISPID_TEXT, std::string("x")), ole::S_OK);
    EXPECT_TRUE(designer.events.empty());
}

TEST_F(CQv3dTextCtrlTest, FrameIsBevelSizeAndOneWideOnEverySide)
{
    const std::pair<ole::DispId, std::int32_t> colours[] = {{Text::DISPID_BORDERCOLOR, 0x0000FF},
                                                            {Text::DISPID_LIGHTCOLOR, 0xFFFFFF},
                                                            {Text::DISPID_SHADOWCOLOR, 0x404040},
                                                            {Text::DISPID_FILLCOLOR, 0xFF0000}};
    for (const auto &[id, colour] : colours)
        set(id, colour);
    EXPECT_EQ(get(ole::DISPID_BACKCOLOR), ole::Variant(std::int32_t{0xFF0000}));
    EXPECT_EQ(m_box->rect(), m_edit->geometry());

    set(Text::DISPID_BEVELSIZE, std::int16_t{3});
    set(Text::DISPID_BORDERSTYLE, std::int16_t{1});
    set(Text::DISPID_BEVELSTYLE, std::int16_t{1});
    EXPECT_EQ(m_box->rect().adjusted(4, 4, -4, -4), m_edit->geometry());
    const QImage image = render();
    const int middle = image.height() / 2;
    const std::vector<QRgb> fromLeft = {kBorder, kLight, kLight, kLight, kFill};
    const std::vector<QRgb> fromRight = {kBorder, kShadow, kShadow, kShadow, kFill};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(image.pixel(i, middle), fromLeft[i]) << i;
        EXPECT_EQ(image.pixel(image.width() - 1 - i, middle), fromRight[i]) << i;
    }

    // Without a border the bevel still has one pixel of fill inside it.
    set(Text::DISPID_BORDERSTYLE, std::int16_t{0});
    EXPECT_EQ(m_box->rect().adjusted(4, 4, -4, -4), m_edit->geometry());
    EXPECT_EQ(render().pixel(3, middle), kFill);
}

TEST_F(CQv3dTextCtrlTest, StyleChangesKeepTheTextTheSelectionAndTheRules)
{
    set(ole::DISPID_TEXT, std::string("one\r\ntwo three"));
    set(Text::DISPID_SELSTART, std::int32_t{5});
    set(Text::DISPID_SELLENGTH, std::int32_t{3});
    set(Text::DISPID_SCROLLBARS, std::int16_t{3});
    set(Text::DISPID_MULTILINE, true);
    set(Text::DISPID_ALIGNMENT, std::int16_t{2});
    set(Text::DISPID_READONLY, true);
    set(Text::DISPID_FONTBOLD, true);
    EXPECT_EQ(m_edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(m_edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(m_edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(m_edit->font().bold());
    EXPECT_EQ(text(), "one\r\ntwo three");
    set(Text::DISPID_SELSTART, std::int32_t{20});
    EXPECT_EQ(selection(), std::pair(5, 3));
    QTest::keyClicks(m_edit, QStringLiteral("x"));
    EXPECT_EQ(text(), "one\r\ntwo three");

    set(Text::DISPID_SCROLLBARS, std::int16_t{0});
    set(Text::DISPID_MULTILINE, false);
    EXPECT_EQ(m_edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(m_edit->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(m_box->findChildren<QPlainTextEdit *>().size(), 1);
}

TEST_F(CQv3dTextCtrlTest, HandWrittenStreamLoadsAndSavesBackByteForByte)
{
    StreamBytes stream;
    stream.stockPart(0x01)
        .shortValue(1)                 // Alignment
        .shortValue(3)                 // BevelSize
        .shortValue(3000)              // BevelStyle
        .longValue(0x00000000)         // BorderColor
        .shortValue(2)                 // BorderStyle
        .longValue(0x00FF0000)         // FillColor
        .longValue(0x80000014)         // LightColor
        .longValue(0x80000010)         // ShadowColor
        .longValue(0x0000FFFF)         // TextColor
        .byte(0xFF)                    // Multiline
        .shortValue(1)                 // ScrollBars
        .text("Hello\r\nworld")        // Text
        .longValue(100)                // TextLength
        .byte(0x01)                    // DataLength
        .byte(0xFF)                    // ReadOnly
        .byte(StreamBytes::kNoObject); // MouseIcon
    ASSERT_EQ(m_control->load(stream.bytes), ole::S_OK);
    EXPECT_EQ(text(), "Hello\r\nworld");
    EXPECT_EQ(m_edit->toPlainText(), QStringLiteral("Hello\nworld"));
    EXPECT_EQ(get(Text::DISPID_BEVELSTYLE), ole::Variant(std::int16_t{3000}));
    EXPECT_EQ(get(Text::DISPID_TEXTLENGTH), ole::Variant(std::int32_t{100}));
    EXPECT_TRUE(m_edit->isReadOnly());
    EXPECT_EQ(saved(), stream.bytes);

    // ReadOnly, the last field but the icon, after a four-byte TextLength.
    set(Text::DISPID_READONLY, false);
    auto expected = stream.bytes;
    expected[expected.size() - 2] = 0x00;
    EXPECT_EQ(saved(), expected);
}

TEST_F(CQv3dTextCtrlTest, RefusedValuesLeaveEveryPropertyAsItWas)
{
    set(ole::DISPID_TEXT, std::string("kept"));
    expectRefused(*m_control, {{Text::DISPID_ALIGNMENT, std::int16_t{3}},
                               {Text::DISPID_BEVELSIZE, std::int16_t{-1}},
                               {Text::DISPID_BEVELSTYLE, std::int16_t{3}},
                               {Text::DISPID_BEVELSTYLE, std::int16_t{2999}},
                               {Text::DISPID_BORDERSTYLE, std::int16_t{3}},
                               {Text::DISPID_SCROLLBARS, std::int16_t{4}},
                               {Text::DISPID_SCROLLBARS, std::int16_t{-1}},
                               {Text::DISPID_TEXTLENGTH, std::int32_t{0x10000}},
                               {Text::DISPID_TEXTLENGTH, std::int32_t{-1}},
                               {Text::DISPID_MOUSEPOINTER, std::int16_t{16}}});
}

// With TARVIL_SHEET_DIR set, draws the box into qvgtxt.png there, to look at: a row for each
// border style (0-2) and bevel style (0-2); columns single-line, multi-line with scroll bars,
// disabled, read-only, being designed. The last row is the chat window's boxes.
TEST_F(CQv3dTextCtrlTest, Sheet)
{
    const QString folder = qEnvironmentVariable("TARVIL_SHEET_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    const QSize cell(150, 60);
    const QSize step = cell + QSize(8, 8);
    QImage sheet(5 * step.width() + 8, 10 * step.height() + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter painter(&sheet);
    RecordingControlSite designer;
    designer.userMode = false;
    for (int row = 0; row < 10; ++row) {
        for (int column = 0; column < 5; ++column) {
            const auto box = create(column == 4 ? designer : m_site);
            const auto put = [&box](ole::DispId id, const ole::Variant &value) {
                EXPECT_EQ(box->putProperty(id, value), ole::S_OK) << id;
            };
            put(Text::DISPID_BEVELSIZE, std::int16_t{2});
            if (row < 9) {
                put(Text::DISPID_BORDERSTYLE, static_cast<std::int16_t>(row / 3));
                put(Text::DISPID_BEVELSTYLE, static_cast<std::int16_t>(row % 3));
            } else {
                put(Text::DISPID_FILLCOLOR, std::int32_t{0xFF0000});
                put(Text::DISPID_TEXTCOLOR, std::int32_t{0x00FFFF});
                put(Text::DISPID_FONTNAME, std::string("Times New Roman"));
                put(Text::DISPID_FONTSIZE, 12.0f);
                put(Text::DISPID_FONTBOLD, true);
            }
            const bool multiline = column == 1 || column == 3 || row == 9;
            put(Text::DISPID_MULTILINE, multiline);
            put(Text::DISPID_SCROLLBARS, static_cast<std::int16_t>(multiline ? 1 : 0));
            put(ole::DISPID_ENABLED, column != 2);
            put(Text::DISPID_READONLY, column == 3);
            const std::string caption =
                row < 9 ? "Border " + std::to_string(row / 3) + ", bevel " + std::to_string(row % 3)
                        : std::string("Chat box");
            put(ole::DISPID_TEXT, multiline ? caption + "\r\nsecond line\r\nthird line"
                                            : std::string("Single line of text"));
            QWidget *window = box->createWindow(&m_host, QRect(QPoint(0, 0), cell));
            painter.drawPixmap(8 + column * step.width(), 8 + row * step.height(), window->grab());
        }
    }
    painter.end();
    ASSERT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("qvgtxt.png"))));
}

} // namespace
