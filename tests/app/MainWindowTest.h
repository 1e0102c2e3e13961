#pragma once

#include "app/CPagerDlg.h"
#include "app/EventSounds.h"
#include "app/PagerNetwork.h"
#include "app/Settings.h"
#include "paging/PageSender.h"
#include "platform/ole/ComponentLoader.h"
#include "tests/app/RecordingWindows.h"
#include "tests/support/RecordedMessageBoxes.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// What the main window's tests share: a private Windows directory with its settings, the
// registered push buttons, a recording sound device and windows, the network the test chooses,
// and every message box answered and kept.
class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(std::unique_ptr<app::PagerNetwork> network)
        : m_network(std::move(network)), sender(m_network->datagramPort())
    {
        ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
    }

    // Runs the main window as a start of the program would (the sounds-enabled flag is read
    // anew), does `actions` once it is up, then closes it with Escape. The windows it opens are
    // recorded unless `opens` makes them.
    int runWindow(const std::function<void(CPagerDlg &)> &actions,
                  app::WindowFactory *opens = nullptr)
    {
        app::EventSounds sounds(settings, player);
        CPagerDlg dialog(settings, sounds, *m_network, sender, opens ? *opens : windows);
        QTimer::singleShot(0, &dialog, [&] {
            actions(dialog);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        return dialog.DoModal();
    }

    static void typeDestination(CPagerDlg &dialog, const QString &text)
    {
        dialog.DestinationBox()->setEditText(text);
    }
    static void clickPage(CPagerDlg &dialog)
    {
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_PAGE), Qt::LeftButton);
    }
    app::PagerNetwork &network() { return *m_network; }
    // The run showed exactly one message box, this one.
    void expectOnlyBox(const std::string &text, const std::string &caption, ui::MessageIcon icon)
    {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].caption, caption);
        EXPECT_EQ(boxes[0].icon, icon);
    }

private:
    std::unique_ptr<app::PagerNetwork> m_network;

protected:
    TempWindowsDirectory windir;
    app::Settings settings{windir.filePath(QStringLiteral("tarvil32.INI")).toStdString()};
    RecordingSoundPlayer player;
    RecordingWindows windows;
    page::PageSender sender;
    RecordedMessageBoxes boxes;
};
