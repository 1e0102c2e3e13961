#include "app/CPagerDlg.h"
#include "app/PagerSockets.h"
#include "app/ProgramWindows.h"
#include "app/SettingsKeys.h"
#include "chat/CChatDlg.h"
#include "chat/ChatWindowContext.h"
#include "net/CDatagramSocket.h"
#include "net/CWinSockInit.h"
#include "net/SocketTypes.h"
#include "paging/CPageDlg.h"
#include "paging/CReceiptDlg.h"
#include "paging/CSavedMessageList.h"
#include "platform/ole/ComponentLoader.h"
#include "platform/time/SystemClock.h"
#include "platform/ui/MessageBox.h"
#include "tests/app/MainWindowTest.h"
#include "tests/support/NetworkNamespaces.h"
#include "tests/support/VisibleWindows.h"
#include "wrappers/DataExchange.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace {

using testnet::LinkedNamespaces;

// How long a test waits for what must come before it gives up: a guard against a hang, never a
// measure of speed, so it is generous for a loaded machine under the sanitizers.
constexpr int kPatience = 20000;

// The main window in the near namespace; a raw peer in the far one speaks the bytes.
class PagerNetworkTest : public MainWindowTest {
protected:
    PagerNetworkTest() : MainWindowTest(std::make_unique<app::PagerSockets>()) {}

    void SetUp() override
    {
        network = LinkedNamespaces::get();
        if (!network)
            GTEST_SKIP() << "needs network namespaces (root and the ip command)";
        peer = network->farUdpSocket(2000);
        ASSERT_GE(peer, 0);
        settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
        settings.WriteString(keys::kSounds, keys::kSendPage, "pagesent.wav");
    }
    void TearDown() override
    {
        if (peer >= 0)
            ::close(peer);
    }

    // Sends raw bytes from the far peer to the program's page port.
    void peerSends(std::string_view bytes, int fromSocket = -1) const
    {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(2000);
        ::inet_pton(AF_INET, LinkedNamespaces::kNearAddress, &to.sin_addr);
        ::sendto(fromSocket >= 0 ? fromSocket : peer, bytes.data(), bytes.size(), 0,
                 reinterpret_cast<const sockaddr *>(&to), sizeof to);
    }

    // The next datagram the peer receives on port 2000 while the program runs on.
    std::optional<std::string> peerReceives() const
    {
        std::optional<std::string> datagram;
        (void)QTest::qWaitFor(
            [&] {
                char buffer[2048];
                const ssize_t length = ::recv(peer, buffer, sizeof buffer, MSG_DONTWAIT);
                if (length >= 0)
                    datagram.emplace(buffer, static_cast<std::size_t>(length));
                return datagram.has_value();
            },
            kPatience);
        return datagram;
    }

    // The real program in the far namespace, at home in `home`; it binds the page port itself.
    void startFarCopy(QProcess &copy, const QTemporaryDir &home)
    {
        ::close(std::exchange(peer, -1));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        environment.insert(QStringLiteral("TARVIL_WINDIR"), home.path());
        copy.setProcessEnvironment(environment);
        copy.setWorkingDirectory(home.path());
        copy.start(QStringLiteral("ip"),
                   {QStringLiteral("netns"), QStringLiteral("exec"),
                    QString::fromStdString(network->farName()), QStringLiteral(TARVIL_PROGRAM)});
    }

    LinkedNamespaces *network = nullptr;
    int peer = -1;
};

TEST_F(PagerNetworkTest, PageAskingForBothReceiptsGetsItsDeliveryReceiptAtOnce)
{
    // The peer asks from another source port: the receipt still goes to port 2000.
    const int otherPort = network->farUdpSocket(40000);
    ASSERT_GE(otherPort, 0);
    runWindow([&](CPagerDlg &) {
        peerSends(std::string_view("@R@Dhello\0", 10), otherPort);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.received.empty(); }, kPatience));
        EXPECT_EQ(windows.received[0].text, "hello");
        EXPECT_TRUE(windows.received[0].readReceipt);
        EXPECT_EQ(windows.received[0].sender, LinkedNamespaces::kFarAddress);
        EXPECT_EQ(peerReceives(), std::string("@D\0", 3));
    });
    ::close(otherPort);
    EXPECT_TRUE(boxes.empty());
}

// The program's own windows at both ends of a page: the page window opens at once with the
// delivery receipt, the read receipt goes when the reader closes it, and the receipts that come
// back open receipt windows.
TEST_F(PagerNetworkTest, BothReceiptsTravelWithTheRealWindows)
{
    QTemporaryDir savedFolder;
    CSavedMessageList saved(savedFolder.filePath(QStringLiteral("Message.sav")).toStdString());
    clk::SystemClock clock;
    app::EventSounds sounds(settings, player);
    app::ProgramWindows real(sounds, {settings, sender, saved, clock, nullptr, {}});
    runWindow(
        [&](CPagerDlg &dialog) {
            real.setMainWindow(&dialog);
            peerSends(std::string_view("@R@Dhello\0", 10));
            EXPECT_EQ(peerReceives(), std::string("@D\0", 3));
            CPageDlg *page = nullptr;
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return (page = visibleWindow<CPageDlg>()) != nullptr; }, kPatience));
            EXPECT_EQ(page->MessageText(), "hello");
            QTest::mouseClick(page->GetDlgItem(CPageDlg::IDC_CLOSE), Qt::LeftButton);
            EXPECT_EQ(peerReceives(), std::string("@R\0", 3));

            peerSends(std::string_view("@D\0", 3));
            peerSends(std::string_view("@R\0", 3));
            ASSERT_TRUE(QTest::qWaitFor([&] { return visibleWindows<CReceiptDlg>().size() == 2; },
                                        kPatience));
            const auto receipts = visibleWindows<CReceiptDlg>();
            std::set<std::string> notices;
            for (CReceiptDlg *receipt : receipts)
                notices.insert(receipt->NoticeText().substr(0, receipt->NoticeText().find('(')));
            EXPECT_EQ(notices,
                      (std::set<std::string>{
                          std::string("Page delivered to ") + LinkedNamespaces::kFarAddress,
                          std::string("Page read by ") + LinkedNamespaces::kFarAddress}));
            for (CReceiptDlg *receipt : receipts)
                receipt->close();
            real.setMainWindow(nullptr);
        },
        &real);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PagerNetworkTest, ReceiptsOpenTheirWindowsAndAreNotAnswered)
{
    using Kind = app::ReceiptKind;
    runWindow([&](CPagerDlg &) {
        peerSends(std::string_view("@R\0", 3));
        peerSends(std::string_view("@D\0", 3));
        peerSends(std::string_view("@R@D\0", 5));
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.receipts.size() == 3; }, kPatience));
        EXPECT_EQ(windows.receipts[0].kind, Kind::Read);
        EXPECT_EQ(windows.receipts[1].kind, Kind::Delivery);
        EXPECT_EQ(windows.receipts[2].kind, Kind::Delivery);
        EXPECT_EQ(windows.receipts[0].sender, LinkedNamespaces::kFarAddress);
        // A page sent after them is answered, and its receipt is the first datagram back.
        peerSends(std::string_view("@Dlast\0", 7));
        EXPECT_EQ(peerReceives(), std::string("@D\0", 3));
        EXPECT_EQ(windows.received.size(), 1u);
    });
}

TEST_F(PagerNetworkTest, OddDatagramsAreShownAsPages)
{
    runWindow([&](CPagerDlg &) {
        peerSends("");
        peerSends("no terminator");
        peerSends(std::string_view("@D@Rx\0", 6));
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.received.size() == 3; }, kPatience));
        EXPECT_EQ(windows.received[0].text, "");
        EXPECT_EQ(windows.received[1].text, "no terminator");
        EXPECT_EQ(windows.received[2].text, "@Rx");
        EXPECT_FALSE(windows.received[2].readReceipt);
        EXPECT_EQ(peerReceives(), std::string("@D\0", 3));
    });
}

TEST_F(PagerNetworkTest, OversizedDatagramIsReportedAndLost)
{
    runWindow([&](CPagerDlg &) {
        peerSends(std::string(1001, 'x'));
        peerSends(std::string(999, 'y') + '\0');
        ASSERT_TRUE(QTest::qWaitFor([&] { return !windows.received.empty(); }, kPatience));
        EXPECT_EQ(windows.received[0].text, std::string(999, 'y'));
    });
    expectOnlyBox("Error reading data.", "Winsock Information", ui::MessageIcon::Exclamation);
}

// A flood of oversized datagrams opens one box, not one inside the other until the stack runs
// out, and the program still answers pages afterwards.
TEST_F(PagerNetworkTest, AFloodOfOversizedDatagramsOpensOneBoxAtATime)
{
    runWindow([&](CPagerDlg &) {
        boxes.whileOpen = [&](const ui::MessageBoxRequest &) {
            boxes.whileOpen = nullptr;
            for (int i = 0; i < 10000; ++i)
                peerSends(std::string(1001, 'x'));
            // A page sent after the flood is handled while the box is still up, in the box's
            // own event loop; it may be dropped with the flood's overflow, so it is sent until
            // it arrives.
            QEventLoop box;
            QTimer ping;
            QObject::connect(&ping, &QTimer::timeout,
                             [&] { peerSends(std::string_view("@Dping\0", 7)); });
            QTimer answered;
            QObject::connect(&answered, &QTimer::timeout, [&] {
                if (!windows.received.empty())
                    box.quit();
            });
            QTimer::singleShot(kPatience, &box, &QEventLoop::quit);
            ping.start(200);
            answered.start(10);
            box.exec();
            EXPECT_FALSE(windows.received.empty());
        };
        peerSends(std::string(1001, 'x'));
        ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.size() >= 2; }, 3 * kPatience));
        EXPECT_EQ(peerReceives(), std::string("@D\0", 3));
    });
    EXPECT_EQ(boxes.deepest, 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.starts_with("Error reading data.\n\nThe same happened "));
}

// A burst from ten peers comes while the first page's sound plays and the program handles no
// events: the datagrams are taken in meanwhile, every page gets its delivery receipt, and the
// burst shares that one sound with its last page.
TEST_F(PagerNetworkTest, ABurstDuringASoundIsTakenInAndEveryPageAnswered)
{
    settings.WriteString(keys::kSounds, keys::kReceivePage, "beep.wav");
    constexpr int kPeers = 10;
    constexpr int kPagesEach = 100;
    std::vector<int> peers;
    for (int i = 0; i < kPeers; ++i)
        peers.push_back(network->farUdpSocket(0));
    // Room for every receipt at the test's end, which reads them only between events.
    const int room = 4 * 1024 * 1024;
    ::setsockopt(peer, SOL_SOCKET, SO_RCVBUFFORCE, &room, sizeof room);
    player.whileSynchronous = [&] {
        player.whileSynchronous = nullptr;
        // As the program's player does while it waits: the network is drained between parts.
        for (int page = 0; page < kPagesEach; page += 10) {
            for (int each = 0; each < 10; ++each) {
                for (int from : peers)
                    peerSends(std::string_view("@Dp\0", 4), from);
            }
            MainWindowTest::network().takeWaiting();
        }
    };
    int receipts = 0;
    runWindow([&](CPagerDlg &) {
        peerSends(std::string_view("@Dfirst\0", 8));
        (void)QTest::qWaitFor(
            [&] {
                char buffer[16];
                while (::recv(peer, buffer, sizeof buffer, MSG_DONTWAIT) == 3)
                    ++receipts;
                return receipts == 1 + kPeers * kPagesEach;
            },
            kPatience);
    });
    for (int from : peers)
        ::close(from);
    EXPECT_EQ(receipts, 1 + kPeers * kPagesEach);
    EXPECT_EQ(windows.received.size(), static_cast<std::size_t>(1 + kPeers * kPagesEach));
    EXPECT_EQ(player.played.size(), 2u); // the first page's, and the burst's last
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PagerNetworkTest, SendLoopPagesEveryAddressAndPlaysTheSoundOnce)
{
    runWindow([&](CPagerDlg &dialog) {
        windows.pageText = "@R@Dhello";
        dialog.DestinationBox()->setEditText(QString::fromLatin1(LinkedNamespaces::kFarAddress) +
                                             QStringLiteral(",127.0.0.1"));
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_PAGE), Qt::LeftButton);
        EXPECT_EQ(peerReceives(), std::string("@R@Dhello\0", 10));
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.received.size() == 1; }, kPatience));
        EXPECT_EQ(windows.received[0].sender, "127.0.0.1");
    });
    EXPECT_TRUE(boxes.empty());
    const std::vector<RecordingSoundPlayer::Played> expected{{"pagesent.wav", 0}};
    EXPECT_EQ(player.played, expected);
}

// Looking up a name lets events run, so the first address's datagram may be reported sent
// before the payload is queued for the next one: the payload must stay intact for both.
TEST_F(PagerNetworkTest, PayloadOutlivesTheFirstSendWhileANameIsLookedUp)
{
    const std::string text(400, 'p');
    runWindow([&](CPagerDlg &dialog) {
        windows.pageText = text;
        dialog.DestinationBox()->setEditText(QString::fromLatin1(LinkedNamespaces::kFarAddress) +
                                             QStringLiteral(",localhost"));
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_PAGE), Qt::LeftButton);
        EXPECT_EQ(peerReceives(), text + '\0');
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.received.size() == 1; }, kPatience));
        EXPECT_EQ(windows.received[0].text, text);
    });
    EXPECT_TRUE(boxes.empty());
}

TEST_F(PagerNetworkTest, UnresolvableMiddleAddressIsReportedAndTheOthersStillGo)
{
    runWindow([&](CPagerDlg &dialog) {
        windows.pageText = "hi";
        dialog.DestinationBox()->setEditText(QString::fromLatin1(LinkedNamespaces::kFarAddress) +
                                             QStringLiteral(",nohost.invalid,127.0.0.1"));
        QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_PAGE), Qt::LeftButton);
        EXPECT_EQ(peerReceives(), std::string("hi\0", 3));
        ASSERT_TRUE(QTest::qWaitFor([&] { return windows.received.size() == 1; }, kPatience));
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Tarvil32");
    EXPECT_TRUE(boxes[0].text.starts_with("WinSock error 110"));
    EXPECT_TRUE(boxes[0].text.ends_with("\nFailed to write data to datagram socket"));
    EXPECT_TRUE(player.played.empty());
}

TEST_F(PagerNetworkTest, SecondCopyCannotBindThePagePortAndCloses)
{
    CWinSockInit winSock(winsock::MAKEWORD(1, 1));
    ASSERT_EQ(winSock.Start(), SOCK_OK);
    CDatagramSocket firstCopy(nullptr, 0);
    ASSERT_EQ(firstCopy.Create(PAGE_PORT), SOCK_OK);
    EXPECT_EQ(runWindow([](CPagerDlg &) {}), ui::IDCANCEL);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "WinSock error 10048: Address already in use\nDatagram failure Initializing");
    EXPECT_FALSE(sender.isOpen());
    firstCopy.Close();
    winSock.End();
}

// A connection alone is announced with its sound; connections that wait together share one.
TEST_F(PagerNetworkTest, IncomingChatConnectionsAreAnsweredWithTheirSound)
{
    settings.WriteString(keys::kSounds, keys::kStartChat, "newchat.wav");
    // Clients in the far network; each returns once its connection is established, so that
    // several wait together before the program takes the first.
    auto connectFromFar = [&] {
        int fd = -1;
        std::thread([&] {
            const int ns = ::open(("/var/run/netns/" + network->farName()).c_str(), O_RDONLY);
            ::setns(ns, CLONE_NEWNET);
            ::close(ns);
            fd = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(CHAT_PORT);
            ::inet_pton(AF_INET, LinkedNamespaces::kNearAddress, &to.sin_addr);
            ::connect(fd, reinterpret_cast<const sockaddr *>(&to), sizeof to);
        }).join();
        return fd;
    };
    std::vector<int> clients;
    runWindow([&](CPagerDlg &) {
        clients.push_back(connectFromFar());
        EXPECT_TRUE(QTest::qWaitFor([&] { return windows.chats == 1; }, kPatience));
        for (int i = 0; i < 3; ++i)
            clients.push_back(connectFromFar());
        EXPECT_TRUE(QTest::qWaitFor([&] { return windows.chats == 4; }, kPatience));
    });
    for (const int client : clients)
        ::close(client);
    const std::vector<RecordingSoundPlayer::Played> expected{{"newchat.wav", 0},
                                                             {"newchat.wav", 0}};
    EXPECT_EQ(player.played, expected);
}

// Two copies of the program: this one in the near namespace and the real program in the far one,
// which answers a page that asks for a delivery receipt.
TEST_F(PagerNetworkTest, SecondCopyOnAnotherMachineReturnsTheDeliveryReceipt)
{
    QTemporaryDir farHome;
    QProcess farCopy;
    startFarCopy(farCopy, farHome);
    ASSERT_TRUE(farCopy.waitForStarted(kPatience));

    runWindow([&](CPagerDlg &dialog) {
        windows.pageText = "@Dping";
        dialog.DestinationBox()->setEditText(QString::fromLatin1(LinkedNamespaces::kFarAddress));
        // The far copy may still be starting: page until its receipt arrives.
        const bool answered = QTest::qWaitFor(
            [&] {
                if (windows.receipts.empty())
                    QTest::mouseClick(dialog.GetDlgItem(CPagerDlg::IDC_PAGE), Qt::LeftButton);
                return QTest::qWaitFor([&] { return !windows.receipts.empty(); }, 500);
            },
            3 * kPatience);
        ASSERT_TRUE(answered);
        EXPECT_EQ(windows.receipts[0].kind, app::ReceiptKind::Delivery);
        EXPECT_EQ(windows.receipts[0].sender, LinkedNamespaces::kFarAddress);
    });
    farCopy.terminate();
    EXPECT_TRUE(farCopy.waitForFinished(kPatience));
}

// Two copies chatting: this one calls the real program in the far namespace, which takes the
// link at once; when the far copy ends, this side shows the link down.
TEST_F(PagerNetworkTest, ChatWithASecondCopyOnAnotherMachine)
{
    QTemporaryDir farHome;
    QProcess farCopy;
    startFarCopy(farCopy, farHome);
    ASSERT_TRUE(farCopy.waitForStarted(kPatience));
    settings.WriteString(keys::kSounds, keys::kTerminateChat, "lostchat.wav");
    app::EventSounds sounds(settings, player);

    runWindow([&](CPagerDlg &dialog) {
        chat::ChatWindowContext context{settings, sounds, &dialog};
        context.connectTimeout = std::chrono::milliseconds(500);
        CQvcm200 link;
        // The far copy may still be starting: call until it takes the link.
        QPointer<CChatDlg> window;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                if (!window) {
                    window = new CChatDlg(context, LinkedNamespaces::kFarAddress);
                    DDX_Control(*window, CChatDlg::IDC_LINK, link);
                }
                return window && !link.GetValue();
            },
            3 * kPatience));
        auto *input = qobject_cast<QLineEdit *>(window->GetDlgItem(CChatDlg::IDC_INPUT));
        QTest::keyClicks(input, QStringLiteral("hello"));
        QTest::keyClick(input, Qt::Key_Return);

        farCopy.terminate();
        EXPECT_TRUE(QTest::qWaitFor([&] { return link.GetValue(); }, kPatience));
        EXPECT_TRUE(std::ranges::any_of(player.played, [](const RecordingSoundPlayer::Played &p) {
            return p.file == "lostchat.wav";
        }));
        delete window.data();
    });
}

} // namespace
