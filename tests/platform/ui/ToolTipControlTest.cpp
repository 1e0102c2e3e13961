#include "platform/ui/ToolTipControl.h"

#include "platform/ui/Dialog.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

using ui::ToolTipControl;

// An active window with one tool and one widget that is not a tool.
class ToolTipControlTest : public ::testing::Test {
protected:
    ToolTipControlTest()
    {
        window.resize(200, 100);
        tool->setGeometry(0, 0, 100, 30);
        other->setGeometry(0, 50, 100, 30);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        balloon.AddTool(tool, "<b>x</b> & \xE9");
        balloon.SetDelayTime(50);
    }

    void enter(QWidget *widget)
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)));
        balloon.RelayEvent(widget, &event);
    }
    bool showsWithin(int milliseconds)
    {
        return QTest::qWaitFor([&] { return balloon.isShowing(); }, milliseconds);
    }
    // Whether the balloon is hidden when a timer started now fires. Timers fire in the order of
    // their deadlines, so a wait for the balloon that is shorter has run out by then, however late
    // the event loop gets there.
    bool hiddenWhenATimerFires(int milliseconds)
    {
        std::optional<bool> hidden;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] { hidden = !balloon.isShowing(); });
        timer.start(milliseconds);
        return QTest::qWaitFor([&] { return hidden.has_value(); }, milliseconds + 10000) && *hidden;
    }

    QWidget window;
    QPushButton *tool = new QPushButton(&window);
    QPushButton *other = new QPushButton(&window);
    ToolTipControl balloon{&window};
};

TEST_F(ToolTipControlTest, ShowsThePlainTextAfterTheDelayAndHidesAfterTenTimesIt)
{
    enter(tool);
    EXPECT_FALSE(balloon.isShowing());
    ASSERT_TRUE(showsWithin(2000));
    EXPECT_EQ(balloon.shownText(), QStringLiteral("<b>x</b> & \u00e9"));
    QLabel *popup = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->isVisible())
            popup = label;
    }
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->textFormat(), Qt::PlainText);

    EXPECT_TRUE(QTest::qWaitFor([&] { return !balloon.isShowing(); }, 3000));
}

TEST_F(ToolTipControlTest, WaitsTheDelayBeforeShowing)
{
    balloon.SetDelayTime(400);
    enter(tool);
    EXPECT_TRUE(hiddenWhenATimerFires(150));
    EXPECT_TRUE(showsWithin(2000));
}

TEST_F(ToolTipControlTest, InactiveShowsNothingAndDeactivatingHides)
{
    enter(tool);
    ASSERT_TRUE(showsWithin(2000));
    balloon.Activate(false);
    EXPECT_FALSE(balloon.isShowing());
    EXPECT_FALSE(balloon.isActive());

    enter(tool);
    EXPECT_TRUE(hiddenWhenATimerFires(300));

    balloon.Activate(true);
    enter(tool);
    EXPECT_TRUE(showsWithin(2000));
}

TEST_F(ToolTipControlTest, ClicksKeysAndOtherWidgetsHideIt)
{
    enter(tool);
    ASSERT_TRUE(showsWithin(2000));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    balloon.RelayEvent(tool, &key);
    EXPECT_FALSE(balloon.isShowing());

    enter(tool);
    ASSERT_TRUE(showsWithin(2000));
    enter(other);
    EXPECT_FALSE(balloon.isShowing());
    EXPECT_TRUE(hiddenWhenATimerFires(300));
}

TEST_F(ToolTipControlTest, ShowsOnlyWhileItsWindowIsActive)
{
    QWidget another;
    another.show();
    another.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&another));
    enter(tool);
    EXPECT_TRUE(hiddenWhenATimerFires(300));
}

// The window relays every event it sees before dispatch; the mouse entering a tool's child
// starts the wait.
class RelayingDialog : public ui::Dialog {
public:
    RelayingDialog()
        : ui::Dialog(ui::DialogTemplate::parse(R"({ "id": 2, "rect": [0, 0, 100, 60],
              "font": { "name": "MS Sans Serif", "pointSize": 8 }, "styles": ["WS_CAPTION"],
              "controls": [ { "id": 5, "class": "LISTBOX", "rect": [5, 5, 80, 40] } ] })")
                         .value())
    {}
    std::unique_ptr<ToolTipControl> balloon;

protected:
    bool OnInitDialog() override
    {
        balloon = std::make_unique<ToolTipControl>(this);
        balloon->AddTool(GetDlgItem(5), "Memory items currently stored");
        balloon->SetDelayTime(50);
        return true;
    }
    bool PreTranslateMessage(QObject *target, QEvent *event) override
    {
        if (balloon)
            balloon->RelayEvent(target, event);
        return ui::Dialog::PreTranslateMessage(target, event);
    }
};

TEST(ToolTipControlInDialog, TheMouseOverAToolShowsItsBalloon)
{
    QPointer<RelayingDialog> dialog = new RelayingDialog; // modeless: releases itself
    ASSERT_TRUE(dialog->Create());
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::mouseMove(dialog->GetDlgItem(5), QPoint(20, 20));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->balloon->isShowing(); }, 2000));
    EXPECT_EQ(dialog->balloon->shownText(), QStringLiteral("Memory items currently stored"));
    dialog->EndDialog(ui::IDOK);
    EXPECT_FALSE(dialog->balloon->isShowing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }));
}

} // namespace
