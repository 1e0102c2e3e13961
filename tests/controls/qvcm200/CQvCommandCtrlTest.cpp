#include "controls/qvcm200/CQvCommandCtrl.h"

#include "controls/qvcm200/Qvcm200TypeLib.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/Registry.h"
#include "platform/ole/StdPicture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using qvcm200::CQvCommandCtrl;

constexpr std::uint32_t kInvalidPropertyValue = 0x800A017C;
constexpr QRgb kBorder = 0xFFFF0000;
constexpr QRgb kLight = 0xFFFFFFFF;
constexpr QRgb kShadow = 0xFF404040;

// Records, with each Click, the Value the button shows while its handler runs.
class ButtonSite : public RecordingControlSite {
public:
    void fireEvent(ole::DispId event, std::span<ole::Variant> args) override
    {
        RecordingControlSite::fireEvent(event, args);
        ole::Variant value;
        if (event == ole::DISPID_CLICK && control &&
            ole::succeeded(control->getProperty(qvcm200::DISPID_VALUE, value)))
            valueInClick.push_back(std::get<bool>(value));
    }
    bool sawEvent(ole::DispId id, const ole::Variant &first) const
    {
        return std::ranges::any_of(events, [&](const auto &event) {
            return event.first == id && !event.second.empty() && event.second[0] == first;
        });
    }

    ole::Control *control = nullptr;
    std::vector<bool> valueInClick;
};

// A persisted stream, written field by field.
class StreamBytes {
public:
    StreamBytes &byte(std::uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    StreamBytes &i16(std::int16_t value) { return little(static_cast<std::uint16_t>(value), 2); }
    StreamBytes &u32(std::uint32_t value) { return little(value, 4); }
    StreamBytes &text(const std::string &value)
    {
        byte(static_cast<std::uint8_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
        return *this;
    }

    std::vector<std::uint8_t> bytes;

private:
    StreamBytes &little(std::uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i)
            byte(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }
};

class CQvCommandCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
        ASSERT_TRUE(ole::Registry::findClass(CQvCommandCtrl::kClsid));
        m_host.resize(300, 120);
    }

    // A new button with a window; without a caption unless given one.
    std::shared_ptr<ole::Control> create(const std::string &caption = {},
                                         const QRect &geometry = QRect(10, 10, 80, 30))
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(CQvCommandCtrl::kClsid, control), ole::S_OK);
        if (!control)
            return control;
        m_site.displayName = caption;
        control->setClientSite(&m_site);
        EXPECT_EQ(control->initNew(), ole::S_OK);
        control->createWindow(&m_host, geometry);
        m_site.control = control.get();
        return control;
    }

    static void set(ole::Control &control, ole::DispId id, const ole::Variant &value)
    {
        ASSERT_EQ(control.putProperty(id, value), ole::S_OK) << id;
    }

    static ole::Variant get(ole::Control &control, ole::DispId id)
    {
        ole::Variant value;
        EXPECT_EQ(control.getProperty(id, value), ole::S_OK) << id;
        return value;
    }

    static bool value(ole::Control &control)
    {
        return std::get<bool>(get(control, qvcm200::DISPID_VALUE));
    }

    static std::vector<std::uint8_t> saved(ole::Control &control)
    {
        std::vector<std::uint8_t> stream;
        EXPECT_EQ(control.save(stream), ole::S_OK);
        return stream;
    }

    // Plain colours, so that each part of the face can be told by its colour.
    static void paintPlainly(ole::Control &control)
    {
        set(control, qvcm200::DISPID_BORDERCOLOR, std::int32_t{0x0000FF});
        set(control, qvcm200::DISPID_LIGHTCOLOR, std::int32_t{0xFFFFFF});
        set(control, qvcm200::DISPID_SHADOWCOLOR, std::int32_t{0x404040});
        set(control, qvcm200::DISPID_FILLCOLOR, std::int32_t{0xC0C0C0});
    }

    void showActive()
    {
        m_host.show();
        m_host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_host));
    }

    TempWindowsDirectory m_windows;
    ButtonSite m_site;
    QWidget m_host;
};

// How many pixels of the border colour the face has from its left edge, halfway down.
int borderWidthOf(QWidget *button)
{
    const QImage face = button->grab().toImage();
    int width = 0;
    while (width < face.width() && face.pixel(width, face.height() / 2) == kBorder)
        ++width;
    return width;
}

// The colour just inside the border at the top, halfway along: light when the bevel is up.
QRgb topBevelOf(QWidget *button, int borderWidth)
{
    const QImage face = button->grab().toImage();
    return face.pixel(face.width() / 2, borderWidth);
}

TEST_F(CQvCommandCtrlTest, MouseClicksNormalAndStateButtons)
{
    const auto control = create();
    paintPlainly(*control);
    QWidget *button = control->window();

    // A normal button is Value true only while its Click runs.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{true});
    EXPECT_FALSE(value(*control));
    EXPECT_EQ(m_site.changed.back(), qvcm200::DISPID_VALUE);

    // Held, it looks pushed in while the pointer is over it; let go outside, it does not click.
    EXPECT_EQ(topBevelOf(button, 1), kLight);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(topBevelOf(button, 1), kShadow);
    QTest::mouseMove(button, QPoint(120, 5));
    EXPECT_EQ(topBevelOf(button, 1), kLight);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 5));
    EXPECT_EQ(m_site.valueInClick.size(), 1u);

    // A state button flips on each click and stays; let go outside, it ends up.
    set(*control, qvcm200::DISPID_STATEBUTTON, true);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(value(*control));
    EXPECT_EQ(topBevelOf(button, 1), kShadow);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 5));
    EXPECT_FALSE(value(*control));
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, true}));
}

TEST_F(CQvCommandCtrlTest, KeyboardClicksLikeAPlatformButton)
{
    const auto control = create();
    QWidget *button = control->window();
    set(*control, qvcm200::DISPID_STATEBUTTON, true);

    // Enter flips a state button and clicks it once.
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(value(*control));
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{true});

    // Space clicks when it is let go.
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(value(*control));
    EXPECT_EQ(m_site.valueInClick.size(), 1u);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_FALSE(value(*control));
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, false}));

    // On a normal button, too; the Space character never reaches KeyPress.
    set(*control, qvcm200::DISPID_STATEBUTTON, false);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(value(*control));
    EXPECT_TRUE(m_site.sawEvent(ole::DISPID_KEYDOWN, std::int16_t{0x20}));
    EXPECT_TRUE(m_site.sawEvent(ole::DISPID_KEYUP, std::int16_t{0x20}));
    EXPECT_FALSE(m_site.sawEvent(ole::DISPID_KEYPRESS, std::int16_t{' '}));
}

TEST_F(CQvCommandCtrlTest, DisabledButtonTakesNoInput)
{
    const auto control = create();
    set(*control, ole::DISPID_ENABLED, false);
    QWidget *button = control->window();
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(m_site.events.empty());
}

TEST_F(CQvCommandCtrlTest, AccessKeyClicks)
{
    const auto control = create("&Go");
    set(*control, qvcm200::DISPID_STATEBUTTON, true);
    showActive();
    QTest::keyClick(&m_host, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_site.valueInClick.empty(); }, 2000));
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{true});

    // A new caption brings its own key.
    set(*control, ole::DISPID_CAPTION, std::string("&Stop"));
    control->window()->repaint();
    QTest::keyClick(&m_host, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(&m_host, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_site.valueInClick.size() >= 2; }, 2000));
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, false}));
}

TEST_F(CQvCommandCtrlTest, SettingValueAndStateButton)
{
    const auto control = create();
    // A normal button clicks and stays false.
    set(*control, qvcm200::DISPID_VALUE, true);
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{false});
    EXPECT_FALSE(value(*control));

    // A state button keeps the value, clicking on every change; Value is the default value.
    set(*control, qvcm200::DISPID_STATEBUTTON, true);
    set(*control, ole::DISPID_VALUE, true);
    EXPECT_TRUE(std::get<bool>(get(*control, ole::DISPID_VALUE)));
    set(*control, qvcm200::DISPID_VALUE, false);
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{false, true, false}));

    // Changing the mode clears the value, without a click.
    set(*control, qvcm200::DISPID_VALUE, true);
    set(*control, qvcm200::DISPID_STATEBUTTON, true);
    EXPECT_FALSE(value(*control));
    EXPECT_EQ(m_site.valueInClick.size(), 4u);
}

TEST_F(CQvCommandCtrlTest, FocusWidensTheBorderByOne)
{
    const auto control = create();
    paintPlainly(*control);
    QWidget *button = control->window();
    showActive();
    // Border style: {width without the focus, with it}. A borderless button shows its focus
    // with a one-pixel border.
    const std::pair<std::int16_t, std::pair<int, int>> expected[] = {
        {0, {0, 1}}, {1, {1, 2}}, {2, {1, 2}}};
    for (const auto &[style, widths] : expected) {
        set(*control, qvcm200::DISPID_BORDERSTYLE, style);
        button->clearFocus();
        EXPECT_EQ(borderWidthOf(button), widths.first) << style;
        button->setFocus();
        ASSERT_TRUE(button->hasFocus());
        EXPECT_EQ(borderWidthOf(button), widths.second) << style;
        EXPECT_EQ(topBevelOf(button, widths.second), kLight) << style;
    }
}

TEST_F(CQvCommandCtrlTest, AutosizeFitsThePictureAndItsBevel)
{
    const auto control = create({}, QRect(0, 0, 80, 60));
    QWidget *button = control->window();
    m_host.show();
    set(*control, qvcm200::DISPID_PICTUREUP,
        ole::DispatchPtr(ole::StdPicture::fromFile(imageFile(40, 30, 0xFF0000FF, "BMP"))));
    button->grab();
    EXPECT_TRUE(QTest::qWaitFor([button] { return button->size() == QSize(44, 34); }, 2000));

    // Within three pixels it stays as it is.
    button->resize(47, 37);
    button->grab();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(button->size(), QSize(47, 37));

    // The picture's own pixels count, whatever resolution its file states.
    QImage lowResolution(40, 30, QImage::Format_RGB32);
    lowResolution.fill(Qt::green);
    lowResolution.setDotsPerMeterX(2835); // 72 dpi
    lowResolution.setDotsPerMeterY(2835);
    const auto picture = ole::StdPicture::fromFile(imageFile(lowResolution, "BMP"));
    ASSERT_NE(picture->widthHimetric(), 1058); // not the 40 pixels' width at 96 dpi
    set(*control, qvcm200::DISPID_PICTUREUP, ole::DispatchPtr(picture));
    button->resize(80, 60);
    button->grab();
    EXPECT_TRUE(QTest::qWaitFor([button] { return button->size() == QSize(44, 34); }, 2000));
}

TEST_F(CQvCommandCtrlTest, OutOfRangeValuesRaiseError380AndChangeNothing)
{
    const auto control = create();
    const auto bitmap = ole::StdPicture::fromFile(imageFile(4, 4, 0xFF000000, "BMP"));
    const std::pair<ole::DispId, ole::Variant> refused[] = {
        {qvcm200::DISPID_AUTOSIZE, std::int16_t{2}},
        {qvcm200::DISPID_AUTOSIZE, std::int16_t{-2}},
        {qvcm200::DISPID_FONTTRANSPARENT, std::int16_t{2}},
        {qvcm200::DISPID_ALIGNMENT, std::int16_t{3}},
        {qvcm200::DISPID_ALIGNMENT, std::int16_t{-1}},
        {qvcm200::DISPID_FONTSTYLE, std::int16_t{5}},
        {qvcm200::DISPID_BEVELSIZE, std::int16_t{-1}},
        {qvcm200::DISPID_BORDERSTYLE, std::int16_t{3}},
        {qvcm200::DISPID_WALLPAPER, std::int16_t{3}},
        {qvcm200::DISPID_BEVELSTYLE, std::int16_t{5}},
        {qvcm200::DISPID_MOUSEPOINTER, std::int16_t{16}},
        {qvcm200::DISPID_MOUSEICON, ole::DispatchPtr(bitmap)},
    };
    const auto before = saved(*control);
    for (const auto &[id, refusedValue] : refused) {
        ole::ExcepInfo error;
        EXPECT_EQ(control->putProperty(id, refusedValue, &error), ole::DISP_E_EXCEPTION) << id;
        EXPECT_EQ(static_cast<std::uint32_t>(error.scode), kInvalidPropertyValue) << id;
    }
    EXPECT_EQ(saved(*control), before);

    // The edges of each range are taken.
    set(*control, qvcm200::DISPID_AUTOSIZE, std::int16_t{-1});
    set(*control, qvcm200::DISPID_BEVELSTYLE, std::int16_t{4});
    set(*control, qvcm200::DISPID_BEVELSIZE, std::int16_t{0});
    EXPECT_EQ(get(*control, qvcm200::DISPID_BEVELSTYLE), ole::Variant(std::int16_t{4}));
}

TEST_F(CQvCommandCtrlTest, StreamRoundTripsByteForByte)
{
    StreamBytes stream;
    stream.u32(0x00010000).u32(2117).u32(794); // version, 80 x 30 pixels in HIMETRIC
    stream.u32(0x4F).text("&Go").u32(0x80000012).u32(0x8000000F); // caption, colours
    stream.byte(0xFF).byte(0xFF);                                 // the container's font; enabled
    stream.byte(0xFF).byte(0xFF);                                 // no up or down picture
    const std::size_t autosizeAt = stream.bytes.size();
    stream.byte(0x00).i16(2).byte(0x00); // Autosize, Alignment, FontTransparent
    const std::size_t multiLineAt = stream.bytes.size();
    stream.byte(0x00).byte(0x01).byte(0xFF);   // MultiLine, StateButton, Value
    stream.i16(3).i16(4).u32(0x0000FF).i16(1); // FontStyle, BevelSize, BorderColor, BorderStyle
    stream.u32(0xC0C0C0).u32(0xFFFFFF).u32(0x808080).u32(0); // fill, light, shadow, text
    stream.i16(2).i16(4).i16(11).byte(0xFF); // WallPaper, BevelStyle, MousePointer, no icon

    const auto control = create();
    const QWidget *before = control->window();
    ASSERT_EQ(control->load(stream.bytes), ole::S_OK);
    EXPECT_NE(control->window(), before); // made again with the loaded values
    EXPECT_EQ(get(*control, ole::DISPID_CAPTION), ole::Variant(std::string("&Go")));
    EXPECT_TRUE(value(*control));
    EXPECT_EQ(get(*control, qvcm200::DISPID_BEVELSIZE), ole::Variant(std::int16_t{4}));
    // Reading a picture the button does not hold leaves it without one.
    const auto picture = std::dynamic_pointer_cast<ole::StdPicture>(
        std::get<ole::DispatchPtr>(get(*control, qvcm200::DISPID_PICTUREUP)));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), ole::StdPicture::Type::None);
    EXPECT_EQ(saved(*control), stream.bytes);

    // Autosize keeps the truth of true (1); MultiLine keeps true as automation gives it (-1).
    set(*control, qvcm200::DISPID_AUTOSIZE, true);
    set(*control, qvcm200::DISPID_MULTILINE, true);
    const auto changed = saved(*control);
    EXPECT_EQ(changed[autosizeAt], 0x01);
    EXPECT_EQ(changed[multiLineAt], 0xFF);
}

// With TARVIL_SHEET_DIR set, draws every border and bevel style in each state into
// qvcm200.png there, to look at.
TEST_F(CQvCommandCtrlTest, Sheet)
{
    const QString folder = qEnvironmentVariable("TARVIL_SHEET_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    const QSize cell(96, 32);
    const auto control = create("&Button", QRect(QPoint(0, 0), cell));
    QWidget *button = control->window();
    // The picture is the button's size: autosize keeps it so.
    set(*control, qvcm200::DISPID_BEVELSIZE, std::int16_t{0});
    set(*control, qvcm200::DISPID_ALIGNMENT, std::int16_t{2});
    showActive();

    QImage face(cell, QImage::Format_RGB32);
    {
        QPainter painter(&face);
        painter.fillRect(face.rect(), QColor(0x30, 0x60, 0xA0));
        painter.setBrush(QColor(0xF0, 0xC0, 0x30));
        painter.drawEllipse(QRect(68, 4, 24, 24));
    }
    const auto up = ole::StdPicture::fromFile(imageFile(face, "BMP"));
    const auto down = ole::StdPicture::fromFile(imageFile(face.mirrored(true, true), "BMP"));

    const char *states[] = {"normal", "pressed", "focused", "disabled", "picture"};
    const int margin = 8;
    const int labelWidth = 120;
    QImage sheet(labelWidth + 5 * (cell.width() + margin) + margin,
                 16 + 15 * (cell.height() + margin) + margin, QImage::Format_RGB32);
    sheet.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter painter(&sheet);
    for (int column = 0; column < 5; ++column)
        painter.drawText(labelWidth + column * (cell.width() + margin) + margin, 12,
                         QString::fromLatin1(states[column]));
    for (std::int16_t border = 0; border <= 2; ++border) {
        for (std::int16_t bevel = 0; bevel <= 4; ++bevel) {
            const int row = border * 5 + bevel;
            const int top = 16 + row * (cell.height() + margin) + margin;
            painter.drawText(margin, top + 20,
                             QStringLiteral("border %1 bevel %2").arg(border).arg(bevel));
            set(*control, qvcm200::DISPID_BORDERSTYLE, border);
            set(*control, qvcm200::DISPID_BEVELSTYLE, bevel);
            for (int column = 0; column < 5; ++column) {
                const bool pressed = column == 1;
                button->clearFocus();
                if (column == 2)
                    button->setFocus();
                set(*control, ole::DISPID_ENABLED, column != 3);
                set(*control, qvcm200::DISPID_PICTUREUP,
                    ole::DispatchPtr(column == 4 ? up : nullptr));
                set(*control, qvcm200::DISPID_PICTUREDOWN,
                    ole::DispatchPtr(column == 4 ? down : nullptr));
                if (pressed)
                    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
                painter.drawPixmap(labelWidth + column * (cell.width() + margin) + margin, top,
                                   button->grab());
                if (pressed)
                    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
            }
        }
    }
    painter.end();
    ASSERT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("qvcm200.png"))));
}

} // namespace
