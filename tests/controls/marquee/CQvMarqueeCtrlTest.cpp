#include "controls/marquee/CQvMarqueeCtrl.h"

#include "controls/marquee/MarqueeScheduler.h"
#include "controls/marquee/Qvmq200TypeLib.h"
#include "platform/message/WindowMessage.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/StdPicture.h"
#include "tests/controls/panels/StreamBytes.h"
#include "tests/support/ControlProperties.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLibrary>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using namespace qvmq200;

constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

// The smallest rectangle around the pixels of `image` that are about `colour`.
QRect extentOf(const QImage &image, QRgb colour)
{
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb pixel = image.pixel(x, y);
                std::abs(qRed(pixel) - qRed(colour)) < 96 &&
                std::abs(qGreen(pixel) - qGreen(colour)) < 96 &&
                std::abs(qBlue(pixel) - qBlue(colour)) < 96)
                extent |= QRect(x, y, 1, 1);
    return extent;
}

// The marquee as the program gets it: its library registered from the program's controls
// folder and loaded by the real loader, on a recording site, in run mode.
class CQvMarqueeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    }

    // A new marquee; with a window of `size` unless it is empty.
    std::shared_ptr<ole::Control> create(QSize size = {})
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(CQvMarqueeCtrl::kClsid, control), ole::S_OK);
        if (!control)
            return control;
        control->setClientSite(&m_site);
        EXPECT_EQ(control->initNew(), ole::S_OK);
        if (!size.isEmpty())
            control->createWindow(&m_host, QRect(QPoint(0, 0), size));
        return control;
    }

    // What the scheduler sends the marquee's window at each tick.
    static void tick(ole::Control &control)
    {
        msg::WindowMessageEvent tick(MarqueeScheduler::MARQUEE_TICK, 1, 0);
        QCoreApplication::sendEvent(control.window(), &tick);
    }
    static QImage render(ole::Control &control)
    {
        QImage image(control.window()->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        control.window()->render(&image);
        return image;
    }
    static QList<QAbstractEventDispatcher::TimerInfo> timersOf(ole::Control &control)
    {
        return QAbstractEventDispatcher::instance()->registeredTimers(control.window());
    }

    TempWindowsDirectory m_windows;
    RecordingControlSite m_site;
    QWidget m_host;
};

TEST_F(CQvMarqueeCtrlTest, TheSchedulersTimerFollowsTheMarqueesWindows)
{
    const auto slow = create(QSize(50, 40));
    const auto fast = create(QSize(50, 40));
    put(*fast, {{DISPID_INTERVAL, std::int32_t{300}}});
    // One timer for both, on the shorter interval's window, at a tenth of it.
    ASSERT_EQ(timersOf(*fast).size(), 1);
    EXPECT_EQ(timersOf(*fast).front().interval, 30);
    EXPECT_TRUE(timersOf(*slow).isEmpty());

    // Its window gone, the timer moves to the marquee that is left.
    delete fast->window();
    ASSERT_EQ(timersOf(*slow).size(), 1);
    EXPECT_EQ(timersOf(*slow).front().interval, 100);

    // 65536 is 0 in the scheduler's 16 bits: the marquee leaves and nothing ticks.
    put(*slow, {{DISPID_INTERVAL, std::int32_t{65536}}});
    EXPECT_TRUE(timersOf(*slow).isEmpty());

    // While a form is designed no marquee ticks.
    m_site.userMode = false;
    const auto designed = create(QSize(50, 40));
    put(*designed, {{DISPID_INTERVAL, std::int32_t{200}}});
    EXPECT_TRUE(timersOf(*designed).isEmpty());
}

TEST_F(CQvMarqueeCtrlTest, AWideCaptionScrollsFullyOutBeforeComingBackIn)
{
    // The caption's area: the client area (inside the one-pixel window border) less 5 pixels.
    const QRect area(6, 6, 110, 40);
    constexpr int kNearEdge = 8; // a space's width and the lettering's side bearing
    for (const std::int16_t direction : {0, 1}) {
        SCOPED_TRACE(direction);
        const auto marquee = create(QSize(122, 52));
        put(*marquee, {{DISPID_INTERVAL, std::int32_t{0}}, // ticks come from the test alone
                       {ole::DISPID_CAPTION, std::string("A caption wider than its area")},
                       {DISPID_TEXTCOLOR, std::int32_t{0x0000FF}},
                       {DISPID_TEXTFILLCOLOR, std::int32_t{0xFFFFFF}},
                       {DISPID_CAPTIONTOP, std::int16_t{0}},
                       {DISPID_CAPTIONLEFT, std::int16_t{0}},
                       {DISPID_CAPTIONRIGHT, std::int16_t{0}},
                       {DISPID_CAPTIONBOTTOM, std::int16_t{0}},
                       {DISPID_DIRECTION, direction}});
        // Where the red caption is after each tick; going backwards, mirrored to read as
        // forwards.
        std::vector<QRect> frames;
        for (int frame = 0; frame < 300; ++frame) {
            if (frame > 0)
                tick(*marquee);
            const QRect seen = extentOf(render(*marquee), kRed);
            const int mirror = area.left() + area.right();
            frames.push_back(direction == 0 || seen.isEmpty()
                                 ? seen
                                 : QRect(QPoint(mirror - seen.right(), seen.top()),
                                         QPoint(mirror - seen.left(), seen.bottom())));
        }
        const auto shows = [](const QRect &extent) {
            return !extent.isEmpty();
        };
        // The first paint puts it just beyond the right edge (backwards, the first step takes it
        // just beyond the left one); it comes in, crosses the whole area, leaves it at the other
        // edge, and only then comes back.
        const auto in = std::find_if(frames.begin(), frames.end(), shows);
        ASSERT_EQ(in - frames.begin(), direction == 0 ? 1 : 2);
        EXPECT_GT(in->left(), area.right() - kNearEdge);
        const auto gone = std::find_if_not(in, frames.end(), shows);
        ASSERT_NE(gone, frames.end());
        EXPECT_TRUE(std::any_of(in, gone, [&](const QRect &extent) {
            return extent.left() <= area.left() && extent.right() >= area.right();
        }));
        EXPECT_LT((gone - 1)->right(), area.left() + kNearEdge);
        const auto back = std::find_if(gone, frames.end(), shows);
        ASSERT_NE(back, frames.end());
        EXPECT_LE(back - gone, 2);
        EXPECT_GT(back->left(), area.right() - kNearEdge);
        for (const QRect &extent : frames)
            EXPECT_TRUE(extent.isEmpty() || area.contains(extent)) << extent.x();

        // Paints without a tick leave it where it is.
        const QImage still = render(*marquee);
        EXPECT_EQ(render(*marquee), still);
    }
}

TEST_F(CQvMarqueeCtrlTest, TheFrameIsDrawnPixelByPixel)
{
    const auto marquee = create(QSize(12, 10));
    put(*marquee, {{ole::DISPID_CAPTION, std::string()},
                   {DISPID_OUTERFILLCOLOR, std::int32_t{0x00FF00}},
                   {DISPID_BORDERCOLOR, std::int32_t{0xFF0000}},
                   {DISPID_LIGHTCOLOR, std::int32_t{0xFFFFFF}},
                   {DISPID_SHADOWCOLOR, std::int32_t{0x0000FF}}});
    // The window's thin border (F) around the client area: the frame's border (B) leaving its
    // corners in the fill (.), the light (L) on top and left, the shadow (S) right and bottom.
    constexpr const char *kPattern[] = {
        "FFFFFFFFFFFF", //
        "F.BBBBBBBB.F", //
        "FBLLLLLLLLBF", //
        "FBLLLLLLLSBF", //
        "FBLL....SSBF", //
        "FBLL....SSBF", //
        "FBLLSSSSSSBF", //
        "FBLSSSSSSSBF", //
        "F.BBBBBBBB.F", //
        "FFFFFFFFFFFF", //
    };
    const std::map<char, QRgb> colours = {
        {'F', QGuiApplication::palette().color(QPalette::Active, QPalette::Shadow).rgb()},
        {'.', kGreen},
        {'B', kBlue},
        {'L', kWhite},
        {'S', kRed}};
    const QImage image = render(*marquee);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(image.pixel(x, y), colours.at(kPattern[y][x])) << x << ", " << y;
}

TEST_F(CQvMarqueeCtrlTest, HandWrittenStreamLoadsAndSavesBackByteForByte)
{
    const auto bitmap = imageFile(4, 3, kBlue, "BMP");
    StreamBytes stream;
    stream.longValue(0x00010000)
        .longValue(4276) // 161 x 105 pixels in HIMETRIC
        .longValue(2778)
        .longValue(0x4F)
        .text("Connecting")
        .longValue(0x80000012) // ForeColor
        .longValue(0x8000000F) // BackColor
        .byte(StreamBytes::kNoObject)
        .byte(0xFF)                   // Enabled
        .shortValue(11)               // MousePointer
        .byte(StreamBytes::kNoObject) // MouseIcon
        .byte(0x01)                   // Autosize
        .byte(0x00)                   // FontTransparent
        .longValue(0x00000000)        // BorderColor
        .longValue(0x00FFFFFF)        // LightColor
        .longValue(0x00000000)        // OuterFillColor
        .longValue(0x00808080)        // ShadowColor
        .shortValue(2)                // Style
        .longValue(0x0000FFFF)        // TextColor
        .longValue(0x00000000)        // TextFillColor
        .longValue(500)               // Interval
        .byte(StreamBytes::kNoObject) // Picture1
        .byte(0x00);                  // Picture2: a standard picture
    for (const std::uint8_t byte : std::initializer_list<std::uint8_t>{
             0x04, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11, 0x9D, 0xE3,
             0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51, 'l',  't',  0,    0})
        stream.byte(byte);
    stream.longValue(static_cast<std::uint32_t>(bitmap.size()));
    stream.bytes.insert(stream.bytes.end(), bitmap.begin(), bitmap.end());
    stream
        .byte(StreamBytes::kNoObject) // Picture3
        .shortValue(1)                // Direction
        .shortValue(3);               // FontStyle
    for (const std::int16_t twips : {0, 300, 300, 0, 600, 30, 30, 60})
        stream.shortValue(twips);

    const auto marquee = create();
    ASSERT_EQ(marquee->load(stream.bytes), ole::S_OK);
    EXPECT_EQ(get(*marquee, ole::DISPID_VALUE), ole::Variant(std::string("Connecting")));
    EXPECT_EQ(get(*marquee, DISPID_INTERVAL), ole::Variant(std::int32_t{500}));
    EXPECT_EQ(get(*marquee, DISPID_STYLE), ole::Variant(std::int16_t{2}));
    EXPECT_EQ(get(*marquee, DISPID_CAPTIONTOP), ole::Variant(std::int16_t{600}));
    const auto picture = [&](ole::DispId id) {
        return std::dynamic_pointer_cast<ole::StdPicture>(
                   std::get<ole::DispatchPtr>(get(*marquee, id)))
            ->type();
    };
    EXPECT_EQ(picture(DISPID_PICTURE1), ole::StdPicture::Type::None);
    EXPECT_EQ(picture(DISPID_PICTURE2), ole::StdPicture::Type::Bitmap);
    EXPECT_EQ(saved(*marquee), stream.bytes);
}

TEST_F(CQvMarqueeCtrlTest, RefusedValuesRaiseError380AndChangeNothing)
{
    const auto marquee = create();
    expectRefused(*marquee,
                  {{DISPID_FONTSTYLE, std::int16_t{5}},
                   {DISPID_FONTSTYLE, std::int16_t{-1}},
                   {DISPID_DIRECTION, std::int16_t{2}},
                   {DISPID_DIRECTION, std::int16_t{-1}},
                   {DISPID_MOUSEPOINTER, std::int16_t{16}},
                   {DISPID_PICTURE3,
                    ole::DispatchPtr(ole::StdPicture::fromFile(imageFile(16, 16, kRed, "ICO")))}});
    // Style and Interval take any value.
    put(*marquee, {{DISPID_STYLE, std::int16_t{7}}, {DISPID_INTERVAL, std::int32_t{-5}}});
}

TEST_F(CQvMarqueeCtrlTest, ExportsTwipsToPixelsForADevice)
{
    using Conversion = int (*)(int, const QPaintDevice *);
    QLibrary library(QDir(QStringLiteral(TARVIL_CONTROLS_DIR)).filePath(QStringLiteral("qvmq200")));
    const auto x = reinterpret_cast<Conversion>(library.resolve("XTwipsToPixels"));
    const auto y = reinterpret_cast<Conversion>(library.resolve("YTwipsToPixels"));
    ASSERT_TRUE(x && y);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(2835); // 72 dpi: 20 twips a pixel
    device.setDotsPerMeterY(5669); // 144 dpi: 10 twips a pixel
    EXPECT_EQ(x(705, &device), 35);
    EXPECT_EQ(y(705, &device), 71);
}

// With TARVIL_SHEET_DIR set, draws qvmq200.png there, to look at: a row for each style (0-3),
// columns forwards and backwards after a few ticks, with the progress window's pictures, and
// as designed.
TEST_F(CQvMarqueeCtrlTest, Sheet)
{
    const QString folder = qEnvironmentVariable("TARVIL_SHEET_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TARVIL_SHEET_DIR is not set";
    const auto bitmap = [](const char *name) {
        QFile file(QDir(QStringLiteral(TARVIL_SOURCE_DIR "/resources/bitmaps"))
                       .filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = file.readAll();
        return ole::DispatchPtr(ole::StdPicture::fromFile(
            std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size())));
    };
    const QSize cell(177, 112); // the chat-link progress window's
    const QSize step = cell + QSize(8, 8);
    QImage sheet(4 * step.width() + 8, 4 * step.height() + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter painter(&sheet);
    for (std::int16_t style = 0; style < 4; ++style) {
        for (int column = 0; column < 4; ++column) {
            m_site.userMode = column != 3;
            const auto marquee = create(cell);
            put(*marquee, {{ole::DISPID_CAPTION, std::string("Style ") + std::to_string(style) +
                                                     ": the caption of a marquee"},
                           {DISPID_STYLE, style},
                           {DISPID_INTERVAL, std::int32_t{0}},
                           {DISPID_FONTSTYLE, static_cast<std::int16_t>(column == 1 ? 3 : 1)},
                           {DISPID_DIRECTION, static_cast<std::int16_t>(column == 1 ? 1 : 0)}});
            if (column >= 2)
                put(*marquee, {{DISPID_PICTURE1, bitmap("link_wait1.bmp")},
                               {DISPID_PICTURE2, bitmap("link_wait2.bmp")},
                               {DISPID_PICTURE3, bitmap("link_wait3.bmp")},
                               {DISPID_PICTURELEFT, std::int16_t{210}},
                               {DISPID_PICTURETOP, std::int16_t{195}},
                               {DISPID_TEXTCOLOR, std::int32_t{0x00FFFF}}});
            for (int ticks = 0; ticks < 20 + 2 * style; ++ticks) {
                render(*marquee);
                tick(*marquee);
            }
            painter.drawImage(8 + column * step.width(), 8 + style * step.height(),
                              render(*marquee));
        }
    }
    painter.end();
    ASSERT_TRUE(sheet.save(QDir(folder).filePath(QStringLiteral("qvmq200.png"))));
}

} // namespace
