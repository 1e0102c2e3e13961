#include "app/ProgramWindows.h"

#include "app/EventSounds.h"
#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"
#include "paging/CPageDlg.h"
#include "paging/CReceiptDlg.h"
#include "tests/support/PageWindowWorld.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/SocketTestSupport.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProgramWindowsTest : public ::testing::Test, protected PageWindowWorld {
protected:
    RecordingSoundPlayer player;
    app::EventSounds sounds{settings, player};
    app::ProgramWindows windows{
        sounds, context, {.pageWindows = 3, .waitingPages = 2, .receiptWindows = 2}};

    template <typename T> static std::vector<T *> open()
    {
        std::vector<T *> found;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<T *>(widget); window && window->isVisible())
                found.push_back(window);
        return found;
    }
};

// A flood of pages opens windows up to the limit, keeps the next ones waiting until windows
// close, and tells of what does not fit; a flood of receipts is counted into the newest window.
TEST_F(ProgramWindowsTest, FloodsOfPagesAndReceiptsAreBounded)
{
    for (int i = 0; i < 6; ++i)
        windows.openReceivedPage(&mainWindow, "page " + std::to_string(i), false, "127.0.0.1");
    EXPECT_EQ(windows.openPageWindows(), 3u);
    EXPECT_EQ(windows.waitingPages(), 2u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("could not be shown"), std::string::npos);

    open<CPageDlg>().front()->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return windows.waitingPages() == 1; }));
    EXPECT_EQ(windows.openPageWindows(), 3u);

    for (int i = 0; i < 4; ++i)
        windows.openReceiptWindow(&mainWindow, app::ReceiptKind::Delivery, "127.0.0.1");
    const auto receipts = open<CReceiptDlg>();
    ASSERT_EQ(receipts.size(), 2u);

    // Without a main window (the program ends) nothing waiting opens any more.
    windows.setMainWindow(nullptr);
    EXPECT_EQ(windows.waitingPages(), 0u);
    for (CPageDlg *window : open<CPageDlg>())
        window->close();
    for (CReceiptDlg *window : receipts)
        window->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return open<CPageDlg>().empty(); }));
}

} // namespace
