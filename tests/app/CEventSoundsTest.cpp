#include "app/CEventSounds.h"

#include "app/CSettings.h"
#include "app/SettingsKeys.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class EventSoundsTest : public ::testing::Test {
protected:
    QByteArray settingsFile() const
    {
        QFile file(windir.filePath(QStringLiteral("tarvil32.INI")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempWindowsDirectory windir;
    CSettings settings{"tarvil32.INI"};
    RecordingSoundPlayer player;
    CEventSounds sounds{settings, player};
};

TEST_F(EventSoundsTest, FirstRunWritesExactlyTheTenDefaultsOnce)
{
    sounds.WriteFirstRunDefaults();
    const QByteArray expected = "[Sounds]\r\n"
                                "Start Up=tarvil.wav\r\n"
                                "Exit=pageexit.wav\r\n"
                                "Send Page=pagesent.wav\r\n"
                                "Recieve Page=beep.wav\r\n"
                                "Recieve Chat=chatlink.wav\r\n"
                                "Terminate Chat=lostchat.wav\r\n"
                                "Start Chat=newchat.wav\r\n"
                                "Access Memory=memory.wav\r\n"
                                "Delivery Receipt=delivery.wav\r\n"
                                "Read Receipt=read.wav\r\n"
                                "Initial Execution=False\r\n";
    EXPECT_EQ(settingsFile(), expected);

    settings.WriteString(keys::kSounds, keys::kExit, "/home/me/bye.wav");
    sounds.WriteFirstRunDefaults();
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kExit), "/home/me/bye.wav");
}

TEST_F(EventSoundsTest, DeletingTheFirstRunMarkerRestoresEveryDefault)
{
    sounds.WriteFirstRunDefaults();
    settings.WriteString(keys::kSounds, keys::kExit, "/home/me/bye.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, std::nullopt);
    sounds.WriteFirstRunDefaults();
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kExit), "pageexit.wav");
}

TEST_F(EventSoundsTest, PlaysTheEventsFileInTheRequestedMode)
{
    sounds.WriteFirstRunDefaults();
    sounds.PlayEventSound(keys::kSendPage, CEventSounds::Mode::Synchronous);
    sounds.PlayEventSound(keys::kReadReceipt, CEventSounds::Mode::Asynchronous);
    const std::vector<RecordingSoundPlayer::Played> expected{{"pagesent.wav", sound::SND_SYNC},
                                                             {"read.wav", sound::SND_ASYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(EventSoundsTest, SwitchedOffOrEmptiedEventsPlayNothing)
{
    sounds.WriteFirstRunDefaults();
    settings.WriteString(keys::kDisabledSounds, keys::kSendPage, "anything at all");
    settings.WriteString(keys::kSounds, keys::kExit, std::nullopt);
    sounds.PlayEventSound(keys::kSendPage, CEventSounds::Mode::Synchronous);
    sounds.PlayEventSound(keys::kExit, CEventSounds::Mode::Synchronous);
    EXPECT_TRUE(player.played.empty());

    sounds.PlayEventSound(keys::kStartChat, CEventSounds::Mode::Synchronous);
    EXPECT_EQ(player.played.size(), 1u);

    sounds.SetSoundsEnabled(false);
    sounds.PlayEventSound(keys::kStartChat, CEventSounds::Mode::Synchronous);
    EXPECT_EQ(player.played.size(), 1u);
}

} // namespace
