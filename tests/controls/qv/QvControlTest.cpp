#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ole/ControlSite.h"
#include "platform/ole/Registry.h"
#include "platform/ole/StdFont.h"
#include "platform/ole/StdPicture.h"
#include "platform/ui/ControlContainer.h"
#include "tests/controls/qv/CQvTestCtrl.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/RecordingControlSite.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using qvtest::CQvTestCtrl;

constexpr std::uint32_t kInvalidPropertyValue = 0x800A017C;

class QvControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR);
        ASSERT_TRUE(ole::Registry::findClass(CQvTestCtrl::kClsid));
    }

    std::shared_ptr<ole::Control> create()
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(CQvTestCtrl::kClsid, control), ole::S_OK);
        if (control) {
            control->setClientSite(&m_site);
            EXPECT_EQ(control->initNew(), ole::S_OK);
        }
        return control;
    }

    static ole::Variant get(ole::Control &control, ole::DispId id)
    {
        ole::Variant value;
        EXPECT_EQ(control.getProperty(id, value), ole::S_OK) << id;
        return value;
    }

    static std::vector<std::uint8_t> saved(ole::Control &control)
    {
        std::vector<std::uint8_t> stream;
        EXPECT_EQ(control.save(stream), ole::S_OK);
        return stream;
    }

    // Sets one property of every kind away from its reset value.
    static void setEverything(ole::Control &control)
    {
        const auto picture = ole::StdPicture::fromFile(imageFile(6, 4, 0xFF336699, "BMP"));
        const auto icon = ole::StdPicture::fromFile(imageFile(16, 16, 0xFFFF0000, "ICO"));
        auto font = std::make_shared<ole::StdFont>();
        font->putProperty(ole::StdFont::DISPID_NAME, std::string("Courier New"));
        font->putProperty(ole::StdFont::DISPID_SIZE, ole::Currency{97500});
        font->putProperty(ole::StdFont::DISPID_UNDERLINE, true);
        const std::pair<ole::DispId, ole::Variant> values[] = {
            {ole::DISPID_CAPTION, std::string(300, 'c')},
            {ole::DISPID_BACKCOLOR, std::int32_t{0x00102030}},
            {ole::DISPID_FORECOLOR, std::int32_t(0x80000008)},
            {ole::DISPID_FONT, ole::DispatchPtr(font)},
            {ole::DISPID_ENABLED, false},
            {CQvTestCtrl::DISPID_FLAG, true},
            {CQvTestCtrl::DISPID_COUNT, std::int16_t{99}},
            {CQvTestCtrl::DISPID_NUMBER, std::int32_t{-123456}},
            {CQvTestCtrl::DISPID_TEXTCOLOR, std::int32_t{0x00FF00FF}},
            {CQvTestCtrl::DISPID_NOTE, std::string("note")},
            {CQvTestCtrl::DISPID_PICTURE, ole::DispatchPtr(picture)},
            {CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{99}},
            {CQvTestCtrl::DISPID_MOUSEICON, ole::DispatchPtr(icon)},
            {CQvTestCtrl::DISPID_FONTBOLD, true},
        };
        for (const auto &[id, value] : values)
            ASSERT_EQ(control.putProperty(id, value), ole::S_OK) << id;
    }

    TempWindowsDirectory m_windows;
    RecordingControlSite m_site;
    QWidget m_host;
};

TEST_F(QvControlTest, RegistersItsClassAndTypeLibrary)
{
    const auto entry = ole::Registry::findClass(CQvTestCtrl::kClsid);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->progId, "QVTEST.QvTestCtrl.1");
    EXPECT_EQ(entry->version, "1.0");
    EXPECT_EQ(entry->miscStatus, 0x20191u);
    EXPECT_FALSE(entry->insertable);
    EXPECT_EQ(ole::Registry::clsidFromProgId("QVTEST.QvTestCtrl.1"), CQvTestCtrl::kClsid);

    const auto typeLib = ole::Registry::findTypeLib(CQvTestCtrl::kTypeLibId);
    ASSERT_TRUE(typeLib);
    EXPECT_EQ(typeLib->path, entry->libraryPath);
    EXPECT_EQ(typeLib->version, "1.0");
    EXPECT_EQ(typeLib->helpDirectory,
              QDir(QStringLiteral(TARVIL_TEST_CONTROLS_DIR)).canonicalPath().toStdString());
}

TEST_F(QvControlTest, StreamOfAnotherInstanceReproducesEveryPropertyInTheWindow)
{
    const auto first = create();
    ASSERT_TRUE(first);
    EXPECT_EQ(get(*first, ole::DISPID_CAPTION), ole::Variant(std::string("QvTest1")));
    first->createWindow(&m_host, QRect(0, 0, 80, 30));
    setEverything(*first);
    const auto stream = saved(*first);

    ui::ControlContainer container(&m_host);
    std::vector<std::pair<int, ole::DispId>> events;
    container.setEventHandler([&events](int id, ole::DispId event, std::span<ole::Variant>) {
        events.emplace_back(id, event);
    });
    container.createControl(7, CQvTestCtrl::kClsid, stream, QRect(0, 0, 80, 30), "Other");
    ole::Control *second = container.control(7);
    ASSERT_TRUE(second);
    for (const auto id :
         {ole::DISPID_CAPTION, ole::DISPID_BACKCOLOR, ole::DISPID_FORECOLOR, ole::DISPID_ENABLED,
          CQvTestCtrl::DISPID_FLAG, CQvTestCtrl::DISPID_COUNT, CQvTestCtrl::DISPID_NUMBER,
          CQvTestCtrl::DISPID_TEXTCOLOR, CQvTestCtrl::DISPID_NOTE, CQvTestCtrl::DISPID_MOUSEPOINTER,
          CQvTestCtrl::DISPID_FONTNAME, CQvTestCtrl::DISPID_FONTSIZE, CQvTestCtrl::DISPID_FONTBOLD,
          CQvTestCtrl::DISPID_FONTITALIC, CQvTestCtrl::DISPID_FONTSTRIKETHRU,
          CQvTestCtrl::DISPID_FONTUNDERLINE})
        EXPECT_EQ(get(*second, id), get(*first, id)) << id;
    const auto picture = [](ole::Control &control, ole::DispId id) {
        return std::dynamic_pointer_cast<ole::StdPicture>(
            std::get<ole::DispatchPtr>(get(control, id)));
    };
    EXPECT_EQ(picture(*second, CQvTestCtrl::DISPID_PICTURE)->file(),
              picture(*first, CQvTestCtrl::DISPID_PICTURE)->file());
    EXPECT_EQ(picture(*second, CQvTestCtrl::DISPID_MOUSEICON)->type(), ole::StdPicture::Type::Icon);
    EXPECT_EQ(saved(*second), stream);

    // Enabled again, it clicks through to the window's handler.
    ASSERT_EQ(second->putProperty(ole::DISPID_ENABLED, true), ole::S_OK);
    QTest::mouseClick(second->window(), Qt::LeftButton);
    EXPECT_EQ(events,
              (std::vector<std::pair<int, ole::DispId>>{
                  {7, ole::DISPID_MOUSEDOWN}, {7, ole::DISPID_MOUSEUP}, {7, ole::DISPID_CLICK}}));

    // The same value refused through the container's control.
    ole::ExcepInfo error;
    EXPECT_EQ(second->putProperty(CQvTestCtrl::DISPID_COUNT, std::int16_t{101}, &error),
              ole::DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(error.scode), kInvalidPropertyValue);
}

TEST_F(QvControlTest, StreamWrittenByHandLoadsFieldByField)
{
    // The fuzzer's seed, written from the documented layout rather than by our own writer.
    QFile file(QStringLiteral(TARVIL_SOURCE_DIR "/fuzz/corpus/qv_stream/control"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto control = create();
    ASSERT_EQ(control->load(std::span(reinterpret_cast<const std::uint8_t *>(bytes.data()),
                                      static_cast<std::size_t>(bytes.size()))),
              ole::S_OK);
    EXPECT_EQ(get(*control, ole::DISPID_CAPTION), ole::Variant(std::string("Caption")));
    EXPECT_EQ(get(*control, ole::DISPID_FORECOLOR), ole::Variant(std::int32_t(0x80000012)));
    EXPECT_EQ(get(*control, ole::DISPID_ENABLED), ole::Variant(true));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTNAME), ole::Variant(std::string("Arial")));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTSIZE), ole::Variant(9.75f));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTBOLD), ole::Variant(true));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTITALIC), ole::Variant(true));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_MOUSEPOINTER), ole::Variant(std::int16_t{99}));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FLAG), ole::Variant(true)); // stored as 0xFF
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_COUNT), ole::Variant(std::int16_t{42}));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_NUMBER), ole::Variant(std::int32_t{-5}));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_NOTE), ole::Variant(std::string("note")));
    const auto picture = std::dynamic_pointer_cast<ole::StdPicture>(
        std::get<ole::DispatchPtr>(get(*control, CQvTestCtrl::DISPID_PICTURE)));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->type(), ole::StdPicture::Type::Bitmap);
    EXPECT_EQ(picture->image().pixel(0, 0), 0xFFFF0000); // blue, green, red in the file
    EXPECT_EQ(picture->widthHimetric(), 53); // 2 pixels at the file's 3780 pixels per metre
    const auto icon = std::dynamic_pointer_cast<ole::StdPicture>(
        std::get<ole::DispatchPtr>(get(*control, CQvTestCtrl::DISPID_MOUSEICON)));
    EXPECT_EQ(icon->type(), ole::StdPicture::Type::Icon);
    EXPECT_EQ(icon->image().size(), QSize(16, 16));
    // What was loaded is what is saved, the 0xFF BOOL byte included.
    EXPECT_EQ(saved(*control), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST_F(QvControlTest, SavingGivesBackWhatWasLoadedUntilSomethingChanges)
{
    // A new control's font is the container's: saved as the one-byte default, and so after a
    // load, even when the properties were read meanwhile.
    const auto fresh = create();
    const auto stream = saved(*fresh);
    const auto control = create();
    ASSERT_EQ(control->load(stream), ole::S_OK);
    for (const ole::DispId id : {ole::DISPID_FONT, CQvTestCtrl::DISPID_MOUSEICON,
                                 CQvTestCtrl::DISPID_FONTNAME, ole::DISPID_ENABLED})
        get(*control, id);
    EXPECT_EQ(saved(*control), stream);

    // A font sub-property set is told under its own identifier only, and the font is the
    // control's own from then on.
    m_site.changed.clear();
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FONTBOLD, true), ole::S_OK);
    EXPECT_EQ(m_site.changed, std::vector<ole::DispId>{CQvTestCtrl::DISPID_FONTBOLD});
    EXPECT_GT(saved(*control).size(), stream.size());

    // A BOOL set through automation is held as -1 and saved as 0xFF.
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FLAG, true), ole::S_OK);
    const auto withFlag = saved(*control);
    EXPECT_EQ(std::ranges::count(withFlag, 0xFF), std::ranges::count(saved(*fresh), 0xFF));
}

TEST_F(QvControlTest, LoadingIntoAControlWithAWindowUpdatesTheWindow)
{
    const auto source = create();
    ASSERT_EQ(source->putProperty(ole::DISPID_BACKCOLOR, std::int32_t{0x0000FF00}), ole::S_OK);
    ASSERT_EQ(source->putProperty(CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{3}), ole::S_OK);
    ASSERT_EQ(source->putProperty(ole::DISPID_ENABLED, false), ole::S_OK);
    const auto control = create();
    QWidget *window = control->createWindow(&m_host, QRect(0, 0, 40, 20));
    ASSERT_EQ(control->load(saved(*source)), ole::S_OK);
    EXPECT_EQ(window->palette().color(QPalette::Button), QColor(Qt::green));
    EXPECT_EQ(window->cursor().shape(), Qt::IBeamCursor);
    EXPECT_FALSE(window->isEnabled());
    ASSERT_EQ(control->initNew(), ole::S_OK);
    EXPECT_NE(window->palette().color(QPalette::Button), QColor(Qt::green));
    EXPECT_TRUE(window->isEnabled());
}

TEST_F(QvControlTest, CutStreamsFailAndLeaveTheControlAsItWas)
{
    const auto source = create();
    setEverything(*source);
    const auto stream = saved(*source);
    const auto control = create();
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_NOTE, std::string("kept")), ole::S_OK);
    const auto before = saved(*control);
    for (std::size_t cut = 0; cut < stream.size(); ++cut) {
        EXPECT_TRUE(ole::failed(control->load(std::span(stream).first(cut)))) << cut;
        ASSERT_EQ(saved(*control), before) << cut;
    }

    // Bytes after the last field are left alone.
    auto longer = stream;
    longer.insert(longer.end(), {1, 2, 3});
    ASSERT_EQ(control->load(longer), ole::S_OK);
    EXPECT_EQ(saved(*control), stream);
}

TEST_F(QvControlTest, InvalidValuesRaiseError380AndKeepTheProperty)
{
    const auto control = create();
    QWidget *window = control->createWindow(&m_host, QRect(0, 0, 40, 20));
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_COUNT, std::int16_t{5}), ole::S_OK);
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{2}), ole::S_OK);
    EXPECT_EQ(window->cursor().shape(), Qt::CrossCursor);

    const std::pair<ole::DispId, ole::Variant> refused[] = {
        {CQvTestCtrl::DISPID_COUNT, std::int16_t{101}},
        {CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{16}},
        {CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{-1}},
        {CQvTestCtrl::DISPID_MOUSEICON,
         ole::DispatchPtr(ole::StdPicture::fromFile(imageFile(4, 4, 0xFF000000, "BMP")))},
    };
    for (const auto &[id, value] : refused) {
        ole::ExcepInfo error;
        EXPECT_EQ(control->putProperty(id, value, &error), ole::DISP_E_EXCEPTION) << id;
        EXPECT_EQ(static_cast<std::uint32_t>(error.scode), kInvalidPropertyValue) << id;
        EXPECT_EQ(error.description, "Invalid property value");
        EXPECT_EQ(error.helpContext, -1);
    }
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_COUNT), ole::Variant(std::int16_t{5}));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_MOUSEPOINTER), ole::Variant(std::int16_t{2}));
    EXPECT_EQ(window->cursor().shape(), Qt::CrossCursor);

    // 99 shows the icon, or nothing of its own while there is none.
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{99}), ole::S_OK);
    EXPECT_FALSE(window->testAttribute(Qt::WA_SetCursor));
    const auto icon = ole::StdPicture::fromFile(imageFile(16, 16, 0xFF00FF00, "ICO"));
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_MOUSEICON, ole::DispatchPtr(icon)),
              ole::S_OK);
    EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{0}), ole::S_OK);
    EXPECT_FALSE(window->testAttribute(Qt::WA_SetCursor));
}

TEST_F(QvControlTest, WithoutTheErrorTextLibraryEveryErrorIs53)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("qvtestctl.so"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARVIL_TEST_CONTROLS_DIR "/qvtestctl.so"), copy));
    ole::ComponentLoader::registerLibrariesIn(folder.path().toStdString());
    ASSERT_EQ(ole::Registry::findClass(CQvTestCtrl::kClsid)->libraryPath,
              QFileInfo(copy).absoluteFilePath().toStdString());

    const auto control = create();
    ASSERT_TRUE(control);
    ole::ExcepInfo error;
    EXPECT_EQ(control->putProperty(CQvTestCtrl::DISPID_MOUSEPOINTER, std::int16_t{16}, &error),
              ole::DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A0035u);
    EXPECT_EQ(error.description, "QVLOCALE.DLL Not Found");
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_MOUSEPOINTER), ole::Variant(std::int16_t{0}));
}

TEST_F(QvControlTest, FontSubPropertiesAreViewsOfTheFontObject)
{
    const auto control = create();
    const auto font = std::dynamic_pointer_cast<ole::StdFont>(
        std::get<ole::DispatchPtr>(get(*control, ole::DISPID_FONT)));
    ASSERT_TRUE(font);
    m_site.changed.clear();
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FONTNAME, std::string("Arial")), ole::S_OK);
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FONTSIZE, 12.5f), ole::S_OK);
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FONTITALIC, true), ole::S_OK);
    EXPECT_EQ(font->name(), "Arial");
    EXPECT_EQ(font->size(), ole::Currency{125000});
    EXPECT_TRUE(font->italic());
    EXPECT_EQ(m_site.changed.back(), CQvTestCtrl::DISPID_FONTITALIC);
    EXPECT_NE(std::ranges::find(m_site.changed, CQvTestCtrl::DISPID_FONTSIZE),
              m_site.changed.end());

    // A change made on the font object itself shows through the sub-properties.
    font->putProperty(ole::StdFont::DISPID_WEIGHT, std::int16_t{800});
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTBOLD), ole::Variant(true));
    EXPECT_EQ(m_site.changed.back(), ole::DISPID_FONT);
    ole::ExcepInfo error;
    EXPECT_EQ(control->putProperty(CQvTestCtrl::DISPID_FONTSIZE, -3.0f, &error),
              ole::DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(error.scode), kInvalidPropertyValue);

    // Without a font the views are empty and setting them does nothing.
    ASSERT_EQ(control->putProperty(ole::DISPID_FONT, ole::DispatchPtr()), ole::S_OK);
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FONTNAME, std::string("X")), ole::S_OK);
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTNAME), ole::Variant(std::string()));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTSIZE), ole::Variant(0.0f));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTBOLD), ole::Variant(false));
    // The detached font object no longer reaches the control.
    const auto count = m_site.changed.size();
    font->putProperty(ole::StdFont::DISPID_ITALIC, false);
    EXPECT_EQ(m_site.changed.size(), count);
}

TEST_F(QvControlTest, StockPropertiesAskTheContainerAndReachTheWindow)
{
    const auto control = create();
    QWidget *window = control->createWindow(&m_host, QRect(0, 0, 40, 20));
    ASSERT_EQ(control->putProperty(ole::DISPID_BACKCOLOR, std::int32_t{0x000000FF}), ole::S_OK);
    EXPECT_EQ(window->palette().color(QPalette::Button), QColor(Qt::red));
    EXPECT_EQ(m_site.changed.back(), ole::DISPID_BACKCOLOR);

    m_site.allowEdits = false;
    ole::ExcepInfo error;
    EXPECT_EQ(control->putProperty(ole::DISPID_ENABLED, false, &error), ole::DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A0000u | 387);
    EXPECT_EQ(control->putProperty(ole::DISPID_BACKCOLOR, std::int32_t{0}), ole::DISP_E_EXCEPTION);
    EXPECT_TRUE(window->isEnabled());
    EXPECT_EQ(get(*control, ole::DISPID_BACKCOLOR), ole::Variant(std::int32_t{0x000000FF}));
    m_site.allowEdits = true;
    ASSERT_EQ(control->putProperty(ole::DISPID_ENABLED, false), ole::S_OK);
    EXPECT_FALSE(window->isEnabled());

    EXPECT_EQ(get(*control, ole::DISPID_HWND), ole::Variant(std::int32_t{0}));
    EXPECT_EQ(control->putProperty(ole::DISPID_HWND, std::int32_t{1}), ole::DISP_E_EXCEPTION);
    EXPECT_EQ(control->idOfName("fontstrikethru"), CQvTestCtrl::DISPID_FONTSTRIKETHRU);
    EXPECT_EQ(control->idOfName("Text"), ole::DISPID_UNKNOWN);
    EXPECT_EQ(control->getProperty(ole::DISPID_TEXT, *std::make_unique<ole::Variant>()),
              ole::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(control->invoke(ole::DISPID_REFRESH, {}), ole::S_OK);
}

TEST_F(QvControlTest, WindowInputRaisesTheDeclaredStockEvents)
{
    const auto control = create();
    QWidget *window = control->createWindow(&m_host, QRect(0, 0, 40, 20));
    QTest::mousePress(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseMove(window, QPoint(7, 7)); // MouseMove is not declared
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(8, 9));
    QTest::keyClick(window, Qt::Key_A);

    using Event = std::pair<ole::DispId, std::vector<ole::Variant>>;
    const ole::Variant shift = std::int16_t{1};
    const ole::Variant none = std::int16_t{0};
    const std::vector<Event> expected = {
        {ole::DISPID_MOUSEDOWN, {std::int16_t{1}, shift, std::int32_t{5}, std::int32_t{6}}},
        {ole::DISPID_MOUSEUP, {std::int16_t{1}, shift, std::int32_t{5}, std::int32_t{6}}},
        {ole::DISPID_CLICK, {}},
        {ole::DISPID_MOUSEDOWN, {std::int16_t{2}, none, std::int32_t{8}, std::int32_t{9}}},
        {ole::DISPID_MOUSEUP, {std::int16_t{2}, none, std::int32_t{8}, std::int32_t{9}}},
        {ole::DISPID_KEYDOWN, {std::int16_t{'A'}, none}},
        {ole::DISPID_KEYPRESS, {std::int16_t{'a'}}},
    };
    EXPECT_EQ(m_site.events, expected);

    // A KeyDown handler that sets KeyCode to 0 swallows the key: no KeyPress follows.
    m_site.events.clear();
    m_site.onEvent = [](ole::DispId event, std::span<ole::Variant> args) {
        if (event == ole::DISPID_KEYDOWN)
            args[0] = std::int16_t{0};
    };
    QTest::keyClick(window, Qt::Key_B);
    ASSERT_EQ(m_site.events.size(), 1u); // KeyUp is not declared
    EXPECT_EQ(m_site.events[0].first, ole::DISPID_KEYDOWN);
    m_site.onEvent = nullptr;

    // Navigation keys are the control's own, ahead of any shortcut of the dialog.
    QKeyEvent home(QEvent::ShortcutOverride, Qt::Key_Home, Qt::NoModifier);
    QKeyEvent letter(QEvent::ShortcutOverride, Qt::Key_B, Qt::NoModifier);
    home.ignore();
    letter.ignore();
    QApplication::sendEvent(window, &home);
    QApplication::sendEvent(window, &letter);
    EXPECT_TRUE(home.isAccepted());
    EXPECT_FALSE(letter.isAccepted());
}

TEST_F(QvControlTest, AboutBoxModifiedStateAndUserMode)
{
    const auto control = create();
    control->createWindow(&m_host, QRect(0, 0, 40, 20));
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(20);
    EXPECT_EQ(control->invoke(ole::DISPID_ABOUTBOX, {}), ole::S_OK);
    EXPECT_EQ(m_site.modal, (std::vector<bool>{true, false}));

    const auto *base = dynamic_cast<qv::CQvControlBase *>(control.get());
    ASSERT_TRUE(base);
    EXPECT_FALSE(base->isModified());
    ASSERT_EQ(control->putProperty(CQvTestCtrl::DISPID_FLAG, true), ole::S_OK);
    EXPECT_TRUE(base->isModified());
    saved(*control);
    EXPECT_FALSE(base->isModified());
    EXPECT_TRUE(base->userMode());
    m_site.userMode = false;
    control->ambientPropertyChanged(ole::DISPID_AMBIENT_USERMODE);
    EXPECT_FALSE(base->userMode());
}

TEST_F(QvControlTest, TheContainerOffersItsFontModeAndEditChecks)
{
    m_host.setFont(QFont(QStringLiteral("Courier New"), 11));
    ui::ControlContainer container(&m_host);
    std::vector<std::pair<int, ole::DispId>> changes;
    container.setPropertyChangedHandler(
        [&](int id, ole::DispId property) { changes.emplace_back(id, property); });
    container.setRequestEditHandler(
        [](int, ole::DispId property) { return property != ole::DISPID_BACKCOLOR; });
    container.createControl(4, CQvTestCtrl::kClsid, {}, QRect(0, 0, 40, 20), "Test4");
    ole::Control *control = container.control(4);
    ASSERT_TRUE(control);

    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTNAME),
              ole::Variant(std::string("Courier New")));
    EXPECT_EQ(get(*control, CQvTestCtrl::DISPID_FONTSIZE), ole::Variant(11.0f));
    EXPECT_EQ(control->putProperty(ole::DISPID_BACKCOLOR, std::int32_t{0}), ole::DISP_E_EXCEPTION);
    ASSERT_EQ(control->putProperty(ole::DISPID_FORECOLOR, std::int32_t{0}), ole::S_OK);
    EXPECT_EQ(changes, (std::vector<std::pair<int, ole::DispId>>{{4, ole::DISPID_FORECOLOR}}));

    const auto *base = dynamic_cast<qv::CQvControlBase *>(control);
    ASSERT_TRUE(base);
    EXPECT_TRUE(base->userMode());
    container.setUserMode(false);
    EXPECT_FALSE(base->userMode());
}

} // namespace
