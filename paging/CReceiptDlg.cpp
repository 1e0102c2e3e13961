#include "paging/CReceiptDlg.h"

#include "app/EventSounds.h"
#include "app/Messages.h"
#include "app/SettingsKeys.h"
#include "platform/time/Clock.h"
#include "platform/winsock/WinSock.h"
#include "wrappers/DataExchange.h"

#include <utility>

CReceiptDlg::CReceiptDlg(bool read, std::string sender, app::EventSounds &sounds,
                         const clk::Clock &clock, QWidget *owner)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), owner), m_read(read),
      m_sender(std::move(sender)),
      m_notice((read ? "Page read by " : "Page delivered to ") + m_sender), m_sounds(sounds),
      m_clock(clock)
{
    onMessage(WM_RECEIPT_HOST_RESOLVED,
              [this](msg::WPARAM handle, msg::LPARAM reply) { OnHostResolved(handle, reply); });
    if (Create()) {
        showNormal();
        raise();
        activateWindow();
    }
}

bool CReceiptDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    CenterWindow(nullptr);
    setWindowTitle(QStringLiteral("Receipt received at ") +
                   QString::fromStdString(clk::timeText(m_clock.now())));
    in_addr address{};
    address.s_addr = winsock::inet_addr(m_sender);
    winsock::WSAAsyncGetHostByAddr(this, WM_RECEIPT_HOST_RESOLVED, address);
    DDX_Control(*this, IDC_NOTICE, m_noticeLabel);
    ShowNotice();
    m_sounds.PlayReceiptSound(m_read ? keys::kReadReceipt : keys::kDeliveryReceipt);
    return true;
}

void CReceiptDlg::OnOK()
{
    winsock::WSACancelBlockingCall();
    ui::Dialog::OnOK();
}

void CReceiptDlg::OnHostResolved(msg::WPARAM handle, msg::LPARAM)
{
    // A failed look-up has no name: the dotted address stays.
    const auto name = winsock::WSAAsyncHostName(this, handle);
    if (!name)
        return;
    m_notice += "(" + *name + ")";
    ShowNotice();
}

void CReceiptDlg::CountFurtherReceipt()
{
    ++m_furtherReceipts;
    ShowNotice();
}

void CReceiptDlg::ShowNotice()
{
    std::string shown = m_notice;
    if (m_furtherReceipts > 0)
        shown += "\r\n(and " + std::to_string(m_furtherReceipts) + " more receipts)";
    m_noticeLabel.SetCaption(shown);
}
