#include "platform/ui/ControlContainer.h"

#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "tests/controls/testcontrol/TestCtrl.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using testcontrol::TestCtrl;

const ole::Clsid kButtonClsid = *ole::Clsid::fromString("{94737E71-55A9-45C7-8B33-BDB06CC4430A}");
const ole::Clsid kUnknownClsid = *ole::Clsid::fromString("{01234567-89AB-CDEF-0123-456789ABCDEF}");

class ControlContainerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_TEST_CONTROLS_DIR), ole::S_OK);
        m_container.setEventHandler([this](int id, ole::DispId event, std::span<ole::Variant>) {
            m_events.emplace_back(id, event);
        });
    }

    QWidget *createTestControl(int id, std::span<const std::uint8_t> stream = {})
    {
        return m_container.createControl(id, TestCtrl::kClsid, stream, QRect(10, 10, 50, 20),
                                         "Control" + std::to_string(id));
    }

    ole::Variant get(int id, ole::DispId property)
    {
        ole::Variant value;
        EXPECT_EQ(m_container.control(id)->getProperty(property, value), ole::S_OK);
        return value;
    }

    TempWindowsDirectory m_windows;
    QWidget m_host;
    ui::ControlContainer m_container{&m_host};
    std::vector<std::pair<int, ole::DispId>> m_events;
};

TEST_F(ControlContainerTest, UnknownClassLeavesAnEmptyPlaceholder)
{
    QWidget *placeholder =
        m_container.createControl(1011, kUnknownClsid, {}, QRect(7, 8, 90, 30), "Control1011");
    ASSERT_TRUE(placeholder);
    EXPECT_EQ(placeholder->parentWidget(), &m_host);
    EXPECT_EQ(placeholder->geometry(), QRect(7, 8, 90, 30));
    EXPECT_TRUE(placeholder->objectName().contains(QStringLiteral("80040154")));
    EXPECT_TRUE(placeholder->children().isEmpty());
    EXPECT_EQ(m_container.control(1011), nullptr);
    EXPECT_FALSE(m_container.setWindowText(1011, "&Page"));
    EXPECT_FALSE(m_container.enableWindow(1011, false));
    EXPECT_EQ(m_container.control(999), nullptr);
}

TEST_F(ControlContainerTest, DamagedStreamLeavesAPlaceholder)
{
    const std::vector<std::uint8_t> damaged = {0x00, 0x00, 0x01, 0x00, 0x00};
    QWidget *window = createTestControl(5, damaged);
    EXPECT_EQ(m_container.control(5), nullptr);
    EXPECT_TRUE(window->objectName().contains(QStringLiteral("load")));
}

TEST_F(ControlContainerTest, NewControlIsNamedByTheContainerAndLoadedOneKeepsItsState)
{
    createTestControl(1011);
    EXPECT_EQ(get(1011, TestCtrl::DISPID_LABEL), ole::Variant(std::string("Control1011")));

    ole::Control *first = m_container.control(1011);
    ASSERT_EQ(first->putProperty(TestCtrl::DISPID_FLAG, true), ole::S_OK);
    ASSERT_EQ(first->putProperty(TestCtrl::DISPID_COUNT, std::int32_t{42}), ole::S_OK);
    ASSERT_EQ(first->putProperty(TestCtrl::DISPID_NUMBER, std::string("-70000")), ole::S_OK);
    ASSERT_EQ(first->putProperty(TestCtrl::DISPID_LABEL, std::string("caf\xE9")), ole::S_OK);
    std::vector<std::uint8_t> stream;
    ASSERT_EQ(first->save(stream), ole::S_OK);

    createTestControl(1012, stream);
    EXPECT_EQ(get(1012, TestCtrl::DISPID_FLAG), ole::Variant(true));
    EXPECT_EQ(get(1012, TestCtrl::DISPID_COUNT), ole::Variant(std::int16_t{42}));
    EXPECT_EQ(get(1012, TestCtrl::DISPID_NUMBER), ole::Variant(std::int32_t{-70000}));
    EXPECT_EQ(get(1012, TestCtrl::DISPID_LABEL), ole::Variant(std::string("caf\xE9")));
}

TEST_F(ControlContainerTest, RefusedValueRaisesAnAutomationErrorAndKeepsTheOldValue)
{
    createTestControl(3);
    ole::Control *control = m_container.control(3);
    ole::ExcepInfo error;
    ASSERT_EQ(control->putProperty(TestCtrl::DISPID_COUNT, std::int16_t{7}), ole::S_OK);
    EXPECT_EQ(control->putProperty(TestCtrl::DISPID_COUNT, std::int16_t{101}, &error),
              ole::DISP_E_EXCEPTION);
    EXPECT_EQ(static_cast<std::uint32_t>(error.scode), 0x800A017Cu);
    EXPECT_EQ(control->putProperty(TestCtrl::DISPID_COUNT, std::int32_t{70000}),
              ole::DISP_E_TYPEMISMATCH);
    EXPECT_EQ(get(3, TestCtrl::DISPID_COUNT), ole::Variant(std::int16_t{7}));

    EXPECT_EQ(control->idOfName("add"), TestCtrl::DISPID_ADD);
    EXPECT_EQ(control->idOfName("Nothing"), ole::DISPID_UNKNOWN);
    ole::Variant args[] = {std::int16_t{5}};
    ole::Variant result;
    EXPECT_EQ(control->invoke(TestCtrl::DISPID_ADD, args, &result), ole::S_OK);
    EXPECT_EQ(result, ole::Variant(std::int32_t{5}));
    EXPECT_EQ(control->invoke(TestCtrl::DISPID_ADD, {}), ole::DISP_E_BADPARAMCOUNT);
}

TEST_F(ControlContainerTest, ClicksReachTheHandlerWithTheControlId)
{
    QWidget *first = createTestControl(1011);
    QWidget *second = createTestControl(1012);
    QTest::mouseClick(second, Qt::LeftButton);
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(m_events, (std::vector<std::pair<int, ole::DispId>>{{1012, ole::DISPID_CLICK},
                                                                  {1011, ole::DISPID_CLICK}}));
}

TEST_F(ControlContainerTest, WindowsKeepTheirCreationOrderForTabbing)
{
    QWidget *first = m_container.createControl(1, kButtonClsid, {}, QRect(0, 0, 40, 20), "A");
    auto *edit = new QLineEdit(&m_host);
    QWidget *second = m_container.createControl(2, kButtonClsid, {}, QRect(0, 30, 40, 20), "B");
    EXPECT_EQ(first->nextInFocusChain(), edit);
    EXPECT_EQ(edit->nextInFocusChain(), second);
}

TEST_F(ControlContainerTest, WindowTextGoesToCaptionAndNowhereElse)
{
    m_container.createControl(1, kButtonClsid, {}, QRect(0, 0, 40, 20), "A");
    createTestControl(2);
    EXPECT_TRUE(m_container.setWindowText(1, "&Reply"));
    EXPECT_FALSE(m_container.setWindowText(2, "text")); // neither Caption nor Text
    EXPECT_EQ(get(2, TestCtrl::DISPID_LABEL), ole::Variant(std::string("Control2")));
}

TEST_F(ControlContainerTest, ContainerRemovesItsWindowsWhenItGoes)
{
    QPointer<QWidget> window;
    {
        ui::ControlContainer container(&m_host);
        window = container.createControl(1, kButtonClsid, {}, QRect(0, 0, 40, 20), "A");
        ASSERT_TRUE(window);
    }
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&window] { return !window; }));
}

// A Click handler may close the window and so end the container inside the button's own event.
TEST_F(ControlContainerTest, HandlerMayEndTheContainerDuringAClick)
{
    for (const auto &clsid : {kButtonClsid, TestCtrl::kClsid}) {
        auto container = std::make_unique<ui::ControlContainer>(&m_host);
        QPointer<QWidget> window = container->createControl(1, clsid, {}, QRect(0, 0, 40, 20), "A");
        container->setEventHandler(
            [&container](int, ole::DispId, std::span<ole::Variant>) { container.reset(); });
        QTest::mouseClick(window, Qt::LeftButton);
        EXPECT_FALSE(container);
        EXPECT_TRUE(QTest::qWaitFor([&window] { return !window; }));
    }
}

} // namespace
