#include "paging/CPageDlg.h"

#include "app/Messages.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "memory/BalloonHelp.h"
#include "net/ReportWinSockError.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageDatagram.h"
#include "paging/PageSender.h"
#include "paging/PageWindowContext.h"
#include "platform/profile/Profile.h"
#include "platform/text/Ansi.h"
#include "platform/time/Clock.h"
#include "platform/ui/ColorRef.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"
#include "platform/winsock/WinSock.h"
#include "wrappers/DataExchange.h"

#include <QAbstractButton>
#include <QPointer>
#include <QTextEdit>

namespace {

constexpr std::string_view kQuoteHeading = "\r\n\r\n"
                                           "---------------------------------------------------"
                                           "\r\nMessage Received\r\n"
                                           "--------------------------------\r\n";

constexpr std::string_view kChatAttempt =
    "\r\n          Attempting to create chat link...\r\n\r\n"
    "          If this is taking longer than a few seconds,\r\n"
    "          your DNS settings may not be correct.  \r\n"
    "          In this case, you should specify the exact \r\n"
    "          IP Address you wish to page or chat.\r\n\r\n"
    "          This dialog will time out in 60 seconds.";

// The time part of a saved message's title: what follows its last "-", without leading blanks.
std::string TimeOfTitle(const std::string &title)
{
    const std::size_t dash = title.rfind('-');
    std::string time = dash == std::string::npos ? title : title.substr(dash + 1);
    time.erase(0, time.find_first_not_of(' '));
    return time;
}

} // namespace

CPageDlg::CPageDlg(const page::PageWindowContext &context, QWidget *owner)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), owner), m_context(context)
{
    onClick(IDC_SEND, [this] { OnSend(); });
    onClick(IDC_CHAT, [this] { OnChat(); });
    onClick(IDC_SAVE, [this] { OnSave(); });
    onClick(IDC_CLOSE, [this] { OnClose(); });
    onMessage(WM_HOST_RESOLVED,
              [this](msg::WPARAM handle, msg::LPARAM reply) { OnHostResolved(handle, reply); });
}

// However the window went, a read receipt still owed goes out now.
CPageDlg::~CPageDlg()
{
    SendReadReceipt();
}

void CPageDlg::ShowReceived(const std::string &text, const std::string &sender)
{
    m_received = true;
    m_text = text;
    m_sender = sender;
    if (!Create())
        return;
    if (QWidget *main = m_context.mainWindow) {
        if (main->isMinimized())
            main->showNormal();
    }
    raise();
    show();
    activateWindow();
}

std::string CPageDlg::MessageText() const
{
    return m_messageArea ? text::toAnsi(m_messageArea->toPlainText()) : std::string();
}

bool CPageDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    CreateMessageArea();
    if (m_received)
        InitReceivedMode();
    else
        InitSendMode();
    SetUpBalloons();
    if (profile::GetProfileInt("Mail", "MAPI", 0) == 0)
        GetDlgItem(IDC_SAVE)->setEnabled(false);
    return true;
}

// A rich-text edit in the placeholder's place, so that it can show the configured colours. Page
// text is only ever shown as plain text.
void CPageDlg::CreateMessageArea()
{
    QWidget *placeholder = GetDlgItem(IDC_MESSAGE_PLACEHOLDER);
    m_messageArea = new QTextEdit(this);
    m_messageArea->setAcceptRichText(false);
    m_messageArea->setLineWrapMode(QTextEdit::WidgetWidth);
    m_messageArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_messageArea->setGeometry(placeholder->geometry());
    m_messageArea->raise();
    m_messageArea->show();
    placeholder->hide();

    QPalette palette = m_messageArea->palette();
    if (const auto foreground = m_context.settings.number(keys::kChatForeground))
        palette.setColor(QPalette::Text, ui::fromColorRef(*foreground));
    if (const auto background = m_context.settings.number(keys::kChatBackground))
        palette.setColor(QPalette::Base, ui::fromColorRef(*background));
    m_messageArea->setPalette(palette);
}

void CPageDlg::InitReceivedMode()
{
    qobject_cast<QAbstractButton *>(GetDlgItem(IDC_SEND))->setText(QStringLiteral("&Reply"));
    qobject_cast<QAbstractButton *>(GetDlgItem(IDC_CLOSE))->setText(QStringLiteral("&Close"));
    m_messageArea->setPlainText(text::fromAnsi(m_text));
    m_messageArea->setReadOnly(true);

    std::string timeText;
    if (!m_title.empty()) {
        timeText = TimeOfTitle(m_title);
    } else {
        in_addr address{};
        address.s_addr = winsock::inet_addr(m_sender);
        winsock::WSAAsyncGetHostByAddr(this, WM_HOST_RESOLVED, address);
        timeText = clk::timeText(m_context.clock.now());
        m_title = m_sender + " - " + timeText;
    }
    setWindowTitle(QStringLiteral("Page Received at ") + text::fromAnsi(timeText));
    GetDlgItem(IDC_DELIVERY_RECEIPT)->setEnabled(false);
    GetDlgItem(IDC_READ_RECEIPT)->setEnabled(false);
    DDX_Control(*this, IDC_PARTY, m_party);
    m_party.SetCaption("Page Recieved From " + m_sender);
}

void CPageDlg::InitSendMode()
{
    GetDlgItem(IDC_SAVE)->setEnabled(false);
    GetDlgItem(IDC_INCLUDE_TEXT)->setEnabled(false);
    if (!m_text.empty())
        m_messageArea->setPlainText(text::fromAnsi(std::string(kQuoteHeading) + m_text));
    DDX_Control(*this, IDC_PARTY, m_party);
    m_party.SetCaption("Send Page to " + m_sender);
}

void CPageDlg::SetUpBalloons()
{
    m_balloon = std::make_unique<ui::ToolTipControl>(this);
    const memory::BalloonText texts[] = {
        {IDC_CLOSE, "Close this dialog"},
        {IDC_CHAT, "Initiate a chat link"},
        {IDC_SEND, "Send/Reply page message"},
        {IDC_MESSAGE_PLACEHOLDER, "Message to send/recieved"},
        {IDC_SAVE, "Save message"},
        {IDC_DELIVERY_RECEIPT, "Request a confirmation from " + m_sender + " when page received."},
        {IDC_READ_RECEIPT,
         "Request a confirmation from " + m_sender + " when user replies or closes message."},
        {IDC_INCLUDE_TEXT, "Include message in reply."},
    };
    memory::AddBalloonTexts(*m_balloon, *this, texts);
    // The message area stands where the placeholder was and tells what it holds.
    m_balloon->AddTool(m_messageArea, "Message to send/recieved");
    memory::ApplyBalloonSettings(*m_balloon, m_context.settings);
}

bool CPageDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}

void CPageDlg::OnOK() {}

bool CPageDlg::IsChecked(int id) const
{
    const auto *box = qobject_cast<const QAbstractButton *>(GetDlgItem(id));
    return box && box->isChecked();
}

void CPageDlg::SendReadReceipt()
{
    if (!m_readReceiptPending)
        return;
    m_readReceiptPending = false;
    m_context.sender.send(page::kReadMarker, m_sender);
}

void CPageDlg::OnSend()
{
    SendReadReceipt();
    if (m_received) {
        // On the heap, owned by this window: whichever of the two goes first, nothing is
        // deleted twice, and nothing is touched after it went.
        const QPointer<CPageDlg> self(this);
        const QPointer<CPageDlg> reply(new CPageDlg(m_context, this));
        reply->m_sender = m_sender;
        if (IsChecked(IDC_INCLUDE_TEXT))
            reply->m_text = MessageText();
        const int result = reply->DoModal();
        if (!self || !reply)
            return;
        const std::string payload = reply->m_text;
        delete reply.data();
        if (result != ui::IDOK)
            return;
        m_text = payload;
        if (const auto error = m_context.sender.send(m_text, m_sender))
            ReportWinSockError(*error, "Failure to Send Page.");
        return;
    }
    m_text = MessageText();
    if (m_text.empty()) {
        ui::MessageBox(this, "You must supply a message to send.", "Missing Information",
                       ui::MessageIcon::Exclamation);
        return;
    }
    m_text =
        page::BuildPayload(m_text, IsChecked(IDC_DELIVERY_RECEIPT), IsChecked(IDC_READ_RECEIPT));
    EndDialog(ui::IDOK);
}

void CPageDlg::OnClose()
{
    if (m_chatStarting) {
        winsock::WSACancelBlockingCall();
        return;
    }
    if (m_received) {
        DestroyWindow();
        return;
    }
    SendReadReceipt();
    winsock::WSACancelBlockingCall();
    EndDialog(ui::IDCANCEL);
}

void CPageDlg::OnChat()
{
    if (const std::string alias = m_context.settings.aliasValue(m_sender); !alias.empty())
        m_sender = alias;
    for (const int id : {IDC_CHAT, IDC_SEND, IDC_SAVE})
        GetDlgItem(id)->setEnabled(false);
    m_messageArea->setPlainText(text::fromAnsi(std::string(kChatAttempt)));
    m_messageArea->repaint();
    // Opening the chat window may look the name up, while events go on: Close then only cancels
    // the look-up, and the window closes here once the chat window is made.
    const QPointer<CPageDlg> self(this);
    m_chatStarting = true;
    m_context.startChat(m_context.mainWindow, m_sender);
    if (!self)
        return;
    m_chatStarting = false;
    OnClose();
}

void CPageDlg::OnSave()
{
    const auto refusal = m_context.savedMessages.AddSavedMessage({m_title, m_text, m_sender});
    GetDlgItem(IDC_SAVE)->setEnabled(false);
    if (refusal)
        ui::MessageBox(this, *refusal, "Error", ui::MessageIcon::Stop);
}

void CPageDlg::OnHostResolved(msg::WPARAM handle, msg::LPARAM)
{
    // A failed look-up has no name: the dotted address stays.
    const auto name = winsock::WSAAsyncHostName(this, handle);
    if (!name)
        return;
    m_sender = *name;
    m_party.SetCaption(m_party.GetCaption() + " (" + m_sender + ")");
    m_title = m_sender + " - " + m_title;
}
