#pragma once

#include "platform/ui/Dialog.h"
#include "wrappers/CQv3dLabel.h"

#include <memory>
#include <string>

class QTextEdit;

namespace page {
struct PageWindowContext;
}

namespace ui {
class ToolTipControl;
}

// The page window (dialog 130). In send mode it runs modally and composes a page: on OK m_text
// holds the payload with its receipt requests, for the caller to send. In received mode it shows
// a received or saved page modeless, owned by the main window, and from there the user replies,
// saves, starts a chat or closes it. A read receipt the sender waits for goes out once, on the
// first of Reply, Close and Chat, or when the window goes in any other way.
class CPageDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 130 };
    enum ControlId {
        IDC_PARTY = 1065,
        IDC_MESSAGE_PLACEHOLDER = 1079,
        IDC_DELIVERY_RECEIPT = 1084,
        IDC_READ_RECEIPT = 1085,
        IDC_INCLUDE_TEXT = 1086,
        IDC_SEND = 1015,
        IDC_CHAT = 1016,
        IDC_SAVE = 1017,
        IDC_CLOSE = 1027,
    };

    // A window in send mode; no window exists until it runs.
    CPageDlg(const page::PageWindowContext &context, QWidget *owner);
    ~CPageDlg() override;

    // Received mode: shows `text` from `sender` (a dotted address, or a saved message's sender)
    // modeless; the object then owns itself. Set m_title before for a reopened saved message,
    // and the pending read receipt for a page whose sender asked for one.
    void ShowReceived(const std::string &text, const std::string &sender);
    void SetReadReceiptPending(bool pending) { m_readReceiptPending = pending; }

    // The message area, and the text it shows as ANSI.
    QTextEdit *MessageArea() const { return m_messageArea; }
    std::string MessageText() const;

    std::string m_title;
    std::string m_text;
    std::string m_sender;

protected:
    bool OnInitDialog() override;
    // Enter ends neither mode: the buttons are the ways out.
    void OnOK() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

private:
    void CreateMessageArea();
    void InitReceivedMode();
    void InitSendMode();
    void SetUpBalloons();
    void OnSend();
    void OnChat();
    void OnSave();
    void OnClose();
    void OnHostResolved(msg::WPARAM handle, msg::LPARAM reply);
    void SendReadReceipt();
    bool IsChecked(int id) const;

    const page::PageWindowContext &m_context;
    bool m_received = false;
    bool m_readReceiptPending = false;
    bool m_chatStarting = false;
    QTextEdit *m_messageArea = nullptr;
    CQv3dLabel m_party;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
