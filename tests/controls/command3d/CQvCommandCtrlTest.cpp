#include "controls/command3d/CQvCommandCtrl.h"

#include "controls/command3d/Qvcm200TypeLib.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/StdPicture.h"
#include "tests/support/ControlProperties.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace qvcm200;

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
        if (event == ole::DISPID_CLICK && ole::succeeded(control->getProperty(DISPID_VALUE, value)))
            valueInClick.push_back(std::get<bool>(value));
    }

    ole::Control *control = nullptr;
    std::vector<bool> valueInClick;
};

class CQvCommandCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
        ASSERT_EQ(ole::ComponentLoader::createInstance(CQvCommandCtrl::kClsid, m_control),
                  ole::S_OK);
        m_site.displayName.clear();
        m_site.control = m_control.get();
        m_control->setClientSite(&m_site);
        ASSERT_EQ(m_control->initNew(), ole::S_OK);
        m_button = m_control->createWindow(&m_host, QRect(10, 10, 80, 30));
        m_host.resize(300, 120);
    }

    void set(ole::DispId id, const ole::Variant &value)
    {
        ASSERT_EQ(m_control->putProperty(id, value), ole::S_OK) << id;
    }
    ole::Variant get(ole::DispId id)
    {
        ole::Variant value;
        EXPECT_EQ(m_control->getProperty(id, value), ole::S_OK) << id;
        return value;
    }
    bool value() { return std::get<bool>(get(DISPID_VALUE)); }
    std::vector<std::uint8_t> saved()
    {
        std::vector<std::uint8_t> stream;
        EXPECT_EQ(m_control->save(stream), ole::S_OK);
        return stream;
    }
    // Plain colours, so that each part of the face can be told by its colour.
    void paintPlainly()
    {
        const std::pair<ole::DispId, std::int32_t> colours[] = {{DISPID_BORDERCOLOR, 0x0000FF},
                                                                {DISPID_LIGHTCOLOR, 0xFFFFFF},
                                                                {DISPID_SHADOWCOLOR, 0x404040},
                                                                {DISPID_FILLCOLOR, 0xC0C0C0}};
        for (const auto &[id, colour] : colours)
            set(id, colour);
    }
    void showActive()
    {
        m_host.show();
        m_host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_host));
    }
    bool sawKey(ole::DispId event, std::int16_t key) const
    {
        return std::ranges::any_of(m_site.events, [&](const auto &fired) {
            return fired.first == event && fired.second.front() == ole::Variant(key);
        });
    }

    TempWindowsDirectory m_windows;
    ButtonSite m_site;
    QWidget m_host;
    std::shared_ptr<ole::Control> m_control;
    QWidget *m_button = nullptr;
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

// The colour just inside the border at the top: light while the bevel is up.
QRgb topBevelOf(QWidget *button, int borderWidth)
{
    const QImage face = button->grab().toImage();
    return face.pixel(face.width() / 2, borderWidth);
}

TEST_F(CQvCommandCtrlTest, MouseClicksNormalAndStateButtons)
{
    paintPlainly();
    // A normal button is Value true only while its Click runs.
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{true});
    EXPECT_EQ(m_site.changed.back(), DISPID_VALUE);

    // Held, it looks pushed in while the pointer is over it; let go outside, it does not click.
    EXPECT_EQ(topBevelOf(m_button, 1), kLight);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(topBevelOf(m_button, 1), kShadow);
    QTest::mouseMove(m_button, QPoint(120, 5));
    EXPECT_EQ(topBevelOf(m_button, 1), kLight);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(120, 5));
    EXPECT_EQ(m_site.valueInClick.size(), 1u);

    // A state button flips on each click and stays; let go outside, it ends up.
    set(DISPID_STATEBUTTON, true);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(value());
    EXPECT_EQ(topBevelOf(m_button, 1), kShadow);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(120, 5));
    EXPECT_FALSE(value());
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, true}));
}

TEST_F(CQvCommandCtrlTest, KeyboardClicksLikeAPlatformButton)
{
    set(DISPID_STATEBUTTON, true);
    // Enter flips a state button and clicks it once.
    QTest::keyClick(m_button, Qt::Key_Return);
    EXPECT_TRUE(value());
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{true});

    // Space clicks when it is let go.
    QTest::keyPress(m_button, Qt::Key_Space);
    EXPECT_TRUE(value());
    EXPECT_EQ(m_site.valueInClick.size(), 1u);
    QTest::keyRelease(m_button, Qt::Key_Space);
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, false}));

    // On a normal button, too; the Space character never reaches KeyPress.
    set(DISPID_STATEBUTTON, false);
    QTest::keyClick(m_button, Qt::Key_Space);
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, false, true}));
    EXPECT_FALSE(value());
    EXPECT_TRUE(sawKey(ole::DISPID_KEYDOWN, 0x20));
    EXPECT_TRUE(sawKey(ole::DISPID_KEYUP, 0x20));
    EXPECT_FALSE(sawKey(ole::DISPID_KEYPRESS, ' '));
}

TEST_F(CQvCommandCtrlTest, AccessKeyClicksAndDisabledButtonTakesNoInput)
{
    set(ole::DISPID_CAPTION, std::string("&Go"));
    set(DISPID_STATEBUTTON, true);
    showActive();
    QTest::keyClick(&m_host, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_site.valueInClick.empty(); }, 2000));

    // A new caption brings its own key.
    set(ole::DISPID_CAPTION, std::string("&Stop"));
    m_button->repaint();
    QTest::keyClick(&m_host, Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(&m_host, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_site.valueInClick.size() >= 2; }, 2000));
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{true, false}));

    set(ole::DISPID_ENABLED, false);
    m_site.events.clear();
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(m_button, Qt::Key_Return);
    QTest::keyClick(&m_host, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(m_site.events.empty());
}

TEST_F(CQvCommandCtrlTest, SettingValueAndStateButton)
{
    // A normal button clicks and stays false.
    set(DISPID_VALUE, true);
    EXPECT_EQ(m_site.valueInClick, std::vector<bool>{false});
    EXPECT_FALSE(value());

    // A state button keeps the value, clicking on every change; Value is the default value.
    set(DISPID_STATEBUTTON, true);
    set(ole::DISPID_VALUE, true);
    EXPECT_TRUE(std::get<bool>(get(ole::DISPID_VALUE)));
    set(DISPID_VALUE, false);
    EXPECT_EQ(m_site.valueInClick, (std::vector<bool>{false, true, false}));

    // Changing the mode clears the value, without a click.
    set(DISPID_VALUE, true);
    set(DISPID_STATEBUTTON, true);
    EXPECT_FALSE(value());
    EXPECT_EQ(m_site.valueInClick.size(), 4u);
}

TEST_F(CQvCommandCtrlTest, FocusWidensTheBorderByOne)
{
    paintPlainly();
    showActive();
    // Border style, width without the focus, with it: a borderless button shows its focus with
    // a one-pixel border.
    const std::tuple<std::int16_t, int, int> widths[] = {{0, 0, 1}, {1, 1, 2}, {2, 1, 2}};
    for (const auto &[style, unfocused, focused] : widths) {
        set(DISPID_BORDERSTYLE, style);
        m_button->clearFocus();
        EXPECT_EQ(borderWidthOf(m_button), unfocused) << style;
        m_button->setFocus();
        ASSERT_TRUE(m_button->hasFocus());
        EXPECT_EQ(borderWidthOf(m_button), focused) << style;
        EXPECT_EQ(topBevelOf(m_button, focused), kLight) << style;
    }
}

TEST_F(CQvCommandCtrlTest, AutosizeFitsThePictureAndItsBevel)
{
    m_host.show();
    m_button->resize(80, 60);
    set(DISPID_PICTUREUP,
        ole::DispatchPtr(ole::StdPicture::fromFile(imageFile(40, 30, 0xFF0000FF, "BMP"))));
    m_button->grab();
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_button->size() == QSize(44, 34); }, 2000));

    // Within three pixels it stays as it is.
    m_button->resize(47, 37);
    m_button->grab();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(m_button->size(), QSize(47, 37));

    // The picture's pixels count, whatever resolution its file states.
    QImage lowResolution(40, 30, QImage::Format_RGB32);
    lowResolution.fill(Qt::green);
    lowResolution.setDotsPerMeterX(2835); // 72 dpi
    lowResolution.setDotsPerMeterY(2835);
    const auto picture = ole::StdPicture::fromFile(imageFile(lowResolution, "BMP"));
    set(DISPID_PICTUREUP, ole::DispatchPtr(picture));
    m_button->resize(80, 60);
    m_button->grab();
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_button->size() == QSize(44, 34); }, 2000));
}

TEST_F(CQvCommandCtrlTest, OutOfRangeValuesRaiseError380AndChangeNothing)
{
    expectRefused(*m_control, {{DISPID_AUTOSIZE, std::int16_t{2}},
                               {DISPID_AUTOSIZE, std::int16_t{-2}},
                               {DISPID_FONTTRANSPARENT, std::int16_t{2}},
                               {DISPID_ALIGNMENT, std::int16_t{3}},
                               {DISPID_ALIGNMENT, std::int16_t{-1}},
                               {DISPID_FONTSTYLE, std::int16_t{5}},
                               {DISPID_BEVELSIZE, std::int16_t{-1}},
                               {DISPID_BORDERSTYLE, std::int16_t{3}},
                               {DISPID_WALLPAPER, std::int16_t{3}},
                               {DISPID_BEVELSTYLE, std::int16_t{5}}});
}

TEST_F(CQvCommandCtrlTest, StreamRoundTripsByteForByte)
{
    std::vector<std::uint8_t> stream;
    const auto put = [&stream](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            stream.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    put(0x00010000, 4), put(2117, 4), put(794, 4); // version, 80 x 30 pixels in HIMETRIC
    put(0x4F, 4), put(3, 1), stream.insert(stream.end(), {'&', 'G', 'o'}); // mask, caption
    put(0x80000012, 4), put(0x8000000F, 4), put(0xFF, 1), put(0xFF, 1);    // colours, font, enabled
    put(0xFF, 1), put(0xFF, 1);                                            // no pictures
    const std::size_t autosizeAt = stream.size();
    put(0x00, 1), put(2, 2), put(0x00, 1); // Autosize, Alignment, FontTransparent
    const std::size_t multiLineAt = stream.size();
    put(0x00, 1), put(0x01, 1), put(0xFF, 1);          // MultiLine, StateButton, Value
    put(3, 2), put(4, 2), put(0x0000FF, 4), put(1, 2); // FontStyle, BevelSize, border colour, style
    put(0xC0C0C0, 4), put(0xFFFFFF, 4), put(0x808080, 4), put(0, 4); // fill, light, shadow, text
    put(2, 2), put(4, 2), put(11, 2), put(0xFF, 1); // WallPaper, BevelStyle, pointer, no icon

    ASSERT_EQ(m_control->load(stream), ole::S_OK);
    EXPECT_NE(m_control->window(), m_button); // made again with the loaded values
    EXPECT_EQ(get(ole::DISPID_CAPTION), ole::Variant(std::string("&Go")));
    EXPECT_TRUE(value());
    // Reading a picture the button does not hold leaves it without one.
    const auto picture = std::dynamic_pointer_cast<ole::StdPicture>(
        std::get<ole::DispatchPtr>(get(DISPID_PICTUREUP)));
    EXPECT_EQ(picture->type(), ole::StdPicture::Type::None);
    EXPECT_EQ(saved(), stream);

    // Autosize keeps the truth of true (1); MultiLine keeps true as automation gives it (-1).
    set(DISPID_AUTOSIZE, true);
    set(DISPID_MULTILINE, true);
    const auto changed = saved();
    EXPECT_EQ(changed[autosizeAt], 0x01);
    EXPECT_EQ(changed[multiLineAt], 0xFF);
}

// With TARVIL_SHEET_DIR set, draws the button into qvcm200.png there, to look at: a row for
// each border style (0-2) and bevel style (0-4), a column for each look: normal, pressed,
// focused, disabled, with a picture.
TEST_F(CQvCommandCtrlTest, Sheet)
{
    const QString folder = qEnvironmentVariable("TARVIL_SHEET_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    const QSize cell(96, 32);
    m_button->resize(cell);
    set(ole::DISPID_CAPTION, std::string("&Button"));
    set(DISPID_ALIGNMENT, std::int16_t{2});
    set(DISPID_BEVELSIZE, std::int16_t{0}); // autosize keeps a picture of the button's size
    showActive();
    QImage face(cell, QImage::Format_RGB32);
    face.fill(QColor(0x30, 0x60, 0xA0));
    QPainter(&face).fillRect(QRect(70, 6, 20, 20), QColor(0xF0, 0xC0, 0x30));
    const auto up = ole::StdPicture::fromFile(imageFile(face, "BMP"));
    const auto down = ole::StdPicture::fromFile(imageFile(face.mirrored(true, true), "BMP"));

    const QSize step = cell + QSize(8, 8);
    QImage sheet(5 * step.width() + 8, 15 * step.height() + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter painter(&sheet);
    for (int row = 0; row < 15; ++row) {
        set(DISPID_BORDERSTYLE, static_cast<std::int16_t>(row / 5));
        set(DISPID_BEVELSTYLE, static_cast<std::int16_t>(row % 5));
        for (int column = 0; column < 5; ++column) {
            const QPoint at(8 + column * step.width(), 8 + row * step.height());
            m_button->clearFocus();
            if (column == 2)
                m_button->setFocus();
            set(ole::DISPID_ENABLED, column != 3);
            set(DISPID_PICTUREUP, ole::DispatchPtr(column == 4 ? up : nullptr));
            set(DISPID_PICTUREDOWN, ole::DispatchPtr(column == 4 ? down : nullptr));
            if (column == 1)
                QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
            painter.drawPixmap(at, m_button->grab());
            if (column == 1)
                QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
        }
    }
    painter.end();
    ASSERT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("qvcm200.png"))));
}

} // namespace
