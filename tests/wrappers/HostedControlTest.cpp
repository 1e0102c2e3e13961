#include "platform/ole/ComponentLoader.h"
#include "platform/ole/Control.h"
#include "platform/ui/Dialog.h"
#include "tests/support/TempWindowsDirectory.h"
#include "wrappers/CCmdButton.h"
#include "wrappers/CQv3dLabel.h"
#include "wrappers/DataExchange.h"

#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int IDC_BUTTON = 1046;
constexpr int IDC_MISSING = 1023; // a class no library provides: an empty placeholder
constexpr int IDOK = 1;

ui::DialogTemplate testTemplate()
{
    const auto parsed = ui::DialogTemplate::parse(R"({ "id": 1, "caption": "Test",
        "rect": [0, 0, 180, 60], "font": { "name": "MS Sans Serif", "pointSize": 8 },
        "styles": ["WS_POPUP", "WS_CAPTION"],
        "controls": [
          { "id": 1046, "clsid": "{94737E71-55A9-45C7-8B33-BDB06CC4430A}", "rect": [5, 5, 50, 14],
            "text": "&Browse" },
          { "id": 1023, "clsid": "{01234567-89AB-CDEF-0123-456789ABCDEF}", "rect": [5, 25, 90, 14] }
        ] })");
    EXPECT_TRUE(parsed);
    return parsed.value_or(ui::DialogTemplate{});
}

// Runs `initialise` inside OnInitDialog, where windows bind and exchange their members, then
// ends at once.
class ExchangeDialog : public ui::Dialog {
public:
    explicit ExchangeDialog(std::function<void(ui::Dialog &)> initialise)
        : Dialog(testTemplate()), m_initialise(std::move(initialise))
    {}

protected:
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        m_initialise(*this);
        EndDialog(IDOK);
        return true;
    }

private:
    std::function<void(ui::Dialog &)> m_initialise;
};

class HostedControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR), ole::S_OK);
    }

    void run(std::function<void(ui::Dialog &)> initialise)
    {
        ExchangeDialog dialog(std::move(initialise));
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }

    TempWindowsDirectory m_windows;
};

TEST_F(HostedControlTest, ControlBindsTheWrapperToTheHostedControlById)
{
    run([](ui::Dialog &dialog) {
        CCmdButton browse;
        DDX_Control(dialog, IDC_BUTTON, browse);
        ASSERT_TRUE(browse.IsBound());
        EXPECT_EQ(browse.GetCaption(), "&Browse");
        browse.SetEnabled(false);
        EXPECT_EQ(browse.LastResult(), ole::S_OK);
        EXPECT_FALSE(dialog.GetDlgItem(IDC_BUTTON)->isEnabled());
    });
}

TEST_F(HostedControlTest, PlaceholderLeavesTheWrapperUnboundAndHarmless)
{
    run([](ui::Dialog &dialog) {
        CQv3dLabel heading;
        DDX_Control(dialog, IDC_MISSING, heading);
        EXPECT_FALSE(heading.IsBound());
        heading.SetCaption("Page from somewhere");
        EXPECT_EQ(heading.GetCaption(), "");
        EXPECT_EQ(heading.LastResult(), ole::E_POINTER);
    });
}

TEST_F(HostedControlTest, TextGoesToThePropertyOnOpenAndComesBackOnAccept)
{
    run([](ui::Dialog &dialog) {
        std::string alias = "friend's machine";
        EXPECT_TRUE(DDX_OCText(dialog, IDC_BUTTON, ole::DISPID_CAPTION, alias, false));
        CCmdButton button;
        DDX_Control(dialog, IDC_BUTTON, button);
        EXPECT_EQ(button.GetCaption(), "friend's machine");

        button.SetCaption("edited");
        EXPECT_TRUE(DDX_OCText(dialog, IDC_BUTTON, ole::DISPID_CAPTION, alias, true));
        EXPECT_EQ(alias, "edited");
    });
}

TEST_F(HostedControlTest, FailedTextExchangeLeavesTheMemberAsItWas)
{
    run([](ui::Dialog &dialog) {
        std::string alias = "kept";
        // The push button has no property 2.
        EXPECT_FALSE(DDX_OCText(dialog, IDC_BUTTON, 2, alias, true));
        EXPECT_EQ(alias, "kept");
        EXPECT_FALSE(DDX_OCText(dialog, IDC_MISSING, 2, alias, false));
        EXPECT_FALSE(DDX_OCText(dialog, IDC_MISSING, 2, alias, true));
        EXPECT_EQ(alias, "kept");
    });
}

TEST_F(HostedControlTest, CreateMakesTheControlOfTheWrappersClass)
{
    QWidget host;
    ui::ControlContainer container(&host);

    CCmdButton visible;
    ASSERT_TRUE(
        visible.Create("Go", {"WS_VISIBLE", "WS_TABSTOP"}, QRect(4, 4, 60, 20), container, 7));
    EXPECT_EQ(visible.GetCaption(), "Go");
    ASSERT_TRUE(container.control(7));
    QWidget *window = container.control(7)->window();
    EXPECT_EQ(window->parentWidget(), &host);
    EXPECT_EQ(window->geometry(), QRect(4, 4, 60, 20));
    EXPECT_FALSE(window->isHidden());

    // From persisted state, hidden and disabled.
    visible.SetCaption("Saved");
    std::vector<std::uint8_t> state;
    ASSERT_EQ(container.control(7)->save(state), ole::S_OK);
    CCmdButton restored;
    ASSERT_TRUE(
        restored.Create("Other", {"WS_DISABLED"}, QRect(4, 30, 60, 20), container, 8, state));
    EXPECT_EQ(restored.GetCaption(), "Saved");
    EXPECT_FALSE(restored.GetEnabled());
    EXPECT_TRUE(container.control(8)->window()->isHidden());

    // A class nobody provides leaves the placeholder and an unbound wrapper.
    CControlWrapper unknown(*ole::Clsid::fromString("{01234567-89AB-CDEF-0123-456789ABCDEF}"));
    EXPECT_FALSE(unknown.Create("None", {"WS_VISIBLE"}, QRect(4, 60, 60, 20), container, 9));
    EXPECT_FALSE(unknown.IsBound());
}

} // namespace
