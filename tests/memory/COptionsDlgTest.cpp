#include "memory/COptionsDlg.h"

#include "app/EventSounds.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/ToolTipControl.h"
#include "tests/support/PageWindowWorld.h"
#include "tests/support/RecordingSoundPlayer.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Dlg = COptionsDlg;

// The options window driven as a user drives it, in a private current directory for
// "tarvil.bak", with the file and colour dialogs answered here.
class OptionsWindowTest : public ::testing::Test, protected PageWindowWorld {
protected:
    OptionsWindowTest()
    {
        QDir::setCurrent(workDirectory.path());
        ui::setOpenFileHandler([this](const ui::OpenFileRequest &request) {
            fileFilters.push_back(request.filter);
            return chosenFile;
        });
        ui::setChooseColorHandler([this](QWidget *, int initial) {
            colourStarts.push_back(initial);
            return chosenColour;
        });
    }
    ~OptionsWindowTest() override
    {
        ui::setOpenFileHandler({});
        ui::setChooseColorHandler({});
        QDir::setCurrent(previousDirectory);
    }

    // Runs the window modally; `actions` drive it and end it.
    int run(const std::function<void(Dlg &)> &actions)
    {
        Dlg window(settings, sounds, &mainWindow);
        QTimer::singleShot(0, [&] { actions(window); });
        return window.DoModal();
    }

    template <typename T> static T *item(Dlg &window, int id)
    {
        return qobject_cast<T *>(window.GetDlgItem(id));
    }
    static void click(Dlg &window, int id)
    {
        QTest::mouseClick(window.GetDlgItem(id), Qt::LeftButton);
    }
    static bool enabled(Dlg &window, int id) { return window.GetDlgItem(id)->isEnabled(); }
    static void select(Dlg &window, std::string_view event)
    {
        auto *list = item<QListWidget>(window, Dlg::IDC_EVENTS);
        list->setCurrentItem(list->findItems(QString::fromLatin1(event), Qt::MatchExactly)[0]);
    }

    std::string stored(std::string_view section, std::string_view key) const
    {
        return settings.GetString(section, key, "(absent)");
    }
    QByteArray settingsBytes() const
    {
        QFile file(QString::fromStdString(settings.filePath()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const QString previousDirectory = QDir::currentPath();
    QTemporaryDir workDirectory;
    RecordingSoundPlayer player;
    app::EventSounds sounds{settings, player};
    std::optional<std::string> chosenFile;
    std::optional<int> chosenColour;
    std::vector<std::string> fileFilters;
    std::vector<int> colourStarts;
};

TEST_F(OptionsWindowTest, EventsAreSortedAndEachHasItsFileSwitchAndPlay)
{
    settings.WriteString(keys::kSounds, keys::kExit, "pageexit.wav");
    run([&](Dlg &window) {
        auto *list = item<QListWidget>(window, Dlg::IDC_EVENTS);
        auto *file = item<QLineEdit>(window, Dlg::IDC_WAV_FILE);
        auto *switchedOff = item<QCheckBox>(window, Dlg::IDC_DISABLE_EVENT);
        const char *const sorted[] = {
            "Access Memory", "Delivery Receipt", "Exit",       "Read Receipt", "Recieve Chat",
            "Recieve Page",  "Send Page",        "Start Chat", "Start Up",     "Terminate Chat"};
        ASSERT_EQ(list->count(), 10);
        for (int row = 0; row < 10; ++row)
            EXPECT_EQ(list->item(row)->text().toStdString(), sorted[row]);
        EXPECT_EQ(list->currentRow(), 0);

        // No file and not switched off: Play is there, and asks for a file.
        EXPECT_TRUE(file->text().isEmpty());
        EXPECT_TRUE(enabled(window, Dlg::IDC_PLAY));
        click(window, Dlg::IDC_PLAY);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "You must supply a wav file to play!");
        EXPECT_EQ(boxes[0].caption, "Missing Wav File");

        // Play waits for the sound, once per click: the button springing back plays nothing.
        select(window, keys::kExit);
        EXPECT_EQ(file->text(), QStringLiteral("pageexit.wav"));
        click(window, Dlg::IDC_PLAY);
        EXPECT_EQ(player.played,
                  std::vector<RecordingSoundPlayer::Played>({{"pageexit.wav", sound::SND_SYNC}}));
        player.plays = false;
        click(window, Dlg::IDC_PLAY);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].text,
                  "There seems to be a problem with the device driver attached to that sound.");
        EXPECT_EQ(boxes[1].caption, "Sound Failure");

        // Emptying the box deletes the key; a keystroke writes it again.
        file->clear();
        EXPECT_EQ(stored(keys::kSounds, keys::kExit), "(absent)");
        EXPECT_FALSE(enabled(window, Dlg::IDC_PLAY));
        QTest::keyClicks(file, QStringLiteral("a"));
        EXPECT_EQ(stored(keys::kSounds, keys::kExit), "a");

        // The event's own switch, for that event only.
        switchedOff->click();
        EXPECT_EQ(stored(keys::kDisabledSounds, keys::kExit), "Disabled");
        EXPECT_EQ(stored(keys::kDisabledSounds, keys::kStartUp), "(absent)");
        EXPECT_FALSE(enabled(window, Dlg::IDC_WAV_FILE));
        switchedOff->click();
        EXPECT_EQ(stored(keys::kDisabledSounds, keys::kExit), "(absent)");
        click(window, Dlg::IDC_OK);
    });
}

TEST_F(OptionsWindowTest, DisablingAllEventsSilencesAtOnceAndEachEventKeepsItsOwnState)
{
    settings.WriteString(keys::kDisabledSounds, keys::kExit, "Disabled");
    run([&](Dlg &window) {
        auto *all = item<QCheckBox>(window, Dlg::IDC_DISABLE_ALL);
        auto *own = item<QCheckBox>(window, Dlg::IDC_DISABLE_EVENT);
        all->click();
        EXPECT_EQ(stored(keys::kDisabledSounds, keys::kAll), "True");
        EXPECT_FALSE(sounds.soundsEnabled());
        for (const int id :
             {Dlg::IDC_DISABLE_EVENT, Dlg::IDC_WAV_FILE, Dlg::IDC_BROWSE, Dlg::IDC_PLAY})
            EXPECT_FALSE(enabled(window, id));

        // Another event's controls follow its own switch again; the event switch stays off.
        select(window, keys::kSendPage);
        EXPECT_FALSE(own->isEnabled());
        for (const int id : {Dlg::IDC_WAV_FILE, Dlg::IDC_BROWSE, Dlg::IDC_PLAY})
            EXPECT_TRUE(enabled(window, id));
        select(window, keys::kExit);
        EXPECT_TRUE(own->isChecked());
        EXPECT_FALSE(enabled(window, Dlg::IDC_WAV_FILE));
        click(window, Dlg::IDC_CANCEL);
    });
    // Cancel restores the file; the program stays silent until it starts again.
    EXPECT_EQ(stored(keys::kDisabledSounds, keys::kAll), "(absent)");
    EXPECT_FALSE(sounds.soundsEnabled());
}

TEST_F(OptionsWindowTest, CancelPutsBackTheSettingsFileByteForByte)
{
    settings.WriteString(keys::kSounds, keys::kStartUp, "tarvil.wav");
    settings.WriteInt(keys::kChatColors, keys::kBackground, 255);
    const QByteArray before = settingsBytes();
    chosenFile = "/sounds/ring.wav";
    chosenColour = 0x123456;
    const int result = run([&](Dlg &window) {
        EXPECT_TRUE(QFile::exists(QStringLiteral("tarvil.bak")));
        click(window, Dlg::IDC_BROWSE);
        EXPECT_EQ(item<QLineEdit>(window, Dlg::IDC_WAV_FILE)->text(),
                  QStringLiteral("/sounds/ring.wav"));
        click(window, Dlg::IDC_FOREGROUND);
        click(window, Dlg::IDC_BACKGROUND);
        EXPECT_EQ(stored(keys::kChatColors, keys::kForeground), "1193046");

        item<QCheckBox>(window, Dlg::IDC_DISABLE_BALLOONS)->click();
        item<QLineEdit>(window, Dlg::IDC_DELAY)->setText(QStringLiteral("7"));
        click(window, Dlg::IDC_CANCEL);
    });
    EXPECT_EQ(result, ui::IDCANCEL);
    EXPECT_EQ(fileFilters, std::vector<std::string>{"Wav Files (*.wav)"});
    EXPECT_EQ(colourStarts, std::vector<int>({0, 255})); // no colour set starts from black
    EXPECT_EQ(settingsBytes(), before);
    EXPECT_FALSE(QFile::exists(QStringLiteral("tarvil.bak")));
}

TEST_F(OptionsWindowTest, WithoutACompleteBackupTheUserIsToldAndCancelRestoresNothing)
{
    // A folder where the backup should go: no copy can be made.
    ASSERT_TRUE(QDir().mkdir(QStringLiteral("tarvil.bak")));
    settings.WriteString(keys::kSounds, keys::kStartUp, "tarvil.wav");
    run([&](Dlg &window) {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find("tarvil.bak"), std::string::npos);
        item<QLineEdit>(window, Dlg::IDC_WAV_FILE)->setText(QStringLiteral("x.wav"));
        click(window, Dlg::IDC_CANCEL);
    });
    EXPECT_EQ(stored(keys::kSounds, keys::kAccessMemory), "x.wav");
    EXPECT_TRUE(QFileInfo(QStringLiteral("tarvil.bak")).isDir());

    // A backup that is gone by Cancel: told, and the edits stay.
    ASSERT_TRUE(QDir().rmdir(QStringLiteral("tarvil.bak")));
    run([&](Dlg &window) {
        ASSERT_TRUE(QFile::remove(QStringLiteral("tarvil.bak")));
        item<QLineEdit>(window, Dlg::IDC_WAV_FILE)->setText(QStringLiteral("y.wav"));
        click(window, Dlg::IDC_CANCEL);
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].text.find("could not be restored"), std::string::npos);
    EXPECT_EQ(stored(keys::kSounds, keys::kAccessMemory), "y.wav");
}

TEST_F(OptionsWindowTest, BalloonSwitchAndDelay)
{
    // None stored: the box shows 1 and 1 is stored, even when Ok changes nothing.
    run([&](Dlg &window) {
        EXPECT_EQ(item<QLineEdit>(window, Dlg::IDC_DELAY)->text(), QStringLiteral("1"));
        click(window, Dlg::IDC_OK);
    });
    EXPECT_EQ(stored(keys::kBalloonHelp, keys::kDelay), "1");

    settings.WriteInt(keys::kBalloonHelp, keys::kDelay, 3);
    run([&](Dlg &window) {
        auto *delay = item<QLineEdit>(window, Dlg::IDC_DELAY);
        EXPECT_EQ(delay->text(), QStringLiteral("3"));
        delay->setText(QStringLiteral(" +12s"));
        EXPECT_EQ(stored(keys::kBalloonHelp, keys::kDelay), "12");
        delay->setText(QStringLiteral("99999999999"));
        EXPECT_EQ(stored(keys::kBalloonHelp, keys::kDelay), "2147483647");
        // 100 is stored as typed, and every window then reads it as no delay set.
        delay->clear();
        QTest::keyClicks(delay, QStringLiteral("100"));
        EXPECT_EQ(stored(keys::kBalloonHelp, keys::kDelay), "100");
        click(window, Dlg::IDC_OK);
    });

    // Balloons are off for "FALSE" only; they show once the mouse has rested for the delay.
    settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "false");
    settings.WriteInt(keys::kBalloonHelp, keys::kDelay, 2);
    run([&](Dlg &window) {
        EXPECT_FALSE(item<QCheckBox>(window, Dlg::IDC_DISABLE_BALLOONS)->isChecked());
        EXPECT_TRUE(window.Balloon()->isActive());
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::mouseMove(window.GetDlgItem(Dlg::IDC_EVENTS), QPoint(20, 20));
        EXPECT_FALSE(window.Balloon()->isShowing());
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.Balloon()->isShowing(); }, 10000));
        EXPECT_EQ(window.Balloon()->shownText(), QStringLiteral("Events that occur in Tarvil32."));
        click(window, Dlg::IDC_OK);
    });

    settings.WriteString(keys::kBalloonHelp, keys::kEnabled, "FALSE");
    run([&](Dlg &window) {
        auto *off = item<QCheckBox>(window, Dlg::IDC_DISABLE_BALLOONS);
        EXPECT_TRUE(off->isChecked());
        EXPECT_FALSE(window.Balloon()->isActive());
        EXPECT_FALSE(enabled(window, Dlg::IDC_DELAY));
        off->click();
        EXPECT_EQ(stored(keys::kBalloonHelp, keys::kEnabled), "TRUE");
        EXPECT_TRUE(window.Balloon()->isActive());
        EXPECT_TRUE(enabled(window, Dlg::IDC_DELAY));
        click(window, Dlg::IDC_OK);
    });
}

} // namespace
