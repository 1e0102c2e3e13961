#include "app/CPagerDlg.h"

#include "MainWindowTest.h"
#include "app/CSettings.h"
#include "app/CTarvilApp.h"
#include "app/SettingsKeys.h"
#include "paging/CSavedMessageList.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"
#include "tests/support/NetworkNamespaces.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Each test runs in a network of its own, so the main window can bind its fixed ports.
class PagerDlgTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        if (!testnet::EnterPrivateNetwork())
            GTEST_SKIP() << "needs a network namespace of its own (root)";
    }

    static void typeDestination(RecordingPagerDlg &dialog, const QString &text)
    {
        dialog.DestinationBox()->setEditText(text);
    }
    static void clickPage(RecordingPagerDlg &dialog)
    {
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_PAGE), Qt::LeftButton);
    }
    // Pages sent to this machine come back to the window that sent them.
    static bool waitForPages(RecordingPagerDlg &dialog, std::size_t count)
    {
        return QTest::qWaitFor([&] { return dialog.received.size() >= count; }, 5000);
    }
};

TEST_F(PagerDlgTest, ShowsTheWindowWithItsButtonsAndFillsTheDestinationBox)
{
    settings.WriteInt(keys::kIpAddresses, keys::kTotalIps, 3);
    settings.WriteString(keys::kIpAddresses, "IP-1", "10.1.1.1");
    settings.WriteString(keys::kIpAddresses, "IP-3", "office");

    runWindow([](RecordingPagerDlg &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tarvil 32"));
        QComboBox *box = dialog.DestinationBox();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isEditable());
        ASSERT_EQ(box->count(), 3);
        EXPECT_EQ(box->itemText(0), QStringLiteral("10.1.1.1"));
        EXPECT_EQ(box->itemText(1), QString());
        EXPECT_EQ(box->itemText(2), QStringLiteral("office"));

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
    runWindow([](RecordingPagerDlg &) {});
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kInitialExecution), "False");
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kStartUp), "tarvil.wav");
    EXPECT_TRUE(player.played.empty());

    // The next start plays the start-up sound without waiting for it.
    runWindow([](RecordingPagerDlg &) {});
    const std::vector<RecordingSoundPlayer::Played> expected{{"tarvil.wav", sound::SND_ASYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(PagerDlgTest, StartUpSoundFollowsTheSettingsFileItself)
{
    settings.WriteString(keys::kSounds, keys::kStartUp, "hello.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kDisabledSounds, keys::kAll, "True");
    runWindow([](RecordingPagerDlg &) {});
    settings.WriteString(keys::kDisabledSounds, keys::kAll, std::nullopt);
    settings.WriteString(keys::kDisabledSounds, keys::kStartUp, "Disabled");
    runWindow([](RecordingPagerDlg &) {});
    EXPECT_TRUE(player.played.empty());
}

TEST_F(PagerDlgTest, EmptyDestinationIsRefused)
{
    runWindow([](RecordingPagerDlg &dialog) {
        typeDestination(dialog, QString());
        clickPage(dialog);
        EXPECT_TRUE(dialog.shownDestinations.empty());
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must supply an ip address or host name.");
    EXPECT_EQ(boxes[0].caption, "Missing Information");
    EXPECT_EQ(boxes[0].icon, ui::MessageIcon::Exclamation);
}

TEST_F(PagerDlgTest, NewDestinationsAreRememberedButPrefixesOfKnownOnesAreNot)
{
    settings.AddAddress("127.0.0.10");
    runWindow([&](RecordingPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("127.0.0.1"));
        clickPage(dialog);
        EXPECT_EQ(dialog.DestinationBox()->count(), 1);

        typeDestination(dialog, QStringLiteral("127.0.0.2"));
        clickPage(dialog);
        EXPECT_EQ(dialog.DestinationBox()->count(), 2);

        const std::vector<std::string> expected{"127.0.0.1", "127.0.0.2"};
        EXPECT_EQ(dialog.shownDestinations, expected);
        ASSERT_TRUE(waitForPages(dialog, 2));
        EXPECT_EQ(dialog.received[0].text, "hello");
    });
    const std::vector<std::string> expected{"127.0.0.10", "127.0.0.2"};
    EXPECT_EQ(settings.AddressList(), expected);
}

TEST_F(PagerDlgTest, PrefixSearchIgnoresCase)
{
    settings.AddAddress("Server1.example");
    runWindow([&](RecordingPagerDlg &dialog) {
        dialog.sendPages = false;
        typeDestination(dialog, QStringLiteral("serv"));
        clickPage(dialog);
        EXPECT_EQ(dialog.DestinationBox()->count(), 1);
    });
    EXPECT_EQ(settings.AddressList(), std::vector<std::string>{"Server1.example"});
}

TEST_F(PagerDlgTest, AliasIsShownAndRememberedButItsValueIsPaged)
{
    settings.WriteString(keys::kAlias, "office", "127.0.0.1,127.0.0.2");
    runWindow([&](RecordingPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("Office"));
        clickPage(dialog);
        EXPECT_EQ(dialog.shownDestinations, std::vector<std::string>{"Office"});
        ASSERT_TRUE(waitForPages(dialog, 2));
    });
    EXPECT_EQ(settings.AddressList(), std::vector<std::string>{"Office"});
}

TEST_F(PagerDlgTest, AnAliasIsResolvedOneStepOnly)
{
    // "boss" stands for "office", which is not looked up again: it does not resolve as a host.
    settings.WriteString(keys::kAlias, "boss", "office.invalid");
    settings.WriteString(keys::kAlias, "office.invalid", "127.0.0.1");
    runWindow([&](RecordingPagerDlg &dialog) {
        typeDestination(dialog, QStringLiteral("boss"));
        clickPage(dialog);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tarvil32");
    EXPECT_NE(boxes[0].text.find("Failed to write data to datagram socket"), std::string::npos);
}

TEST_F(PagerDlgTest, CancelledPageSendsNothing)
{
    runWindow([&](RecordingPagerDlg &dialog) {
        dialog.sendPages = false;
        typeDestination(dialog, QStringLiteral("127.0.0.1"));
        clickPage(dialog);
        EXPECT_EQ(dialog.shownDestinations.size(), 1u);
        QTest::qWait(100);
        EXPECT_TRUE(dialog.received.empty());
    });
}

TEST_F(PagerDlgTest, MemoryButtonPlaysItsSoundFirst)
{
    settings.WriteString(keys::kSounds, keys::kAccessMemory, "memory.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    runWindow([&](RecordingPagerDlg &dialog) {
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_MEMORY), Qt::LeftButton);
        EXPECT_EQ(dialog.memoryRuns, 1);
    });
    const std::vector<RecordingSoundPlayer::Played> expected{{"memory.wav", sound::SND_ASYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(PagerDlgTest, BalloonsFollowTheExactSettingWordAtStartAndAfterOptions)
{
    settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "false");
    runWindow([](RecordingPagerDlg &dialog) { EXPECT_TRUE(dialog.Balloon()->isActive()); });

    settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "FALSE");
    runWindow([&](RecordingPagerDlg &dialog) {
        EXPECT_FALSE(dialog.Balloon()->isActive());
        dialog.duringOptions = [&] {
            settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "TRUE");
        };
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_OPTIONS), Qt::LeftButton);
        EXPECT_EQ(dialog.optionsRuns, 1);
        EXPECT_TRUE(dialog.Balloon()->isActive());
    });
}

TEST_F(PagerDlgTest, EscapeEndsTheProgramWithoutTheExitSound)
{
    settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
    settings.WriteString(keys::kSounds, keys::kExit, "pageexit.wav");
    EXPECT_EQ(runWindow([](RecordingPagerDlg &) {}), ui::IDCANCEL);
    EXPECT_TRUE(player.played.empty());
}

TEST_F(PagerDlgTest, OnlyTheExactWordSwitchesAllSoundsOff)
{
    settings.WriteString(keys::kDisabledSounds, keys::kAll, "true");
    QTimer::singleShot(0, [&] { app.MainWindow()->EndDialog(ui::IDCANCEL); });
    app.Run();
    EXPECT_TRUE(app.Sounds().SoundsEnabled());

    settings.WriteString(keys::kDisabledSounds, keys::kAll, "True");
    QTimer::singleShot(0, [&] { app.MainWindow()->EndDialog(ui::IDCANCEL); });
    app.Run();
    EXPECT_FALSE(app.Sounds().SoundsEnabled());
}

TEST_F(PagerDlgTest, StartUpLoadsTheSavedMessagesAndReportsADamagedFileOnce)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(windir.path()));
    CSavedMessageList writer;
    writer.AddSavedMessage(CSavedMessage("a - b", "hi", "h"));
    writer.AddSavedMessage(CSavedMessage("c - d", "there", "k"));
    QFile file(QStringLiteral("Message.sav"));
    ASSERT_TRUE(file.resize(file.size() - 1)); // the second record loses its last byte

    for (int run = 0; run < 2; ++run) {
        QTimer::singleShot(0, [&] { app.MainWindow()->EndDialog(ui::IDCANCEL); });
        app.Run();
    }
    QDir::setCurrent(previous);

    ASSERT_EQ(app.SavedMessages().GetCount(), 1u);
    EXPECT_EQ(app.SavedMessages().GetAt(0).m_text, "hi");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_NE(boxes[0].text.find("Message.sav.damaged"), std::string::npos);
    EXPECT_TRUE(QFile::exists(windir.filePath(QStringLiteral("Message.sav.damaged"))));
}

} // namespace
