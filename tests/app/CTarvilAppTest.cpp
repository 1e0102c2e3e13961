#include "app/CTarvilApp.h"

#include "app/CPagerDlg.h"
#include "app/Settings.h"
#include "paging/CSavedMessageList.h"
#include "tests/support/NetworkNamespaces.h"
#include "tests/support/RecordedMessageBoxes.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// The whole start of the program. It opens the real sockets on their fixed ports, so each test
// runs in a network of its own.
class TarvilAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!testnet::EnterPrivateNetwork())
            GTEST_SKIP() << "needs a network namespace of its own (root)";
    }

    // One start of the program, ended as soon as its main window is up and what start-up queued
    // on it has run.
    void runOnce()
    {
        QTimer::singleShot(0, [&] {
            mainWindows.push_back(program.MainWindow());
            if (whileUp)
                whileUp(*program.MainWindow());
            QTimer::singleShot(0, [&] { program.MainWindow()->EndDialog(ui::IDCANCEL); });
        });
        program.Run();
    }

    TempWindowsDirectory windir;
    app::Settings settings{windir.filePath(QStringLiteral("tarvil32.INI")).toStdString()};
    RecordingSoundPlayer player;
    CTarvilApp program{settings, player, TARVIL_CONTROLS_DIR};
    RecordedMessageBoxes boxes;
    std::vector<QWidget *> mainWindows; // each run's
    std::function<void(CPagerDlg &)> whileUp;
};

TEST_F(TarvilAppTest, OnlyTheExactWordSwitchesAllSoundsOff)
{
    settings.WriteString(keys::kDisabledSounds, keys::kAll, "true");
    runOnce();
    EXPECT_TRUE(program.Sounds().soundsEnabled());

    settings.WriteString(keys::kDisabledSounds, keys::kAll, "True");
    runOnce();
    EXPECT_FALSE(program.Sounds().soundsEnabled());
}

TEST_F(TarvilAppTest, StartUpLoadsTheSavedMessagesAndReportsADamagedFileOnce)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(windir.path()));
    CSavedMessageList writer;
    writer.AddSavedMessage(CSavedMessage("a - b", "hi", "h"));
    writer.AddSavedMessage(CSavedMessage("c - d", "there", "k"));
    QFile file(QStringLiteral("Message.sav"));
    ASSERT_TRUE(file.resize(file.size() - 1)); // the second record loses its last byte

    runOnce();
    runOnce();
    QDir::setCurrent(previous);

    ASSERT_EQ(program.SavedMessages().GetCount(), 1u);
    EXPECT_EQ(program.SavedMessages().GetAt(0).m_text, "hi");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].owner, mainWindows.at(0));
    EXPECT_NE(boxes[0].text.find("Message.sav.damaged"), std::string::npos);
    EXPECT_TRUE(QFile::exists(windir.filePath(QStringLiteral("Message.sav.damaged"))));
}

// The push buttons are control libraries registered at every start; when the registrations
// cannot be stored, the window still has its buttons.
TEST_F(TarvilAppTest, TheButtonsAreThereWhenRegistrationsCannotBeStored)
{
    ASSERT_TRUE(QDir(windir.path()).mkdir(QStringLiteral("registry.ini")));
    whileUp = [](CPagerDlg &window) {
        for (const int id : {CPagerDlg::IDC_PAGE, CPagerDlg::IDC_MEMORY, CPagerDlg::IDC_OPTIONS}) {
            QWidget *control = window.GetDlgItem(id);
            EXPECT_TRUE(control->findChild<QPushButton *>() || qobject_cast<QPushButton *>(control))
                << id;
        }
    };
    runOnce();
}

TEST_F(TarvilAppTest, SettingsThatCannotBeSavedAreToldOnceAtStart)
{
    // A folder in the settings file's place refuses every write, to root as well.
    ASSERT_TRUE(QDir(windir.path()).mkdir(QStringLiteral("tarvil32.INI")));
    runOnce();

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].icon, ui::MessageIcon::Exclamation);
    EXPECT_EQ(boxes[0].text, "The settings in " + windir.path().toStdString() +
                                 " cannot be saved. Changes will be lost when the program ends.");
}

} // namespace
