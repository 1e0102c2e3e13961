#pragma once

#include "RecordingPagerDlg.h"
#include "app/CSettings.h"
#include "app/CTarvilApp.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/TempWindowsDirectory.h"

#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// What the main window's tests share: a private Windows directory with its settings, the
// registered push buttons, a recording sound device, and every message box answered and kept.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR);
        m_previousHandler = ui::setMessageBoxHandler([this](const ui::MessageBoxRequest &request) {
            boxes.push_back(request);
            return ui::IDOK;
        });
    }
    ~MainWindowTest() override { ui::setMessageBoxHandler(m_previousHandler); }

    // Runs the main window, does `actions` once it is up, then closes it with Escape; the
    // program's sockets are closed again afterwards.
    int runWindow(const std::function<void(RecordingPagerDlg &)> &actions)
    {
        RecordingPagerDlg dialog(app);
        QTimer::singleShot(0, &dialog, [&] {
            actions(dialog);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        const int result = dialog.DoModal();
        app.EndNetworking();
        return result;
    }

    TempWindowsDirectory windir;
    CSettings settings{"tarvil32.INI"};
    RecordingSoundPlayer player;
    CTarvilApp app{settings, player, TARVIL_CONTROLS_DIR};
    std::vector<ui::MessageBoxRequest> boxes;

private:
    ui::MessageBoxHandler m_previousHandler;
};
