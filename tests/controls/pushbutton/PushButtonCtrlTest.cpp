#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ui/ControlContainer.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const ole::Clsid kButtonClsid = *ole::Clsid::fromString("{94737E71-55A9-45C7-8B33-BDB06CC4430A}");

// The push button's persisted stream: version, extent 0 x 0, caption, enabled.
std::vector<std::uint8_t> buttonStream(const std::string &caption, bool enabled = true)
{
    std::vector<std::uint8_t> stream = {0x00, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0};
    stream.push_back(static_cast<std::uint8_t>(caption.size()));
    stream.insert(stream.end(), caption.begin(), caption.end());
    stream.push_back(enabled ? 1 : 0);
    return stream;
}

class PushButtonCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
        m_container.setEventHandler([this](int id, ole::DispId event, std::span<ole::Variant>) {
            m_events.emplace_back(id, event);
        });
    }

    QPushButton *createButton(int id, const std::string &caption, int top = 0)
    {
        const auto stream = buttonStream(caption);
        auto *button = qobject_cast<QPushButton *>(m_container.createControl(
            id, kButtonClsid, stream, QRect(10, top, 80, 24), "Control" + std::to_string(id)));
        EXPECT_TRUE(button);
        return button;
    }

    std::shared_ptr<ole::Control> newButton()
    {
        std::shared_ptr<ole::Control> control;
        EXPECT_EQ(ole::ComponentLoader::createInstance(kButtonClsid, control), ole::S_OK);
        return control;
    }

    static ole::Variant get(ole::Control &control, ole::DispId property)
    {
        ole::Variant value;
        EXPECT_EQ(control.getProperty(property, value), ole::S_OK);
        return value;
    }

    TempWindowsDirectory m_windows;
    QWidget m_host;
    ui::ControlContainer m_container{&m_host};
    std::vector<std::pair<int, ole::DispId>> m_events;
};

TEST_F(PushButtonCtrlTest, ClickFiresOnlyWhileEnabled)
{
    QPushButton *button = createButton(1011, "&Page");
    EXPECT_EQ(button->text(), QStringLiteral("&Page"));
    EXPECT_FALSE(button->autoDefault());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(m_events, (std::vector<std::pair<int, ole::DispId>>{{1011, ole::DISPID_CLICK}}));

    ASSERT_TRUE(m_container.enableWindow(1011, false));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(get(*m_container.control(1011), ole::DISPID_ENABLED), ole::Variant(false));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(m_events.size(), 1u);
}

TEST_F(PushButtonCtrlTest, WindowTextChangesTheCaption)
{
    QPushButton *button = createButton(1015, "&Send");
    ASSERT_TRUE(m_container.setWindowText(1015, "&Reply"));
    EXPECT_EQ(button->text(), QStringLiteral("&Reply"));
    EXPECT_EQ(get(*m_container.control(1015), ole::DISPID_CAPTION),
              ole::Variant(std::string("&Reply")));
}

TEST_F(PushButtonCtrlTest, AccessKeyClicksTheRightButton)
{
    createButton(1011, "&Page");
    createButton(1012, "&Memory", 30);
    m_host.show();
    m_host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_host));
    QTest::keyClick(&m_host, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_events.empty(); }, 2000));
    EXPECT_EQ(m_events, (std::vector<std::pair<int, ole::DispId>>{{1012, ole::DISPID_CLICK}}));
}

TEST_F(PushButtonCtrlTest, TemplateStreamsHaveTheDocumentedBytes)
{
    auto control = newButton();
    ASSERT_EQ(control->initNew(), ole::S_OK);
    ASSERT_EQ(control->putProperty(ole::DISPID_CAPTION, std::string("&Page")), ole::S_OK);
    std::vector<std::uint8_t> saved;
    ASSERT_EQ(control->save(saved), ole::S_OK);
    EXPECT_EQ(saved, buttonStream("&Page"));
}

TEST_F(PushButtonCtrlTest, SavedStreamLoadsIntoAnotherInstance)
{
    auto first = newButton();
    ASSERT_EQ(first->initNew(), ole::S_OK);
    ASSERT_EQ(first->putProperty(ole::DISPID_CAPTION, std::string(300, 'c')), ole::S_OK);
    ASSERT_EQ(first->putProperty(ole::DISPID_ENABLED, false), ole::S_OK);
    std::vector<std::uint8_t> stream;
    ASSERT_EQ(first->save(stream), ole::S_OK);
    stream.push_back(0x5A); // trailing bytes are tolerated

    auto second = newButton();
    ASSERT_EQ(second->load(stream), ole::S_OK);
    EXPECT_EQ(get(*second, ole::DISPID_CAPTION), ole::Variant(std::string(300, 'c')));
    EXPECT_EQ(get(*second, ole::DISPID_ENABLED), ole::Variant(false));
    EXPECT_EQ(get(*second, ole::DISPID_HWND), ole::Variant(std::int32_t{0}));
}

TEST_F(PushButtonCtrlTest, DamagedStreamLeavesTheDefaults)
{
    auto control = newButton();
    ASSERT_EQ(control->initNew(), ole::S_OK);
    const auto good = buttonStream("&Options", false);
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        const std::vector<std::uint8_t> truncated(good.begin(), good.begin() + cut);
        EXPECT_TRUE(ole::failed(control->load(truncated))) << cut;
    }
    auto wrongVersion = good;
    wrongVersion[2] = 0x02;
    EXPECT_EQ(control->load(wrongVersion), ole::E_FAIL);
    EXPECT_EQ(get(*control, ole::DISPID_CAPTION), ole::Variant(std::string()));
    EXPECT_EQ(get(*control, ole::DISPID_ENABLED), ole::Variant(true));
}

TEST_F(PushButtonCtrlTest, NewButtonIsCaptionedWithItsDisplayName)
{
    auto *button = qobject_cast<QPushButton *>(
        m_container.createControl(1046, kButtonClsid, {}, QRect(0, 0, 80, 24), "Control1046"));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), QStringLiteral("Control1046"));
    ole::Control *control = m_container.control(1046);
    EXPECT_EQ(control->idOfName("CAPTION"), ole::DISPID_CAPTION);
    EXPECT_EQ(control->invoke(ole::DISPID_REFRESH, {}), ole::S_OK);
    EXPECT_EQ(control->invoke(ole::DISPID_ABOUTBOX, {}), ole::DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(control->putProperty(ole::DISPID_ENABLED, std::string("maybe")),
              ole::DISP_E_TYPEMISMATCH);
}

} // namespace
