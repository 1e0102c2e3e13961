// The chat window end to end: the real window on one side of a real link, a raw TCP peer on the
// other speaking the bytes, in a network of the test's own.
#include "app/EventSounds.h"
#include "app/ProgramWindows.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "chat/CChatDlg.h"
#include "chat/CConnectDlg.h"
#include "chat/ChatWindowContext.h"
#include "net/CStreamSocket.h"
#include "net/SocketTypes.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageSender.h"
#include "platform/ole/ComponentLoader.h"
#include "tests/support/FixedClock.h"
#include "tests/support/NetworkNamespaces.h"
#include "tests/support/RecordedMessageBoxes.h"
#include "tests/support/RecordingDatagramPort.h"
#include "tests/support/RecordingSoundPlayer.h"
#include "tests/support/SocketTestSupport.h"
#include "tests/support/TempWindowsDirectory.h"
#include "tests/support/VisibleWindows.h"
#include "wrappers/DataExchange.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <netinet/tcp.h>

namespace {

using namespace std::string_literals;

// How long a test waits for what must come: a guard against a hang, never a measure of speed.
constexpr int kPatience = 20000;

// One end of a raw TCP connection in the test, speaking the chat bytes.
class RawEnd {
public:
    explicit RawEnd(int fd) : m_fd(fd) {}
    ~RawEnd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RawEnd(const RawEnd &) = delete;
    RawEnd &operator=(const RawEnd &) = delete;

    void send(std::string_view bytes) const
    {
        ASSERT_EQ(::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    // The next `count` bytes, while the program runs on.
    std::string receive(std::size_t count) const
    {
        std::string got;
        (void)QTest::qWaitFor(
            [&] {
                char buffer[4096];
                const ssize_t length =
                    ::recv(m_fd, buffer, std::min(sizeof buffer, count - got.size()), MSG_DONTWAIT);
                if (length > 0)
                    got.append(buffer, static_cast<std::size_t>(length));
                return got.size() >= count;
            },
            kPatience);
        return got;
    }
    // Whether the other end closes, reading away what comes before.
    bool seesClose() const
    {
        return QTest::qWaitFor(
            [&] {
                char buffer[65536];
                ssize_t length;
                while ((length = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
                }
                return length == 0;
            },
            kPatience);
    }
    // Ends the connection with a reset instead of an orderly close.
    void reset()
    {
        const linger abort{1, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
        ::close(std::exchange(m_fd, -1));
    }
    void close() { ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

// A raw client connected to `port` on loopback.
std::unique_ptr<RawEnd> connectTo(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in to = Loopback(static_cast<std::uint16_t>(port));
    EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr *>(&to), sizeof to), 0);
    return std::make_unique<RawEnd>(fd);
}

class ChatWindowTest : public ::testing::Test {
protected:
    ChatWindowTest() { ole::ComponentLoader::registerLibrariesIn(TARVIL_CONTROLS_DIR); }

    void SetUp() override
    {
        if (!testnet::EnterPrivateNetwork())
            GTEST_SKIP() << "needs a network of its own (root)";
        settings.WriteString(keys::kSounds, keys::kInitialExecution, "False");
        settings.WriteString(keys::kSounds, keys::kReceiveChat, "chatlink.wav");
        settings.WriteString(keys::kSounds, keys::kTerminateChat, "lostchat.wav");
    }
    void TearDown() override
    {
        for (CChatDlg *window : mainWindow.findChildren<CChatDlg *>())
            delete window;
        if (listener >= 0)
            ::close(listener);
    }

    // A raw peer listening on the chat port, as another copy of the program would.
    void listenAsPeer()
    {
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const int on = 1;
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        if (peerWindow > 0)
            ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &peerWindow, sizeof peerWindow);
        const sockaddr_in at = Loopback(CHAT_PORT);
        ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr *>(&at), sizeof at), 0);
        ASSERT_EQ(::listen(listener, 8), 0);
    }

    // A chat window calling the raw peer, linked; null when the link did not come up.
    QPointer<CChatDlg> callPeer(std::unique_ptr<RawEnd> &peer)
    {
        listenAsPeer();
        QPointer<CChatDlg> window = new CChatDlg(context, "127.0.0.1");
        int fd = -1;
        if (!QTest::qWaitFor([&] { return (fd = ::accept(listener, nullptr, nullptr)) >= 0; },
                             kPatience))
            return nullptr;
        peer = std::make_unique<RawEnd>(fd);
        if (!QTest::qWaitFor([&] { return window && !value(*window, CChatDlg::IDC_LINK); },
                             kPatience))
            return nullptr;
        return window;
    }

    static bool value(CChatDlg &window, int id)
    {
        CQvcm200 indicator;
        DDX_Control(window, id, indicator);
        return indicator.GetValue();
    }
    // The three indicators: link, typing light, link down.
    static std::array<bool, 3> indicators(CChatDlg &window)
    {
        return {value(window, CChatDlg::IDC_LINK), value(window, CChatDlg::IDC_TYPING),
                value(window, CChatDlg::IDC_LINK_DOWN)};
    }
    static std::string boxText(CChatDlg &window, int id)
    {
        CQv3dText box;
        DDX_Control(window, id, box);
        return box.GetText();
    }
    static QLineEdit *input(CChatDlg &window)
    {
        return qobject_cast<QLineEdit *>(window.GetDlgItem(CChatDlg::IDC_INPUT));
    }

    std::size_t timesPlayed(const std::string &file) const
    {
        return static_cast<std::size_t>(std::ranges::count_if(
            player.played, [&](const RecordingSoundPlayer::Played &p) { return p.file == file; }));
    }

    WinSockSession winsock;
    TempWindowsDirectory windir;
    app::Settings settings{windir.filePath(QStringLiteral("tarvil32.INI")).toStdString()};
    RecordingSoundPlayer player;
    app::EventSounds sounds{settings, player};
    RecordedMessageBoxes boxes;
    int listener = -1;
    // The receive buffer the peer asks for; the system's own when 0.
    int peerWindow = 0;
    chat::ChatWindowContext context{settings, sounds, &mainWindow};
    QWidget mainWindow;
};

const std::array<bool, 3> kLinked{false, false, false};
const std::array<bool, 3> kDown{true, true, true};

TEST_F(ChatWindowTest, CallingLinksShowsThePeerAndSendsSignalsBeforeEveryLine)
{
    std::unique_ptr<RawEnd> peer;
    const QPointer<CChatDlg> window = callPeer(peer);
    ASSERT_TRUE(window);
    EXPECT_EQ(indicators(*window), kLinked);
    EXPECT_EQ(player.played, (std::vector<RecordingSoundPlayer::Played>{{"chatlink.wav", 0}}));
    CQv3dLabel peerLabel;
    DDX_Control(*window, CChatDlg::IDC_PEER, peerLabel);
    EXPECT_EQ(peerLabel.GetCaption(), "127.0.0.1");
    EXPECT_EQ(qobject_cast<QGroupBox *>(window->GetDlgItem(CChatDlg::IDC_REPLY_GROUP))->title(),
              QStringLiteral("Chat Reply from 127.0.0.1"));
    EXPECT_TRUE(QTest::qWaitFor([] { return visibleWindows<CConnectDlg>().empty(); }, kPatience));

    // Three letters, Enter: a signal for each change, one for the clearing, then the line.
    QTest::keyClicks(input(*window), QStringLiteral("abc"));
    QTest::keyClick(input(*window), Qt::Key_Return);
    const std::string signal = "SIGNAL\0"s;
    EXPECT_EQ(peer->receive(4 * 7 + 6), signal + signal + signal + signal + "abc\r\n\0"s);
    // An empty line is its three bytes; the window stays.
    QTest::keyClick(input(*window), Qt::Key_Return);
    EXPECT_EQ(peer->receive(7 + 3), signal + "\r\n\0"s);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return boxText(*window, CChatDlg::IDC_SENT) == "\r\nabc\r\n"; }, kPatience));
    EXPECT_TRUE(input(*window)->text().isEmpty());
}

TEST_F(ChatWindowTest, ReceivedMessagesAreCutAtEveryZeroByteAndShownNewestFirst)
{
    std::unique_ptr<RawEnd> peer;
    const QPointer<CChatDlg> window = callPeer(peer);
    ASSERT_TRUE(window);
    const auto replies = [&] {
        return boxText(*window, CChatDlg::IDC_REPLIES);
    };

    peer->send("SIGNAL\0"s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return value(*window, CChatDlg::IDC_TYPING); }, kPatience));
    // Two messages in one chunk, then one split over two chunks, then a line that reads
    // "SIGNAL" but is no signal.
    peer->send("hi\r\n\0SIGNAL\0"s);
    peer->send("two ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return replies() == "hi\r\n"; }, kPatience));
    peer->send("halves\r\n\0SIGNAL\r\n\0"s);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return replies() == "SIGNAL\r\ntwo halves\r\nhi\r\n"; }, kPatience));
    EXPECT_FALSE(value(*window, CChatDlg::IDC_TYPING));
    // A thousand bytes without a zero byte are shown whole.
    peer->send(std::string(1000, 'x'));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return replies().starts_with(std::string(1000, 'x')); }, kPatience));
}

TEST_F(ChatWindowTest, APeersCloseOrResetLeavesTheWindowOpenWithTheLinkShownDown)
{
    for (const bool reset : {false, true}) {
        player.played.clear();
        std::unique_ptr<RawEnd> peer;
        const QPointer<CChatDlg> window = callPeer(peer);
        ASSERT_TRUE(window);
        peer->send("bye\r\n\0"s);
        if (reset)
            peer->reset();
        else
            peer->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return indicators(*window) == kDown; }, kPatience));
        EXPECT_EQ(timesPlayed("lostchat.wav"), 1u) << (reset ? "reset" : "close");
        EXPECT_TRUE(window->isVisible());
        // Lines typed now go nowhere, without a complaint.
        QTest::keyClicks(input(*window), QStringLiteral("anyone?"));
        QTest::keyClick(input(*window), Qt::Key_Return);
        QTest::qWait(50);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(timesPlayed("lostchat.wav"), 1u);
        delete window.data();
        ::close(std::exchange(listener, -1));
    }
}

TEST_F(ChatWindowTest, HangingUpClosesTheLinkAndTheWindow)
{
    std::unique_ptr<RawEnd> peer;
    const QPointer<CChatDlg> window = callPeer(peer);
    ASSERT_TRUE(window);
    CQvcm200 hangUp;
    DDX_Control(*window, CChatDlg::IDC_HANG_UP, hangUp);
    QTest::mouseClick(window->GetDlgItem(CChatDlg::IDC_HANG_UP), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, kPatience));
    EXPECT_TRUE(peer->seesClose());
}

TEST_F(ChatWindowTest, ACallNobodyTakesTimesOutAndAnUnknownHostFailsAtOnce)
{
    context.connectTimeout = std::chrono::milliseconds(200);
    QPointer<CChatDlg> window = new CChatDlg(context, "127.0.0.1");
    EXPECT_EQ(visibleWindows<CConnectDlg>().size(), 1u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, kPatience));
    EXPECT_TRUE(visibleWindows<CConnectDlg>().empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Chat link not established.  Destination Tarvil may not be running.");
    EXPECT_EQ(boxes[0].caption, "Chat Link Failure");
    EXPECT_EQ(boxes[0].icon, ui::MessageIcon::Stop);

    // An alias that stands for several addresses is no host name.
    window = new CChatDlg(context, "127.0.0.1,127.0.0.2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }, kPatience));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.ends_with("\nFailed to Connect to Chat Server")) << boxes[1].text;
}

TEST_F(ChatWindowTest, AnIncomingLinkIsTakenAndShowsItsCaller)
{
    settings.WriteString(keys::kChatColors, keys::kBackground, std::to_string(0x00112233));
    CStreamSocket chatPort(nullptr, 0);
    ASSERT_EQ(chatPort.Create(CHAT_PORT), SOCK_OK);
    const auto caller = connectTo(CHAT_PORT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chatPort.ConnectionWaiting(); }, kPatience));
    const QPointer<CChatDlg> window = new CChatDlg(context, chatPort);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !value(*window, CChatDlg::IDC_LINK); }, kPatience));
    CQv3dLabel peerLabel;
    DDX_Control(*window, CChatDlg::IDC_PEER, peerLabel);
    // The dotted address, or the name the reverse look-up finds for it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return peerLabel.GetCaption() == "localhost"; }, 2000) ||
                peerLabel.GetCaption() == "127.0.0.1")
        << peerLabel.GetCaption();
    // The background colour of the settings, the text colour of the window's own.
    CQv3dText replies;
    DDX_Control(*window, CChatDlg::IDC_REPLIES, replies);
    EXPECT_EQ(replies.GetFillColor(), 0x00112233);
    EXPECT_EQ(replies.GetTextColor(), 0x0000FFFF);

    caller->send("hello\r\n\0"s);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return boxText(*window, CChatDlg::IDC_REPLIES) == "hello\r\n"; }, kPatience));
}

TEST_F(ChatWindowTest, APeerThatNeverReadsHasItsLinkGivenUp)
{
    peerWindow = 4096;
    std::unique_ptr<RawEnd> peer;
    const QPointer<CChatDlg> window = callPeer(peer);
    ASSERT_TRUE(window);
    const QString line = QStringLiteral("all work and no play ").repeated(1000);
    // Far more than the peer's network and the link's bound hold together.
    for (int sent = 0; sent < 1000 && boxes.empty(); ++sent) {
        input(*window)->setText(line);
        QTest::keyClick(input(*window), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Chat Link Failure");
    EXPECT_EQ(indicators(*window), kDown);
    EXPECT_TRUE(peer->seesClose());
}

// A burst of links does not hold the program for a sound each: the last one plays it.
TEST_F(ChatWindowTest, ABurstOfIncomingLinksSharesOneSound)
{
    CStreamSocket chatPort(nullptr, 0);
    ASSERT_EQ(chatPort.Create(CHAT_PORT), SOCK_OK);
    std::vector<std::unique_ptr<RawEnd>> callers;
    for (int i = 0; i < 3; ++i)
        callers.push_back(connectTo(CHAT_PORT));
    std::vector<QPointer<CChatDlg>> windows;
    ASSERT_TRUE(QTest::qWaitFor([&] { return chatPort.ConnectionWaiting(); }, kPatience));
    while (chatPort.ConnectionWaiting())
        windows.emplace_back(new CChatDlg(context, chatPort));
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::ranges::all_of(windows, [](const QPointer<CChatDlg> &window) {
                return window && indicators(*window) == kLinked;
            });
        },
        kPatience));
    EXPECT_EQ(timesPlayed("chatlink.wav"), 1u);
}

TEST_F(ChatWindowTest, IncomingLinksBeyondTheBoundAreRefusedAndTold)
{
    CSavedMessageList saved(windir.filePath(QStringLiteral("Message.sav")).toStdString());
    RecordingDatagramPort port;
    page::PageSender sender(port);
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(1, 0))};
    app::ProgramWindows windows(sounds, {settings, sender, saved, clock, &mainWindow, {}},
                                app::WindowLimits{.chatWindows = 2});
    windows.setMainWindow(&mainWindow);
    CStreamSocket chatPort(nullptr, 0);
    ASSERT_EQ(chatPort.Create(CHAT_PORT), SOCK_OK);
    std::vector<std::unique_ptr<RawEnd>> callers;
    for (int i = 0; i < 3; ++i) {
        callers.push_back(connectTo(CHAT_PORT));
        ASSERT_TRUE(QTest::qWaitFor([&] { return chatPort.ConnectionWaiting(); }, kPatience));
        windows.openIncomingChat(&mainWindow, chatPort);
    }
    EXPECT_EQ(windows.openChatWindows(), 2u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "A chat link from 127.0.0.1 was refused: 2 chat windows are open.");
    EXPECT_TRUE(callers[2]->seesClose());
}

} // namespace
