#include "app/EventSounds.h"
#include "app/SettingsKeys.h"
#include "paging/CPageDlg.h"
#include "paging/CReceiptDlg.h"
#include "platform/text/Ansi.h"
#include "tests/support/PageWindowWorld.h"
#include "tests/support/RecordingSoundPlayer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The page and receipt windows, driven as a user drives them.
class PageWindowTest : public ::testing::Test, protected PageWindowWorld {
protected:
    CPageDlg *showReceived(const std::string &text, bool readReceipt, const std::string &title = {})
    {
        auto *window = new CPageDlg(context, &mainWindow);
        window->m_title = title;
        window->SetReadReceiptPending(readReceipt);
        window->ShowReceived(text, "127.0.0.1");
        return window;
    }

    static void click(ui::Dialog &window, int id)
    {
        QTest::mouseClick(window.GetDlgItem(id), Qt::LeftButton);
    }
    static void check(ui::Dialog &window, int id)
    {
        qobject_cast<QAbstractButton *>(window.GetDlgItem(id))->setChecked(true);
    }
    // Runs `actions` on the modal window that the next step opens.
    static void onModal(std::function<void(CPageDlg &)> actions)
    {
        QTimer::singleShot(0, [actions = std::move(actions)] {
            auto *modal = qobject_cast<CPageDlg *>(QApplication::activeModalWidget());
            ASSERT_TRUE(modal);
            actions(*modal);
        });
    }
    std::size_t readReceipts() const
    {
        return static_cast<std::size_t>(std::ranges::count_if(
            port.sent, [](const auto &sent) { return sent.bytes == std::string("@R", 3); }));
    }
};

TEST_F(PageWindowTest, SendModeBuildsThePayloadWithTheReceiptsAsked)
{
    struct Case {
        bool delivery, read;
        std::string payload;
    } cases[] = {
        {false, false, "hello"},
        {true, false, "@Dhello"},
        {false, true, "@Rhello"},
        {true, true, "@R@Dhello"},
    };
    for (const Case &asked : cases) {
        CPageDlg window(context, &mainWindow);
        window.m_sender = "peer";
        QTimer::singleShot(0, [&] {
            click(window, CPageDlg::IDC_SEND); // empty: refused, the window stays
            window.MessageArea()->setPlainText(QStringLiteral("hello"));
            if (asked.delivery)
                check(window, CPageDlg::IDC_DELIVERY_RECEIPT);
            if (asked.read)
                check(window, CPageDlg::IDC_READ_RECEIPT);
            click(window, CPageDlg::IDC_SEND);
        });
        ASSERT_EQ(window.DoModal(), ui::IDOK);
        EXPECT_EQ(window.m_text, asked.payload);
        EXPECT_FALSE(window.GetDlgItem(CPageDlg::IDC_SAVE)->isEnabled());
        EXPECT_FALSE(window.GetDlgItem(CPageDlg::IDC_INCLUDE_TEXT)->isEnabled());
    }
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, "You must supply a message to send.");
    EXPECT_EQ(boxes[0].caption, "Missing Information");
    EXPECT_EQ(boxes[0].icon, ui::MessageIcon::Exclamation);
    EXPECT_TRUE(port.sent.empty());
}

TEST_F(PageWindowTest, AReplyQuotesThePageAndOneReadReceiptGoesOut)
{
    QPointer<CPageDlg> received = showReceived("line one\r\nline two", true);
    EXPECT_EQ(received->windowTitle(), QStringLiteral("Page Received at 12/07/26 09:56:09"));
    EXPECT_EQ(received->m_title, "127.0.0.1 - 12/07/26 09:56:09");
    EXPECT_TRUE(received->MessageArea()->isReadOnly());
    EXPECT_FALSE(received->GetDlgItem(CPageDlg::IDC_DELIVERY_RECEIPT)->isEnabled());
    EXPECT_EQ(qobject_cast<QAbstractButton *>(received->GetDlgItem(CPageDlg::IDC_SEND))->text(),
              QStringLiteral("&Reply"));

    // Reply with the text included; the reply window is cancelled the first time.
    check(*received, CPageDlg::IDC_INCLUDE_TEXT);
    std::string quoted;
    onModal([&](CPageDlg &reply) {
        quoted = reply.MessageText();
        click(reply, CPageDlg::IDC_CLOSE);
    });
    click(*received, CPageDlg::IDC_SEND);
    EXPECT_EQ(text::fromAnsi(quoted).toStdString(),
              "\n\n---------------------------------------------------\nMessage Received\n"
              "--------------------------------\nline one\nline two");
    EXPECT_EQ(readReceipts(), 1u);
    ASSERT_TRUE(received); // a reply does not close the received window

    onModal([&](CPageDlg &reply) {
        reply.MessageArea()->setPlainText(QStringLiteral("answer"));
        click(reply, CPageDlg::IDC_SEND);
    });
    click(*received, CPageDlg::IDC_SEND);
    ASSERT_FALSE(port.sent.empty());
    EXPECT_EQ(port.sent.back().bytes, std::string("answer", 7));
    EXPECT_EQ(port.sent.back().address, received->m_sender); // the address or, once known, the name

    click(*received, CPageDlg::IDC_CLOSE);
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.isNull(); }));
    EXPECT_EQ(readReceipts(), 1u);
}

TEST_F(PageWindowTest, ReceiptGoesOnCloseOrChatAndTheHostNameFollowsTheLookUp)
{
    QPointer<CPageDlg> closed = showReceived("a", true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed->m_sender == "localhost"; }));
    EXPECT_EQ(closed->m_title, "localhost - 127.0.0.1 - 12/07/26 09:56:09");
    click(*closed, CPageDlg::IDC_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.isNull(); }));
    EXPECT_EQ(readReceipts(), 1u);
    EXPECT_EQ(port.sent.back().address, "localhost");

    QPointer<CPageDlg> chatted = showReceived("b", true);
    settings.WriteString("Alias", "127.0.0.1", "buddy");
    click(*chatted, CPageDlg::IDC_CHAT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chatted.isNull(); }));
    EXPECT_EQ(chats, std::vector<std::string>{"buddy"});
    EXPECT_EQ(readReceipts(), 2u);

    // Close while the chat window is being made (its name look-up lets events in) cancels the
    // look-up; the page window goes only when the chat window is made.
    QPointer<CPageDlg> impatient = showReceived("c", false);
    context.startChat = [&](QWidget *, const std::string &) {
        click(*impatient, CPageDlg::IDC_CLOSE);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(impatient.isNull());
    };
    click(*impatient, CPageDlg::IDC_CHAT);
    EXPECT_TRUE(QTest::qWaitFor([&] { return impatient.isNull(); }));
}

// A page that arrives while a page is being written opens a window that takes input at once:
// the send window is modal to the main window only.
TEST_F(PageWindowTest, AModalSendWindowLeavesReceivedWindowsUsable)
{
    mainWindow.show();
    CPageDlg composing(context, &mainWindow);
    QTimer::singleShot(0, [&] {
        QPointer<CPageDlg> received = showReceived("meanwhile", true);
        QWidget *close = received->GetDlgItem(CPageDlg::IDC_CLOSE);
        // Through the window system, where a blocked window would drop the click.
        QTest::mouseClick(received->windowHandle(), Qt::LeftButton, {},
                          close->mapTo(received, close->rect().center()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return received.isNull(); }));
        click(composing, CPageDlg::IDC_CLOSE);
    });
    EXPECT_EQ(composing.DoModal(), ui::IDCANCEL);
    EXPECT_EQ(readReceipts(), 1u);
}

TEST_F(PageWindowTest, SavedMessagesReopenAndSavingNeedsMail)
{
    QPointer<CPageDlg> withoutMail = showReceived("x", false);
    EXPECT_FALSE(withoutMail->GetDlgItem(CPageDlg::IDC_SAVE)->isEnabled());
    withoutMail->close();

    allowSaving();
    QPointer<CPageDlg> reopened =
        showReceived("kept", false, "host - 10.0.0.1 - 12-06-26 08:00:00");
    EXPECT_EQ(reopened->windowTitle(), QStringLiteral("Page Received at 26 08:00:00"));
    ASSERT_TRUE(reopened->GetDlgItem(CPageDlg::IDC_SAVE)->isEnabled());
    click(*reopened, CPageDlg::IDC_SAVE);
    EXPECT_FALSE(reopened->GetDlgItem(CPageDlg::IDC_SAVE)->isEnabled());
    ASSERT_EQ(savedMessages.GetCount(), 1u);
    EXPECT_EQ(savedMessages.GetAt(0).m_text, "kept");
    EXPECT_TRUE(boxes.empty());

    // A save that cannot be written is told, and the message stays in the list.
    ASSERT_TRUE(QDir(savedFolder.filePath(QStringLiteral("saved"))).removeRecursively());
    QPointer<CPageDlg> unsaved = showReceived("lost?", false, "t - 1");
    click(*unsaved, CPageDlg::IDC_SAVE);
    EXPECT_EQ(savedMessages.GetCount(), 2u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_FALSE(unsaved->GetDlgItem(CPageDlg::IDC_SAVE)->isEnabled());
    EXPECT_TRUE(port.sent.empty()); // no look-up, no receipt for saved messages
}

TEST_F(PageWindowTest, ReceiptWindowsNameTheSenderAndPlayByTheSoundRule)
{
    RecordingSoundPlayer player;
    app::EventSounds sounds(settings, player);
    sounds.writeFirstRunDefaults();
    QPointer<CReceiptDlg> read = new CReceiptDlg(true, "127.0.0.1", sounds, clock, &mainWindow);
    EXPECT_EQ(read->windowTitle(), QStringLiteral("Receipt received at 12/07/26 09:56:09"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return read->NoticeText() != "Page read by 127.0.0.1"; }));
    EXPECT_EQ(read->NoticeText(), "Page read by 127.0.0.1(localhost)");

    // "True" switches every receipt sound off, read now; a per-event switch only its own.
    settings.WriteString(keys::kDisabledSounds, keys::kAll, "True");
    new CReceiptDlg(false, "127.0.0.1", sounds, clock, &mainWindow);
    settings.WriteString(keys::kDisabledSounds, keys::kAll, "true");
    settings.WriteString(keys::kDisabledSounds, keys::kReadReceipt, "x");
    new CReceiptDlg(true, "127.0.0.1", sounds, clock, &mainWindow);
    new CReceiptDlg(false, "127.0.0.1", sounds, clock, &mainWindow);
    ASSERT_EQ(player.played.size(), 2u);
    EXPECT_EQ(player.played[0].file, "read.wav");
    EXPECT_EQ(player.played[1].file, "delivery.wav");

    click(*read, ui::IDOK);
    EXPECT_TRUE(QTest::qWaitFor([&] { return read.isNull(); }));
}

} // namespace
