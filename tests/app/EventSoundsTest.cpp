#include "app/EventSounds.h"

#include "app/Settings.h"
#include "tests/support/RecordingSoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class EventSoundsTest : public ::testing::Test {
protected:
    QByteArray settingsFile() const
    {
        QFile file(folder.filePath(QStringLiteral("tarvil32.INI")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    app::Settings settings{folder.filePath(QStringLiteral("tarvil32.INI")).toStdString()};
    RecordingSoundPlayer player;
    app::EventSounds sounds{settings, player};
};

TEST_F(EventSoundsTest, FirstRunWritesExactlyTheTenDefaultsOnce)
{
    sounds.writeFirstRunDefaults();
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
    sounds.writeFirstRunDefaults();
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kExit), "/home/me/bye.wav");
}

TEST_F(EventSoundsTest, DeletingTheFirstRunMarkerRestoresEveryDefault)
{
    sounds.writeFirstRunDefaults();
    settings.WriteString(keys::kSounds, keys::kExit, "/home/me/bye.wav");
    settings.WriteString(keys::kSounds, keys::kInitialExecution, std::nullopt);
    sounds.writeFirstRunDefaults();
    EXPECT_EQ(settings.GetString(keys::kSounds, keys::kExit), "pageexit.wav");
}

TEST_F(EventSoundsTest, PlaysTheEventsFileInTheRequestedMode)
{
    sounds.writeFirstRunDefaults();
    sounds.PlayEventSound(keys::kSendPage, app::EventSounds::Mode::Synchronous);
    sounds.PlayEventSound(keys::kReadReceipt, app::EventSounds::Mode::Asynchronous);
    const std::vector<RecordingSoundPlayer::Played> expected{{"pagesent.wav", sound::SND_SYNC},
                                                             {"read.wav", sound::SND_ASYNC}};
    EXPECT_EQ(player.played, expected);
}

TEST_F(EventSoundsTest, SwitchedOffOrEmptiedEventsPlayNothing)
{
    sounds.writeFirstRunDefaults();
    settings.WriteString(keys::kDisabledSounds, keys::kSendPage, "anything at all");
    settings.WriteString(keys::kSounds, keys::kExit, std::nullopt);
    sounds.PlayEventSound(keys::kSendPage, app::EventSounds::Mode::Synchronous);
    sounds.PlayEventSound(keys::kExit, app::EventSounds::Mode::Synchronous);
    EXPECT_TRUE(player.played.empty());

    sounds.PlayEventSound(keys::kStartChat, app::EventSounds::Mode::Synchronous);
    EXPECT_EQ(player.played.size(), 1u);

    sounds.setSoundsEnabled(false);
    sounds.PlayEventSound(keys::kStartChat, app::EventSounds::Mode::Synchronous);
    EXPECT_EQ(player.played.size(), 1u);
}

} // namespace
