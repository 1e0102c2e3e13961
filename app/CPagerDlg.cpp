#include "app/CPagerDlg.h"

#include "app/CSettings.h"
#include "app/CTarvilApp.h"
#include "app/Messages.h"
#include "app/SettingsKeys.h"
#include "net/ReportWinSockError.h"
#include "net/SocketTypes.h"
#include "paging/PageDatagram.h"
#include "platform/sound/SoundPlayer.h"
#include "platform/text/Ansi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"

#include <QComboBox>
#include <QIcon>
#include <algorithm>
#include <climits>

namespace {

// Balloon delays are stored in seconds; anything beyond what milliseconds can hold is clamped.
int BalloonDelayMilliseconds(int seconds)
{
    return std::clamp(seconds, 0, INT_MAX / 1000) * 1000;
}

} // namespace

CPagerDlg::CPagerDlg(CTarvilApp &app, QWidget *parent)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), parent), m_app(app)
{
    onClick(IDC_PAGE, [this] { OnPage(); });
    onClick(IDC_MEMORY, [this] { OnMemory(); });
    onClick(IDC_OPTIONS, [this] { OnOptions(); });
    onClick(IDC_EXIT, [this] { OnExit(); });
    onMessage(WM_DATAGRAM_NOTIFY,
              [this](msg::WPARAM code, msg::LPARAM value) { OnDatagramNotify(code, value); });
    onMessage(WM_STREAM_NOTIFY,
              [this](msg::WPARAM code, msg::LPARAM value) { OnStreamNotify(code, value); });
}

CPagerDlg::~CPagerDlg() = default;

QComboBox *CPagerDlg::DestinationBox() const
{
    return qobject_cast<QComboBox *>(GetDlgItem(IDC_DESTINATION));
}

bool CPagerDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    PlayStartUpSound();
    m_balloon = std::make_unique<ui::ToolTipControl>(this);
    m_balloon->Activate(true);
    if (!StartNetworking())
        return true;

    CSettings &settings = m_app.Settings();
    QComboBox *box = DestinationBox();
    box->clear();
    for (const std::string &entry : settings.AddressList())
        box->addItem(text::fromAnsi(entry));

    m_app.Sounds().WriteFirstRunDefaults();
    SetUpBalloons();

    const QIcon icon(QStringLiteral(":/icons/tarvil.xpm"));
    setWindowIcon(icon);
    return true;
}

// WinSock, the datagram socket for pages and the listening socket for chats. A failure is shown
// and closes the window, which ends the program; the message stays up until confirmed.
bool CPagerDlg::StartNetworking()
{
    auto fail = [this](int error, std::string_view context) {
        ReportWinSockError(error, context);
        msg::PostMessage(this, msg::WM_CLOSE, 0, 0);
        return false;
    };

    auto winSock = std::make_unique<CWinSockInit>(winsock::MAKEWORD(1, 1));
    if (winSock->Start() != SOCK_OK)
        return fail(winSock->LastError(), "WinSock failure Initializing");
    m_app.SetWinSock(std::move(winSock));

    auto datagram = std::make_unique<CDatagramSocket>(this, WM_DATAGRAM_NOTIFY);
    if (datagram->Create(PAGE_PORT) != SOCK_OK)
        return fail(datagram->LastError(), "Datagram failure Initializing");
    m_app.SetDatagramSocket(std::move(datagram));

    auto listener = std::make_unique<CStreamSocket>(this, WM_STREAM_NOTIFY);
    if (listener->Create(CHAT_PORT) != SOCK_OK)
        return fail(listener->LastError(), "Datagram failure Initializing");
    m_app.SetListeningSocket(std::move(listener));
    return true;
}

bool CPagerDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}

// The start-up sound is decided from the settings file itself, before anything else is set up.
void CPagerDlg::PlayStartUpSound()
{
    const CSettings &settings = m_app.Settings();
    if (settings.GetString(keys::kDisabledSounds, keys::kAll) == keys::kAllDisabled)
        return;
    if (!settings.GetString(keys::kDisabledSounds, keys::kStartUp).empty())
        return;
    const std::string file = settings.GetString(keys::kSounds, keys::kStartUp);
    if (!file.empty())
        m_app.SoundPlayer().sndPlaySound(file, sound::SND_ASYNC);
}

void CPagerDlg::SetUpBalloons()
{
    const struct {
        int id;
        const char *text;
    } tools[] = {
        {IDC_MEMORY, "Add/Remove/Alias IP Address & Hostnames in memory"},
        {IDC_DESTINATION_FRAME, "IP Address & Hostnames stored in memory"},
        {IDC_DESTINATION, "IP Address & Hostnames stored in memory"},
        {IDC_OPTIONS, "View/Modify sound/balloon/color options"},
        {IDC_PAGE, "Send Page or Chat to IP Address/Hostname"},
        {IDC_EXIT, "Terminate Tarvil32"},
    };
    for (const auto &tool : tools)
        m_balloon->AddTool(GetDlgItem(tool.id), tool.text);

    ApplyBalloonDelay();
    if (m_app.Settings().GetString(keys::kBalloonHelp, keys::kEnabled) == keys::kBalloonOff)
        m_balloon->Activate(false);
}

void CPagerDlg::ApplyBalloonDelay()
{
    const int delay =
        m_app.Settings().GetInt(keys::kBalloonHelp, keys::kDelay, keys::kDefaultDelay);
    if (delay != keys::kDefaultDelay)
        m_balloon->SetDelayTime(BalloonDelayMilliseconds(delay));
}

void CPagerDlg::OnPage()
{
    if (!m_app.DatagramSocket()) {
        ui::MessageBox(this, "Bad Datagram - Restart Tarvil.", "Error", ui::MessageIcon::Stop);
        return;
    }
    QComboBox *box = DestinationBox();
    const std::string typed = text::toAnsi(box->currentText());
    if (typed.empty()) {
        ui::MessageBox(this, "You must supply an ip address or host name.", "Missing Information",
                       ui::MessageIcon::Exclamation);
        return;
    }

    // A text that begins an item already listed is taken as known: not added again.
    CSettings &settings = m_app.Settings();
    if (box->findText(box->currentText(), Qt::MatchStartsWith) < 0) {
        box->addItem(box->currentText());
        settings.AddAddress(typed);
    }

    // The page window shows what was typed; the datagrams go to what an alias stands for. The
    // alias's value is not looked up again.
    std::string destination = typed;
    if (std::string value = settings.GetString(keys::kAlias, typed); !value.empty())
        destination = std::move(value);

    std::string payload;
    if (RunPageWindow(typed, payload))
        SendPage(payload, destination);
}

void CPagerDlg::OnMemory()
{
    m_app.Sounds().PlayEventSound(keys::kAccessMemory, CEventSounds::Mode::Asynchronous);
    RunMemoryWindow();
}

void CPagerDlg::OnOptions()
{
    RunOptionsWindow();
    if (m_app.Settings().GetString(keys::kBalloonHelp, keys::kEnabled) == keys::kBalloonOff) {
        m_balloon->Activate(false);
        return;
    }
    m_balloon->Activate(true);
    ApplyBalloonDelay();
}

void CPagerDlg::OnExit()
{
    m_app.Sounds().PlayEventSound(keys::kExit, CEventSounds::Mode::Synchronous);
    msg::PostMessage(this, msg::WM_CLOSE, 0, 0);
}

// Every address of the destination gets the payload with its zero byte. A name that does not
// resolve is reported at once and the others are still sent; "Send Page" plays only when every
// datagram was queued.
void CPagerDlg::SendPage(const std::string &payload, const std::string &destination)
{
    bool allSent = true;
    for (const std::string &address : page::DestinationTokens(destination))
        allSent &= QueueDatagram(payload, address, "Failed to write data to datagram socket");
    if (allSent)
        m_app.Sounds().PlayEventSound(keys::kSendPage, CEventSounds::Mode::Synchronous);
}

// Queues one datagram to the page port of `address`; a failure is reported with `context`. The
// bytes are kept until the socket reports the datagram sent or failed.
bool CPagerDlg::QueueDatagram(std::string_view payload, const std::string &address,
                              std::string_view context)
{
    CDatagramSocket &socket = *m_app.DatagramSocket();
    CPendingPayloads &pending = m_app.PendingPayloads();
    const char *bytes = pending.Hold(payload);
    const int length = static_cast<int>(payload.size()) + 1;
    const bool queued = socket.SendTo(length, bytes, address, PAGE_PORT) == SOCK_OK;
    if (queued)
        pending.Queued(bytes);
    else
        ReportWinSockError(socket.LastError(), context);
    pending.Release(bytes);
    return queued;
}

void CPagerDlg::OnDatagramNotify(msg::WPARAM code, msg::LPARAM value)
{
    switch (code) {
    case SN_SENT:
        m_app.PendingPayloads().Finished(static_cast<std::uintptr_t>(value));
        break;
    case SN_SEND_FAILED: {
        const std::string text =
            m_app.PendingPayloads().Finished(static_cast<std::uintptr_t>(value));
        ui::MessageBox(this, "Error sending data (" + text + ")", "Winsock Information",
                       ui::MessageIcon::Exclamation);
        break;
    }
    case SN_RECEIVED:
        DecodeDatagram();
        break;
    case SN_RECEIVE_ERROR:
        ui::MessageBox(this, "Error reading data.", "Winsock Information",
                       ui::MessageIcon::Exclamation);
        break;
    default:
        ui::MessageBox(this, "Unknown switch value in wParam.", "Winsock Information",
                       ui::MessageIcon::Information);
        break;
    }
}

// One notification, one datagram: a receipt opens its window; a page that asks for a delivery
// receipt gets it queued before its window opens, so it leaves once the window is up.
void CPagerDlg::DecodeDatagram()
{
    CDatagramSocket *socket = m_app.DatagramSocket();
    int length = 0;
    sockaddr_in from{};
    const std::unique_ptr<char[]> datagram = socket ? socket->Receive(length, &from) : nullptr;
    if (!datagram)
        return;
    const page::Decoded decoded = page::Decode(std::span<const char>(datagram.get(), length));
    const std::string sender = winsock::inet_ntoa(from.sin_addr);

    switch (decoded.kind) {
    case page::Decoded::Kind::ReadReceipt:
        OpenReceiptWindow(ReceiptKind::Read, sender);
        return;
    case page::Decoded::Kind::DeliveryReceipt:
        OpenReceiptWindow(ReceiptKind::Delivery, sender);
        return;
    case page::Decoded::Kind::Page:
        break;
    }
    if (decoded.deliveryReceiptRequested)
        QueueDatagram(page::kDeliveryMarker, sender, "Failed to write delivery receipt");
    ShowReceivedPage(decoded.text, decoded.readReceiptRequested, sender);
}

void CPagerDlg::OnStreamNotify(msg::WPARAM code, msg::LPARAM)
{
    if (code != SN_ACCEPT || !m_app.ListeningSocket())
        return;
    m_app.Sounds().PlayEventSound(keys::kStartChat, CEventSounds::Mode::Synchronous);
    StartIncomingChat(*m_app.ListeningSocket());
}

// The page, receipt, chat, memory and options windows are windows of their own. Until they are
// part of the program, a received page is announced by its sound only, a waiting chat
// connection is taken and closed at once so the caller is not left waiting, and the buttons
// open nothing.
void CPagerDlg::ShowReceivedPage(const std::string &, bool, const std::string &)
{
    m_app.Sounds().PlayEventSound(keys::kReceivePage, CEventSounds::Mode::Synchronous);
}

void CPagerDlg::OpenReceiptWindow(ReceiptKind, const std::string &) {}

void CPagerDlg::StartIncomingChat(CStreamSocket &listener)
{
    CStreamSocket connection(nullptr, 0);
    if (listener.Accept(connection) == SOCK_OK)
        connection.Close();
}

bool CPagerDlg::RunPageWindow(const std::string &, std::string &)
{
    return false;
}

void CPagerDlg::RunMemoryWindow() {}

void CPagerDlg::RunOptionsWindow() {}
