#include "chat/CChatDlg.h"

#include "app/EventSounds.h"
#include "app/Messages.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "chat/CConnectDlg.h"
#include "chat/ChatProtocol.h"
#include "chat/ChatWindowContext.h"
#include "memory/BalloonHelp.h"
#include "net/CStreamSocket.h"
#include "net/ReportWinSockError.h"
#include "net/SocketTypes.h"
#include "platform/text/Ansi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"
#include "platform/winsock/WinSock.h"
#include "wrappers/DataExchange.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <utility>

CChatDlg::CChatDlg(const chat::ChatWindowContext &context, std::string peerAddress)
    : CChatDlg(context, std::move(peerAddress), nullptr)
{}

CChatDlg::CChatDlg(const chat::ChatWindowContext &context, CStreamSocket &listener)
    : CChatDlg(context, std::string(), &listener)
{}

CChatDlg::CChatDlg(const chat::ChatWindowContext &context, std::string peerAddress,
                   CStreamSocket *listener)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), context.mainWindow), m_context(context),
      m_listener(listener), m_incoming(listener != nullptr), m_peerAddress(std::move(peerAddress))
{
    onClick(IDC_HANG_UP, [this] { OnHangUp(); });
    onMessage(WM_CHAT_NOTIFY,
              [this](msg::WPARAM code, msg::LPARAM value) { OnSocketNotify(code, value); });
    onMessage(WM_HOST_RESOLVED,
              [this](msg::WPARAM handle, msg::LPARAM reply) { OnHostResolved(handle, reply); });
    if (!Create())
        return;
    if (QWidget *main = m_context.mainWindow; main && main->isMinimized())
        main->showNormal();
    raise();
    show();
    activateWindow();
    // The progress window stays above the window that opened it.
    if (m_progress)
        m_progress->raise();
}

// Closing the socket here, before the messages it holds are let go, ends the link; the other end
// sees it closed.
CChatDlg::~CChatDlg()
{
    if (m_socket)
        m_socket->Close();
}

bool CChatDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    CenterWindow(m_context.mainWindow);
    DDX_Control(*this, IDC_SENT, m_sentBox);
    DDX_Control(*this, IDC_REPLIES, m_replyBox);
    DDX_Control(*this, IDC_LINK, m_linkIndicator);
    DDX_Control(*this, IDC_TYPING, m_typingLight);
    DDX_Control(*this, IDC_LINK_DOWN, m_linkDownIndicator);
    DDX_Control(*this, IDC_PEER, m_peerLabel);
    m_input = qobject_cast<QLineEdit *>(GetDlgItem(IDC_INPUT));
    m_replyGroup = qobject_cast<QGroupBox *>(GetDlgItem(IDC_REPLY_GROUP));
    connect(m_input, &QLineEdit::textChanged, this, [this] { OnTyping(); });

    const bool linked = SetUpLink();
    m_listener = nullptr; // only the set-up takes the waiting connection
    if (!linked) {
        m_socket->Close();
        m_socket.reset();
        msg::PostMessage(this, msg::WM_CLOSE, 0, 0);
        return true;
    }
    SetTimer(TIMER_TYPING_RESET, kTypingResetMs);
    ApplyColors();
    SetUpBalloons();
    m_input->setFocus();
    return true;
}

bool CChatDlg::SetUpLink()
{
    m_socket = std::make_unique<CStreamSocket>(this, WM_CHAT_NOTIFY);
    if (m_incoming) {
        if (m_listener->Accept(*m_socket) == SOCK_OK) {
            // Links that come in a burst share one sound: the last of them plays it.
            m_quietLink = m_listener->ConnectionWaiting();
            return true;
        }
        ReportWinSockError(m_listener->LastError(), "Failed to Accept Chat Connection");
        return false;
    }
    if (m_socket->Create() != SOCK_OK) {
        ReportWinSockError(m_socket->LastError(),
                           "Failed to Create Stream Socket for Chat Service");
        return false;
    }
    if (m_socket->Connect(m_peerAddress, CHAT_PORT) != SOCK_OK) {
        ReportWinSockError(m_socket->LastError(), "Failed to Connect to Chat Server");
        return false;
    }
    m_progress = new CConnectDlg(this);
    SetTimer(TIMER_CONNECT_TIMEOUT, static_cast<unsigned>(m_context.connectTimeout.count()));
    return true;
}

void CChatDlg::ApplyColors()
{
    if (const auto background = m_context.settings.number(keys::kChatBackground)) {
        m_sentBox.SetFillColor(*background);
        m_replyBox.SetFillColor(*background);
    }
    if (const auto foreground = m_context.settings.number(keys::kChatForeground)) {
        m_sentBox.SetTextColor(*foreground);
        m_replyBox.SetTextColor(*foreground);
    }
}

void CChatDlg::SetUpBalloons()
{
    const memory::BalloonText texts[] = {
        {IDC_PEER, "Hostname of connected chat party"},
        {IDC_LIGHTS_PANEL, "Red light if other chat party is typing, Green light if not"},
        {IDC_HANG_UP, "Terminate chat link"},
        {IDC_REPLIES, "Messages recieved from connected chat party"},
        {IDC_SENT, "Messages sent to the connected chat party"},
        {IDC_INPUT, "Type messages here and press ENTER to send"},
    };
    m_balloon = memory::CreateWindowBalloons(*this, texts, m_context.settings);
}

bool CChatDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    // Escape would hide the window and leave the link open behind it; hanging up is the way out.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
        return true;
    return ui::Dialog::PreTranslateMessage(target, event);
}

void CChatDlg::OnOK()
{
    OnEnter();
}

void CChatDlg::OnEnter()
{
    const std::string line = text::toAnsi(m_input->text()) + "\r\n";
    m_sent.Prepend(line);
    m_sentChanged = true;
    ScheduleShow();
    // Clearing the line is a change of it, which the other party learns as typing, also when
    // the line was empty: every line follows a typing signal.
    {
        const QSignalBlocker quiet(m_input);
        m_input->clear();
    }
    OnTyping();
    if (!Send(line))
        ReportWinSockError(m_socket->LastError(), "Failed to write date to chat server.");
}

void CChatDlg::OnTyping()
{
    Send(std::string(chat::CHAT_SIGNAL));
}

bool CChatDlg::Send(std::string message)
{
    if (!m_socket)
        return true;
    if (m_outbox.Send(*m_socket, std::move(message)) == SOCK_NOMEM)
        return false;
    if (!m_linkEnded && m_outbox.WaitingBytes() > kMostUnsent)
        GiveUpLink();
    return true;
}

void CChatDlg::GiveUpLink()
{
    m_socket->Close();
    m_linkEnded = true;
    KillTimer(TIMER_TYPING_RESET);
    SetIndicators(true);
    ui::MessageBox(this,
                   "The chat link to " + m_peerAddress + " has been ended: " + m_peerAddress +
                       " has stopped taking what is sent to it.",
                   "Chat Link Failure", ui::MessageIcon::Stop);
}

void CChatDlg::OnHangUp()
{
    CloseProgressWindow();
    DestroyWindow();
}

void CChatDlg::OnSocketNotify(msg::WPARAM code, msg::LPARAM value)
{
    // After a failed set-up the socket is gone; what it posted before is of no interest.
    if (!m_socket)
        return;
    switch (code) {
    case SN_RECEIVED:
        OnReceived();
        break;
    case SN_CONNECTED:
        OnConnected();
        break;
    case SN_CLOSED:
        OnClosed();
        break;
    case SN_SENT:
    case SN_SEND_FAILED:
        m_outbox.Reported(reinterpret_cast<const char *>(value));
        break;
    default:
        break;
    }
}

void CChatDlg::OnConnected()
{
    SetIndicators(false);
    m_typingLightRed = false;
    // The sound holds the program until it has played: a burst of links would hold it for each.
    if (!m_quietLink)
        m_context.sounds.PlayEventSound(keys::kReceiveChat, app::EventSounds::Mode::Synchronous);
    if (m_peerAddress.empty()) {
        sockaddr_in peer{};
        if (m_socket->GetPeerName(peer) == SOCK_OK) {
            m_peerAddress = winsock::inet_ntoa(peer.sin_addr);
            winsock::WSAAsyncGetHostByAddr(this, WM_HOST_RESOLVED, peer.sin_addr);
        }
    }
    ShowPeer();
    if (!m_incoming) {
        KillTimer(TIMER_CONNECT_TIMEOUT);
        CloseProgressWindow();
    }
}

void CChatDlg::OnReceived()
{
    int length = 0;
    const std::unique_ptr<char[]> chunk = m_socket->Receive(length);
    if (!chunk)
        return;
    m_splitter.feed(std::string_view(chunk.get(), static_cast<std::size_t>(length)),
                    [this](std::string_view message) { TakeMessage(message); });
}

void CChatDlg::TakeMessage(std::string_view message)
{
    m_typingChanged = true;
    if (message == chat::CHAT_SIGNAL) {
        m_typingLightRed = true;
    } else {
        m_typingLightRed = false;
        m_newReplies.emplace_back(message);
        m_newReplyBytes += message.size();
        // More than the box holds would be cut anyway.
        while (m_newReplyBytes > chat::LineHistory::kMostBytes && m_newReplies.size() > 1) {
            m_newReplyBytes -= m_newReplies.front().size();
            m_newReplies.pop_front();
        }
    }
    ScheduleShow();
}

void CChatDlg::OnClosed()
{
    if (m_linkEnded)
        return;
    // What the peer sent without its final zero byte is still its words.
    m_splitter.finish([this](std::string_view message) { TakeMessage(message); });
    ShowLines();
    m_linkEnded = true;
    SetIndicators(true);
    KillTimer(TIMER_TYPING_RESET);
    m_context.sounds.PlayEventSound(keys::kTerminateChat, app::EventSounds::Mode::Asynchronous);
}

void CChatDlg::OnHostResolved(msg::WPARAM handle, msg::LPARAM)
{
    // A failed look-up has no name: the dotted address stays.
    const auto name = winsock::WSAAsyncHostName(this, handle);
    if (!name)
        return;
    m_peerAddress = *name;
    ShowPeer();
}

void CChatDlg::OnTimer(unsigned id)
{
    if (id == TIMER_CONNECT_TIMEOUT) {
        OnConnectTimeout();
        return;
    }
    // The light goes back to green while linked; it is red before the link is up.
    m_typingLightRed = m_linkIndicator.GetValue();
    m_typingChanged = false;
    m_typingLight.SetValue(m_typingLightRed);
}

void CChatDlg::OnConnectTimeout()
{
    KillTimer(TIMER_CONNECT_TIMEOUT);
    winsock::WSACancelBlockingCall();
    CloseProgressWindow();
    // The attempt ends before the box: a connection that comes while it is read would find a
    // window that is about to go.
    m_socket->Close();
    ui::MessageBox(this, "Chat link not established.  Destination Tarvil may not be running.",
                   "Chat Link Failure", ui::MessageIcon::Stop);
    DestroyWindow();
}

void CChatDlg::ShowPeer()
{
    m_peerLabel.SetCaption(m_peerAddress);
    // A group box takes "&" as the mark of a shortcut letter.
    m_replyGroup->setTitle(QStringLiteral("Chat Reply from ") +
                           text::fromAnsi(m_peerAddress).replace(u'&', QStringLiteral("&&")));
}

void CChatDlg::SetIndicators(bool down)
{
    m_linkIndicator.SetValue(down);
    m_typingLight.SetValue(down);
    m_linkDownIndicator.SetValue(down);
}

void CChatDlg::CloseProgressWindow()
{
    if (m_progress)
        m_progress->DestroyWindow();
}

void CChatDlg::ScheduleShow()
{
    if (m_showScheduled)
        return;
    m_showScheduled = true;
    // Rewriting a full box takes milliseconds: under a stream of lines the boxes are drawn a
    // few times a second, which a reader cannot tell from every line, and the window keeps up.
    const qint64 wait =
        m_sinceShown.isValid() ? std::max<qint64>(0, kShowIntervalMs - m_sinceShown.elapsed()) : 0;
    QTimer::singleShot(static_cast<int>(wait), this, [this] { ShowLines(); });
}

void CChatDlg::ShowLines()
{
    m_showScheduled = false;
    m_sinceShown.start();
    if (!m_newReplies.empty()) {
        std::string newestFirst;
        newestFirst.reserve(m_newReplyBytes);
        for (auto line = m_newReplies.rbegin(); line != m_newReplies.rend(); ++line)
            newestFirst += *line;
        m_newReplies.clear();
        m_newReplyBytes = 0;
        m_replies.Prepend(newestFirst);
        m_replyBox.SetText(m_replies.Text());
    }
    if (m_sentChanged) {
        m_sentChanged = false;
        m_sentBox.SetText(m_sent.Text());
    }
    if (m_typingChanged && !m_linkEnded)
        m_typingLight.SetValue(m_typingLightRed);
    m_typingChanged = false;
}
