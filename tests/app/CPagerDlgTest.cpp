#include "app/CPagerDlg.h"

#include "app/Messages.h"
#include "app/SettingsKeys.h"
#include "net/SocketTypes.h"
#include "platform/ui/ToolTipControl.h"
#include "tests/app/MainWindowTest.h"
#include "tests/app/RecordingNetwork.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Sent = RecordingDatagramPort::Sent;

// The main window on a network without sockets: it runs as any user, and what it pages is
// recorded instead of sent.
class PagerDlgTest : public MainWindowTest {
protected:
    PagerDlgTest() : MainWindowTest(std::make_unique<RecordingNetwork>()) {}

    RecordingNetwork &recording() { return static_cast<RecordingNetwork &>(network()); }
    std::vector<Sent> &sent() { return recording().port.sent; }
};

TEST_F(PagerDlgTest, ShowsTheWindowWithItsButtonsAndFillsTheDestinationBox)
{
    settings.WriteInt(keys::kIpAddresses, keys::kTotalIps, 3);
    settings.WriteString(keys::kIpAddresses, "IP-1", "10.1.1.1");
    settings.WriteString(keys::kIpAddresses, "IP-3", "office");

    runWindow([](CPagerDlg &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tarvil 32"));
        QComboBox *box = dialog.DestinationBox();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isEditable());
        ASSERT_EQ(box->count(), 3);
        EXPECT_EQ(box->itemText(0), QStringLiteral("10.1.1.1"));
        EXPECT_EQ(box->itemText(1), QString());
        EXPECT_EQ(box->itemText(2), QStringLiteral("office"));
        EXPECT_EQ(box->currentText(), QString()); // nothing chosen until the user types

        const std::pair<int, const char *> buttons[] = {{CPagerDlg::IDC_PAGE, "&Page"},
                                                        {CPagerDlg::IDC_MEMORY, "&Memory"},
                                                        {CPagerDlg::IDC_OPTIONS, "&Options"}};
        for (const auto &[id, caption] : buttons) {
            auto *button = dialog.GetDlgItem(id)->findChild<QPushButton *>();
            if (!button)
                button = qobject_cast<QPushButton *>(dialog.GetDlgItem(id));
            ASSERT_NE(button, nullptr) << id;
            EXPECT_EQ(button->text(), QString::fromLatin1(caption));
        }
    });
}

TEST_F(PagerDlgTest, FirstStartWritesSoundDefaultsAndPlaysNoStartUpSoundYet)
{
    runWindow([](CPagerDlg &) {});
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kInitialExecution), "False");
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kStartUp), "tarvil.wav");
    EXPECT_TRUE(player.played.empty());

    // The next start plays the start-up sound without waiting for it.
    runWindow([](CPagerDlg &) {});
    const std::vector<RecordingSoundPlayer::Played> expected{{"tarvil.wav", sound::SND_ASYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(PagerDlgTest, StartUpSoundFollowsTheEventSoundRules)
{
    settings.WriteString(keys::kSounds, keys::kStartUp, "hello.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kDisabledSounds, keys::kAll, "True");
    runWindow([](CPagerDlg &) {});
    settings.WriteString(keys::kDisabledSounds, keys::kAll, std::nullopt);
    settings.WriteString(keys::kDisabledSounds, keys::kStartUp, "Disabled");
    runWindow([](CPagerDlg &) {});
    EXPECT_TRUE(player.played.empty());
}

TEST_F(PagerDlgTest, AFailedStartIsReportedAndClosesTheWindow)
{
    recording().failure = app::PagerNetwork::Failure{10048, "Datagram failure Initializing"};
    app::EventSounds sounds(settings, player);
    CPagerDlg dialog(settings, sounds, network(), sender, windows);
    QTimer::singleShot(30000, &dialog, [&] { dialog.EndDialog(-1); }); // must not be needed
    EXPECT_EQ(dialog.DoModal(), ui::IDCANCEL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "WinSock error 10048: Address already in use\nDatagram failure Initializing");
    EXPECT_FALSE(sender.isOpen());
}

TEST_F(PagerDlgTest, PageWithoutADatagramSocketIsRefusedAndTheSocketsCloseWithTheWindow)
{
    runWindow([&](CPagerDlg &dialog) {
        EXPECT_TRUE(recording().port.open);
        recording().port.open = false; // as after a start whose sockets went away
        typeDestination(dialog, QStringLiteral("far"));
        clickPage(dialog);
        recording().port.open = true;
    });
    EXPECT_FALSE(recording().port.open);
    EXPECT_TRUE(windows.shownDestinations.empty());
    expectOnlyBox("Bad Datagram - Restart Tarvil.", "Error", ui::MessageIcon::Stop);
}

TEST_F(PagerDlgTest, EmptyDestinationIsRefused)
{
    settings.AddAddress("10.1.1.1");
    runWindow([](CPagerDlg &dialog) { clickPage(dialog); }); // without typing anything
    EXPECT_TRUE(windows.shownDestinations.empty());
    expectOnlyBox("You must supply an ip address or host name.", "Missing Information",
                  ui::MessageIcon::Exclamation);
}

TEST_F(PagerDlgTest, NewDestinationsAreRememberedButPrefixesOfKnownOnesAreNot)
{
    settings.AddAddress("127.0.0.10");
    runWindow([&](CPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("127.0.0.1"));
        clickPage(dialog);
        EXPECT_EQ(dialog.DestinationBox()->count(), 1);

        typeDestination(dialog, QStringLiteral("127.0.0.2"));
        clickPage(dialog);
        EXPECT_EQ(dialog.DestinationBox()->count(), 2);
    });
    EXPECT_EQ(windows.shownDestinations, (std::vector<std::string>{"127.0.0.1", "127.0.0.2"}));
    const std::vector<Sent> expected{{"127.0.0.1", std::string("hello\0", 6), nullptr},
                                     {"127.0.0.2", std::string("hello\0", 6), nullptr}};
    EXPECT_EQ(sent(), expected);
    EXPECT_EQ(settings.addressList(), (std::vector<std::string>{"127.0.0.10", "127.0.0.2"}));
}

TEST_F(PagerDlgTest, PrefixSearchIgnoresCase)
{
    settings.AddAddress("Server1.example");
    windows.sendPages = false;
    runWindow([&](CPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("serv"));
        clickPage(dialog);
        EXPECT_EQ(dialog.DestinationBox()->count(), 1);
    });
    EXPECT_EQ(settings.addressList(), std::vector<std::string>{"Server1.example"});
    EXPECT_TRUE(sent().empty()); // a cancelled page window sends nothing
}

TEST_F(PagerDlgTest, AliasIsShownAndRememberedButItsValueIsPagedOneStepOnly)
{
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kSounds, keys::kSendPage, "pagesent.wav");
    // "boss" stands for "office,far"; "office" is an alias too, but is not looked up again.
    settings.WriteString(keys::kAlias, "boss", "office,far");
    settings.WriteString(keys::kAlias, "office", "127.0.0.1");
    recording().port.failures["office"] = 11001;
    runWindow([&](CPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("Boss"));
        clickPage(dialog);
    });
    EXPECT_EQ(windows.shownDestinations, std::vector<std::string>{"Boss"});
    EXPECT_EQ(settings.addressList(), std::vector<std::string>{"Boss"});
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].address, "far");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tarvil32");
    EXPECT_EQ(boxes[0].text, "WinSock error 11001: Host not found\n"
                             "Failed to write data to datagram socket");
    EXPECT_TRUE(player.played.empty()); // no "Send Page" after a failure
}

TEST_F(PagerDlgTest, NotificationsOfTheDatagramSocket)
{
    runWindow([&](CPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("far"));
        windows.pageText = "@Rhi";
        clickPage(dialog);
        ASSERT_EQ(sent().size(), 1u);
        auto notify = [&](msg::WPARAM code, msg::LPARAM value) {
            msg::WindowMessageEvent event(WM_DATAGRAM_NOTIFY, code, value);
            QCoreApplication::sendEvent(&dialog, &event);
        };
        notify(SN_SEND_FAILED, reinterpret_cast<msg::LPARAM>(sent()[0].data));
        recording().port.arriving.push_back({std::string("@Dyo\0", 5), "10.0.0.7"});
        notify(SN_RECEIVED, 1);
        notify(99, 0);
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Error sending data (@Rhi)");
    EXPECT_EQ(boxes[0].caption, "Winsock Information");
    EXPECT_EQ(boxes[1].text, "Unknown switch value in wParam.");
    EXPECT_EQ(boxes[1].icon, ui::MessageIcon::Information);
    ASSERT_EQ(windows.received.size(), 1u);
    EXPECT_EQ(windows.received[0].text, "yo");
    EXPECT_EQ(windows.received[0].sender, "10.0.0.7");
    EXPECT_EQ(sent().back().bytes, std::string("@D\0", 3)); // the delivery receipt
}

// A peer can make the same failure come again and again while its box is up: the boxes never
// nest, and one more box tells how many came meanwhile.
TEST_F(PagerDlgTest, RepeatedFailuresNeverOpenBoxesInsideBoxes)
{
    runWindow([&](CPagerDlg &dialog) {
        auto notify = [&](msg::WPARAM code) {
            msg::WindowMessageEvent event(WM_DATAGRAM_NOTIFY, code, 0);
            QCoreApplication::sendEvent(&dialog, &event);
        };
        int more = 3;
        boxes.whileOpen = [&](const ui::MessageBoxRequest &) {
            for (; more > 0; --more)
                notify(SN_RECEIVE_ERROR);
        };
        notify(SN_RECEIVE_ERROR);
        boxes.whileOpen = nullptr;
    });
    EXPECT_EQ(boxes.deepest, 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Error reading data.");
    EXPECT_EQ(boxes[1].text, "Error reading data.\n\nThe same happened 3 more times while this "
                             "message was open.");
}

// Each page's synchronous sound would keep the program from the network: the pages of a burst
// share one, while a single page keeps its own.
TEST_F(PagerDlgTest, PagesThatArriveTogetherShareOneSound)
{
    settings.WriteString(keys::kSounds, keys::kReceivePage, "beep.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    runWindow([&](CPagerDlg &dialog) {
        auto arrive = [&](int pages) {
            for (int page = 0; page < pages; ++page)
                recording().port.arriving.push_back({std::string("hi\0", 3), "10.0.0.7"});
            for (int page = 0; page < pages; ++page) {
                msg::WindowMessageEvent event(WM_DATAGRAM_NOTIFY, SN_RECEIVED, 1);
                QCoreApplication::sendEvent(&dialog, &event);
            }
        };
        arrive(3);
        arrive(1);
    });
    EXPECT_EQ(windows.received.size(), 4u);
    const std::vector<RecordingSoundPlayer::Played> expected{{"beep.wav", sound::SND_SYNC},
                                                             {"beep.wav", sound::SND_SYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(PagerDlgTest, MemoryButtonPlaysItsSoundFirst)
{
    settings.WriteString(keys::kSounds, keys::kAccessMemory, "memory.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    runWindow([&](CPagerDlg &dialog) {
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_MEMORY), Qt::LeftButton);
        EXPECT_EQ(windows.memoryBox, dialog.DestinationBox());
    });
    EXPECT_EQ(windows.memoryRuns, 1);
    const std::vector<RecordingSoundPlayer::Played> expected{{"memory.wav", sound::SND_ASYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(PagerDlgTest, BalloonsFollowTheExactSettingWordAtStartAndAfterOptions)
{
    settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "false");
    runWindow([](CPagerDlg &dialog) { EXPECT_TRUE(dialog.Balloon()->isActive()); });

    settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "FALSE");
    windows.duringOptions = [&] {
        settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "TRUE");
    };
    runWindow([&](CPagerDlg &dialog) {
        EXPECT_FALSE(dialog.Balloon()->isActive());
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_OPTIONS), Qt::LeftButton);
        EXPECT_EQ(windows.optionsRuns, 1);
        EXPECT_TRUE(dialog.Balloon()->isActive());
    });
}

TEST_F(PagerDlgTest, EscapeEndsTheProgramWithoutTheExitSound)
{
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kSounds, keys::kExit, "pageexit.wav");
    EXPECT_EQ(runWindow([](CPagerDlg &) {}), ui::IDCANCEL);
    EXPECT_TRUE(player.played.empty());
}

// The exit button is the 3-D command button with the power picture: a click plays "Exit" to its
// end, then ends the program.
TEST_F(PagerDlgTest, TheExitButtonPlaysTheExitSoundThenEndsTheProgram)
{
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kSounds, keys::kExit, "pageexit.wav");
    bool openWhilePlaying = false;
    EXPECT_EQ(runWindow([&](CPagerDlg &dialog) {
                  player.whileSynchronous = [&] {
                      openWhilePlaying = dialog.isVisible();
                  };
                  QWidget *exit = dialog.GetDlgItem(CPagerDlg::IDC_EXIT);
                  ASSERT_TRUE(exit);
                  EXPECT_FALSE(exit->objectName().startsWith(QStringLiteral("placeholder")));
                  QTest::mouseClick(exit, Qt::LeftButton);
                  EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }));
              }),
              ui::IDCANCEL);
    EXPECT_EQ(player.played,
              (std::vector<RecordingSoundPlayer::Played>{{"pageexit.wav", sound::SND_SYNC}}));
    EXPECT_TRUE(openWhilePlaying);
}

// Enter with the focus on the exit button clicks that button, not the dialog's default.
TEST_F(PagerDlgTest, EnterOnTheFocusedExitButtonClicksIt)
{
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kSounds, keys::kExit, "pageexit.wav");
    runWindow([&](CPagerDlg &dialog) {
        QWidget *exit = dialog.GetDlgItem(CPagerDlg::IDC_EXIT);
        exit->setFocus();
        QTest::keyClick(exit, Qt::Key_Return);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }));
    });
    EXPECT_EQ(player.played,
              (std::vector<RecordingSoundPlayer::Played>{{"pageexit.wav", sound::SND_SYNC}}));
}

} // namespace
