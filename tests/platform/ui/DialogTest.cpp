#include "platform/ui/Dialog.h"

#include "platform/ui/DialogUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using namespace ui;
using namespace msg;

enum { IDC_COMBO = 1004, IDC_LINE = 1010, IDC_TEXT = 1011, IDC_PUSH = 1012, IDC_CHECK = 1013 };
constexpr int IDC_HOSTED = 1020;
constexpr unsigned WM_TEST = WM_USER + 1;

DialogTemplate testTemplate()
{
    const auto parsed =
        DialogTemplate::parse(R"({ "id": 1, "caption": "Test", "rect": [0, 0, 184, 81],
        "font": { "name": "MS Sans Serif", "pointSize": 8 },
        "styles": ["WS_POPUP", "WS_CAPTION", "WS_SYSMENU", "WS_MINIMIZEBOX"],
        "controls": [
          { "id": 1004, "class": "COMBOBOX", "rect": [12, 35, 159, 83],
            "styles": ["CBS_DROPDOWN", "WS_VSCROLL", "WS_TABSTOP"] },
          { "id": 1010, "class": "EDIT", "rect": [7, 23, 249, 13], "styles": ["WS_BORDER"] },
          { "id": 1011, "class": "EDIT", "rect": [17, 29, 64, 15], "styles": ["ES_MULTILINE"] },
          { "id": 1012, "class": "BUTTON", "rect": [10, 56, 54, 16], "text": "&Go" },
          { "id": 1013, "class": "BUTTON", "rect": [70, 56, 54, 16], "text": "<b>x</b>",
            "styles": ["BS_AUTOCHECKBOX"] },
          { "id": 1020, "clsid": "{00000000-0000-0000-0000-00000000BEEF}", "rect": [5, 60, 21, 9] }
        ] })");
    EXPECT_TRUE(parsed);
    return parsed.value_or(DialogTemplate{});
}

// Records what the dialog's overridable steps see.
class TestDialog : public Dialog {
public:
    explicit TestDialog(QWidget *parent = nullptr) : Dialog(testTemplate(), parent) {}

    using Dialog::CenterWindow;
    using Dialog::onClick;
    using Dialog::onMessage;

    int okCalls = 0;
    int cancelCalls = 0;
    std::vector<unsigned> timerFires;
    std::vector<std::pair<QObject *, QEvent::Type>> seen;
    int eatKey = 0;
    std::function<void(TestDialog &)> onInit;

protected:
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return true;
    }
    void OnOK() override
    {
        ++okCalls;
        Dialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancelCalls;
        Dialog::OnCancel();
    }
    void OnTimer(unsigned id) override { timerFires.push_back(id); }
    bool PreTranslateMessage(QObject *target, QEvent *event) override
    {
        seen.emplace_back(target, event->type());
        return event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent *>(event)->key() == eatKey;
    }
};

constexpr int kStuck = -2;

// Runs `dialog` modally and does `actions` once its run has begun; a run that the actions do not
// end gives kStuck after a few seconds.
int runModal(TestDialog &dialog, std::function<void()> actions)
{
    QTimer::singleShot(0, &dialog, std::move(actions));
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.EndDialog(kStuck); });
    return dialog.DoModal();
}

// The program's main window runs modally without an owner: the modeless windows it owns (pages
// that came in, chats) must take input meanwhile.
TEST(DialogModality, AnOwnerlessRunLeavesTheModelessWindowsItOwnsUsable)
{
    TestDialog main;
    int clicks = 0;
    EXPECT_EQ(runModal(main,
                       [&] {
                           auto *modeless = new TestDialog(&main);
                           modeless->onClick(IDC_PUSH, [&] { ++clicks; });
                           ASSERT_TRUE(modeless->Create());
                           QWidget *push = modeless->GetDlgItem(IDC_PUSH);
                           // Through the window system, where a blocked window drops the click.
                           QTest::mouseClick(modeless->windowHandle(), Qt::LeftButton, {},
                                             push->mapTo(modeless, push->rect().center()));
                           EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }));
                           main.EndDialog(IDOK);
                       }),
              IDOK);
}

TEST(DialogLayout, ControlsLandAtTheirTemplatePositionsInPixels)
{
    const QFont font = DialogUnits::dialogFont("MS Sans Serif", 8);
    EXPECT_EQ(font.pixelSize(), 11); // 8 points at 96 dpi
    const DialogUnits units(font);
    const int bw = units.baseWidth(), bh = units.baseHeight();
    EXPECT_GE(bw, 5);
    EXPECT_LE(bw, 8);
    EXPECT_EQ(bh, QFontMetrics(font).height());
    // Rounded to the nearest pixel, written independently of MulDiv.
    const auto x = [bw](int du) {
        return (du * bw * 2 + 4) / 8;
    };
    const auto y = [bh](int du) {
        return (du * bh * 2 + 8) / 16;
    };

    TestDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Test"));
        EXPECT_EQ(dialog.size(), QSize(x(184), y(81)));
        EXPECT_TRUE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(dialog.windowFlags() & Qt::WindowContextHelpButtonHint);

        EXPECT_EQ(dialog.GetDlgItem(IDC_LINE)->geometry(), QRect(x(7), y(23), x(249), y(13)));
        EXPECT_EQ(dialog.GetDlgItem(IDC_PUSH)->geometry(), QRect(x(10), y(56), x(54), y(16)));
        EXPECT_EQ(dialog.GetDlgItem(IDC_HOSTED)->geometry(), QRect(x(5), y(60), x(21), y(9)));
        // The combo box's height in the template includes its list.
        auto *combo = qobject_cast<QComboBox *>(dialog.GetDlgItem(IDC_COMBO));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->geometry(), QRect(x(12), y(35), x(159), combo->sizeHint().height()));
        EXPECT_TRUE(combo->isEditable());

        EXPECT_EQ(dialog.findChild<QWidget *>(QStringLiteral("id1010")),
                  dialog.GetDlgItem(IDC_LINE));
        EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
        auto *check = qobject_cast<QCheckBox *>(dialog.GetDlgItem(IDC_CHECK));
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->text(), QStringLiteral("<b>x</b>"));
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(DialogKeys, EnterAndEscapeEndTheRunThroughOnOkAndOnCancel)
{
    TestDialog enter;
    EXPECT_EQ(runModal(enter, [&] { QTest::keyClick(enter.GetDlgItem(IDC_LINE), Qt::Key_Return); }),
              IDOK);
    EXPECT_EQ(enter.okCalls, 1);

    TestDialog escape;
    EXPECT_EQ(runModal(escape, [&] { QTest::keyClick(&escape, Qt::Key_Escape); }), IDCANCEL);
    EXPECT_EQ(escape.cancelCalls, 1);
}

TEST(DialogKeys, EnterTypedInTheEditableComboBoxReachesOnOk)
{
    TestDialog dialog;
    QComboBox *combo = nullptr;
    dialog.onInit = [&](TestDialog &self) {
        combo = qobject_cast<QComboBox *>(self.GetDlgItem(IDC_COMBO));
        combo->addItem(QStringLiteral("hostname"));
        combo->setCurrentIndex(-1);
        combo->setFocus();
    };
    EXPECT_EQ(runModal(dialog,
                       [&] {
                           QTest::keyClicks(combo, QStringLiteral("host"));
                           QTest::keyClick(combo, Qt::Key_Return);
                       }),
              IDOK);
    EXPECT_EQ(dialog.okCalls, 1);
    // Neither completed from the list nor added to it.
    EXPECT_EQ(combo->currentText(), QStringLiteral("host"));
    EXPECT_EQ(combo->count(), 1);
}

TEST(DialogKeys, EnterOnAFocusedPushButtonClicksItInsteadOfOk)
{
    TestDialog dialog;
    int clicks = 0;
    dialog.onClick(IDC_PUSH, [&] { ++clicks; });
    dialog.onInit = [](TestDialog &self) {
        self.GetDlgItem(IDC_PUSH)->setFocus();
    };
    EXPECT_EQ(runModal(dialog,
                       [&] {
                           QTest::keyClick(dialog.GetDlgItem(IDC_PUSH), Qt::Key_Return);
                           dialog.EndDialog(IDCANCEL);
                       }),
              IDCANCEL);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dialog.okCalls, 0);
}

TEST(DialogKeys, EnterInAMultiLineEditIsANewLine)
{
    TestDialog dialog;
    QPlainTextEdit *edit = nullptr;
    dialog.onInit = [&](TestDialog &self) {
        edit = qobject_cast<QPlainTextEdit *>(self.GetDlgItem(IDC_TEXT));
        edit->setFocus();
    };
    EXPECT_EQ(runModal(dialog,
                       [&] {
                           QTest::keyClicks(edit, QStringLiteral("a"));
                           QTest::keyClick(edit, Qt::Key_Return);
                           QTest::keyClicks(edit, QStringLiteral("b"));
                           QTest::keyClick(edit, Qt::Key_Escape);
                       }),
              IDCANCEL);
    EXPECT_EQ(dialog.okCalls, 0);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("a\nb"));
}

TEST(DialogClose, CloseBoxAndPostedCloseCancel)
{
    TestDialog closeBox;
    EXPECT_EQ(runModal(closeBox, [&] { closeBox.close(); }), IDCANCEL);
    EXPECT_EQ(closeBox.cancelCalls, 1);

    TestDialog posted;
    EXPECT_EQ(runModal(posted, [&] { PostMessage(&posted, WM_CLOSE, 0, 0); }), IDCANCEL);
    EXPECT_EQ(posted.cancelCalls, 1);

    TestDialog atInit;
    atInit.onInit = [](TestDialog &self) {
        self.EndDialog(IDOK);
    };
    EXPECT_EQ(atInit.DoModal(), IDOK);
    EXPECT_FALSE(atInit.isVisible());
}

TEST(DialogMessages, PostedMessagesReachTheirHandlerInOrder)
{
    TestDialog dialog;
    std::vector<std::pair<WPARAM, LPARAM>> received;
    dialog.onMessage(WM_TEST, [&](WPARAM wParam, LPARAM lParam) {
        received.emplace_back(wParam, lParam);
        if (received.size() == 2)
            dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(runModal(dialog,
                       [&] {
                           PostMessage(&dialog, WM_TEST, 3, -7);
                           EXPECT_TRUE(received.empty()); // only once the caller returns
                           PostMessage(&dialog, WM_TEST, 4, 8);
                       }),
              IDOK);
    EXPECT_EQ(received, (std::vector<std::pair<WPARAM, LPARAM>>{{3, -7}, {4, 8}}));
}

TEST(DialogMessages, AMessageForADestroyedWindowIsDropped)
{
    bool delivered = false;
    auto *dialog = new TestDialog;
    dialog->onMessage(WM_TEST, [&](WPARAM, LPARAM) { delivered = true; });
    PostMessage(dialog, WM_TEST, 1, 2);
    delete dialog;
    PostMessage(nullptr, WM_TEST, 1, 2);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

TEST(DialogMessages, PlatformButtonsRouteTheirClicks)
{
    TestDialog dialog;
    std::vector<int> clicks;
    dialog.onClick(IDC_PUSH, [&] { clicks.push_back(IDC_PUSH); });
    dialog.onClick(IDC_CHECK, [&] { clicks.push_back(IDC_CHECK); });
    EXPECT_EQ(runModal(dialog,
                       [&] {
                           QTest::mouseClick(dialog.GetDlgItem(IDC_PUSH), Qt::LeftButton);
                           QTest::mouseClick(dialog.GetDlgItem(IDC_CHECK), Qt::LeftButton);
                           dialog.EndDialog(IDOK);
                       }),
              IDOK);
    EXPECT_EQ(clicks, (std::vector<int>{IDC_PUSH, IDC_CHECK}));
    EXPECT_TRUE(qobject_cast<QCheckBox *>(dialog.GetDlgItem(IDC_CHECK))->isChecked());
}

TEST(DialogTimers, TimersFireByIdUntilKilled)
{
    TestDialog dialog;
    dialog.SetTimer(1, 15);
    dialog.SetTimer(2, 15);
    dialog.SetTimer(1, 15); // restarts, does not add a second timer
    const auto fires = [&](unsigned id) {
        return std::count(dialog.timerFires.begin(), dialog.timerFires.end(), id);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return fires(1) >= 2 && fires(2) >= 2; }, 5000));
    dialog.KillTimer(1);
    const auto firesOfOne = fires(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fires(2) >= firesOfOne + 4; }, 5000));
    EXPECT_EQ(fires(1), firesOfOne);
    // Each fire of the doubly set id is one tick of one timer.
    EXPECT_LE(firesOfOne, fires(2) + 1);
    dialog.KillTimer(2);
}

TEST(DialogModeless, DestroyingTheWindowReleasesTheObject)
{
    QPointer<TestDialog> dialog = new TestDialog;
    ASSERT_TRUE(dialog->Create());
    EXPECT_TRUE(dialog->isVisible());
    dialog->DestroyWindow();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }));

    // Closing by a posted close request, Escape or EndDialog ends the same way.
    for (const auto &close : std::vector<std::function<void(TestDialog &)>>{
             [](TestDialog &d) { PostMessage(&d, WM_CLOSE, 0, 0); },
             [](TestDialog &d) { QTest::keyClick(&d, Qt::Key_Escape); },
             [](TestDialog &d) {
                 d.EndDialog(IDOK);
             }}) {
        dialog = new TestDialog;
        ASSERT_TRUE(dialog->Create());
        close(*dialog);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }));
    }
}

TEST(DialogPreTranslate, SeesEventsOfChildrenCreatedLaterAndMayEatThem)
{
    QPointer<TestDialog> dialog = new TestDialog;
    ASSERT_TRUE(dialog->Create());
    // A hosted control's window may make widgets of its own at any time.
    auto *late = new QLineEdit(new QWidget(dialog->GetDlgItem(IDC_HOSTED)));
    dialog->seen.clear();
    QTest::keyClick(late, Qt::Key_A);
    EXPECT_NE(std::find(dialog->seen.begin(), dialog->seen.end(),
                        std::pair<QObject *, QEvent::Type>(late, QEvent::KeyPress)),
              dialog->seen.end());
    EXPECT_EQ(late->text(), QStringLiteral("a"));

    dialog->eatKey = Qt::Key_B;
    QTest::keyClick(late, Qt::Key_B);
    EXPECT_EQ(late->text(), QStringLiteral("a"));

    // Another window's widgets are not this window's business.
    QLineEdit elsewhere;
    dialog->seen.clear();
    QTest::keyClick(&elsewhere, Qt::Key_A);
    for (const auto &[target, type] : dialog->seen)
        EXPECT_NE(target, &elsewhere);
    dialog->DestroyWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }));
}

} // namespace
