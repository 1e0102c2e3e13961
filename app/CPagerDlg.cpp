#include "app/CPagerDlg.h"

#include "app/EventSounds.h"
#include "app/Messages.h"
#include "app/PagerNetwork.h"
#include "app/Settings.h"
#include "app/WindowFactory.h"
#include "memory/BalloonHelp.h"
#include "net/CStreamSocket.h"
#include "net/ReportWinSockError.h"
#include "net/SocketTypes.h"
#include "paging/PageArrival.h"
#include "paging/PageSender.h"
#include "platform/text/Ansi.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ToolTipControl.h"

#include <QComboBox>
#include <QIcon>

CPagerDlg::CPagerDlg(app::Settings &settings, app::EventSounds &sounds, app::PagerNetwork &network,
                     page::PageSender &sender, app::WindowFactory &windows, QWidget *parent)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), parent), m_settings(settings),
      m_sounds(sounds), m_network(network), m_sender(sender), m_windows(windows)
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

// The sockets close with the window that they notify.
CPagerDlg::~CPagerDlg()
{
    m_network.stop();
}

QComboBox *CPagerDlg::DestinationBox() const
{
    return qobject_cast<QComboBox *>(GetDlgItem(IDC_DESTINATION));
}

bool CPagerDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_sounds.PlayEventSound(keys::kStartUp, app::EventSounds::Mode::Asynchronous);
    m_balloon = std::make_unique<ui::ToolTipControl>(this);
    m_balloon->Activate(true);
    if (!StartNetworking())
        return true;

    QComboBox *box = DestinationBox();
    box->clear();
    // All at once: one insertion into the box's list, however long the address memory.
    QStringList entries;
    for (const std::string &entry : m_settings.addressList())
        entries.append(text::fromAnsi(entry));
    box->addItems(entries);
    // Adding items selects the first; the destination starts empty all the same, so that Page
    // without typing asks for a destination instead of paging the first remembered one.
    box->setCurrentIndex(-1);

    m_sounds.writeFirstRunDefaults();
    SetUpBalloons();

    const QIcon icon(QStringLiteral(":/icons/tarvil.xpm"));
    setWindowIcon(icon);
    return true;
}

// WinSock, the datagram socket for pages and the listening socket for chats. A failure is shown
// and closes the window, which ends the program; the message stays up until confirmed.
bool CPagerDlg::StartNetworking()
{
    const std::optional<app::PagerNetwork::Failure> failure = m_network.start(this);
    if (!failure)
        return true;
    ReportWinSockError(failure->error, failure->context);
    msg::PostMessage(this, msg::WM_CLOSE, 0, 0);
    return false;
}

bool CPagerDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}

void CPagerDlg::SetUpBalloons()
{
    const memory::BalloonText texts[] = {
        {IDC_MEMORY, "Add/Remove/Alias IP Address & Hostnames in memory"},
        {IDC_DESTINATION_FRAME, "IP Address & Hostnames stored in memory"},
        {IDC_DESTINATION, "IP Address & Hostnames stored in memory"},
        {IDC_OPTIONS, "View/Modify sound/balloon/color options"},
        {IDC_PAGE, "Send Page or Chat to IP Address/Hostname"},
        {IDC_EXIT, "Terminate Tarvil32"},
    };
    memory::AddBalloonTexts(*m_balloon, *this, texts);
    memory::ApplyBalloonSettings(*m_balloon, m_settings);
}

void CPagerDlg::OnPage()
{
    if (!m_sender.isOpen()) {
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
    if (box->findText(box->currentText(), Qt::MatchStartsWith) < 0) {
        box->addItem(box->currentText());
        m_settings.AddAddress(typed);
    }

    // The page window shows what was typed; the datagrams go to what an alias stands for. The
    // alias's value is not looked up again.
    std::string destination = typed;
    if (std::string value = m_settings.aliasValue(typed); !value.empty())
        destination = std::move(value);

    std::string payload;
    if (m_windows.runPageWindow(this, typed, payload))
        SendPage(payload, destination);
}

void CPagerDlg::OnMemory()
{
    m_sounds.PlayEventSound(keys::kAccessMemory, app::EventSounds::Mode::Asynchronous);
    m_windows.runMemoryWindow(this, DestinationBox());
}

void CPagerDlg::OnOptions()
{
    m_windows.runOptionsWindow(this);
    memory::ApplyBalloonSettings(*m_balloon, m_settings);
}

void CPagerDlg::OnExit()
{
    m_sounds.PlayEventSound(keys::kExit, app::EventSounds::Mode::Synchronous);
    msg::PostMessage(this, msg::WM_CLOSE, 0, 0);
}

// A name that does not resolve is reported at once and the other addresses are still paged.
void CPagerDlg::SendPage(const std::string &payload, const std::string &destination)
{
    const page::PageSender::LoopOutcome outcome =
        m_sender.sendPage(payload, destination, [](int error) {
            ReportWinSockError(error, "Failed to write data to datagram socket");
        });
    if (outcome.playsSendSound())
        m_sounds.PlayEventSound(keys::kSendPage, app::EventSounds::Mode::Synchronous);
}

void CPagerDlg::OnDatagramNotify(msg::WPARAM code, msg::LPARAM value)
{
    switch (code) {
    case SN_SENT:
        m_sender.finished(static_cast<std::uintptr_t>(value));
        break;
    case SN_SEND_FAILED: {
        const std::string text = m_sender.finished(static_cast<std::uintptr_t>(value));
        m_failureBoxes.report(app::FailureBoxes::Kind::SendError, [&](const std::string &extra) {
            ui::MessageBox(this, "Error sending data (" + text + ")" + extra, "Winsock Information",
                           ui::MessageIcon::Exclamation);
        });
        break;
    }
    case SN_RECEIVED:
        DecodeDatagram();
        break;
    case SN_RECEIVE_ERROR:
        m_failureBoxes.report(app::FailureBoxes::Kind::ReadError, [this](const std::string &extra) {
            ui::MessageBox(this, "Error reading data." + extra, "Winsock Information",
                           ui::MessageIcon::Exclamation);
        });
        break;
    default:
        ui::MessageBox(this, "Unknown switch value in wParam.", "Winsock Information",
                       ui::MessageIcon::Information);
        break;
    }
}

// One notification, one datagram.
void CPagerDlg::DecodeDatagram()
{
    const std::optional<page::PageArrival> arrival =
        page::TakeArrival(m_network.datagramPort(), m_sender);
    if (!arrival)
        return;
    switch (arrival->kind) {
    case page::PageArrival::Kind::ReadReceipt:
        m_windows.openReceiptWindow(this, app::ReceiptKind::Read, arrival->sender);
        return;
    case page::PageArrival::Kind::DeliveryReceipt:
        m_windows.openReceiptWindow(this, app::ReceiptKind::Delivery, arrival->sender);
        return;
    case page::PageArrival::Kind::Page:
        break;
    }
    if (const std::optional<int> error = arrival->receiptError) {
        m_failureBoxes.report(
            app::FailureBoxes::Kind::ReceiptError, [error](const std::string &extra) {
                ReportWinSockError(*error, "Failed to write delivery receipt" + extra);
            });
    }
    // The pages of a burst share one sound, the last one's: a synchronous sound for each
    // would keep the program from the network for as long as they all play.
    ShowReceivedPage(arrival->text, arrival->readReceiptOwed, arrival->sender,
                     !arrival->moreWaiting);
}

void CPagerDlg::ShowReceivedPage(const std::string &text, bool readReceipt,
                                 const std::string &sender, bool withSound)
{
    if (withSound)
        m_sounds.PlayEventSound(keys::kReceivePage, app::EventSounds::Mode::Synchronous);
    m_windows.openReceivedPage(this, text, readReceipt, sender);
}

void CPagerDlg::OnStreamNotify(msg::WPARAM code, msg::LPARAM)
{
    CStreamSocket *listener = m_network.listener();
    if (code != SN_ACCEPT || !listener)
        return;
    // The connections of a burst share the sound of the first: another one that was already
    // waiting when the last was taken has been announced with it.
    if (!m_connectionsWaiting)
        m_sounds.PlayEventSound(keys::kStartChat, app::EventSounds::Mode::Synchronous);
    m_windows.openIncomingChat(this, *listener);
    m_connectionsWaiting = listener->ConnectionWaiting();
}
