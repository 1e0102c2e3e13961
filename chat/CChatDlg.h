#pragma once

#include "chat/ChatOutbox.h"
#include "chat/LineHistory.h"
#include "chat/MessageSplitter.h"
#include "platform/ui/Dialog.h"
#include "wrappers/CQv3dLabel.h"
#include "wrappers/CQv3dText.h"
#include "wrappers/CQvcm200.h"

#include <QElapsedTimer>
#include <QPointer>
#include <deque>
#include <memory>
#include <string>

class CConnectDlg;
class CStreamSocket;
class QGroupBox;
class QLineEdit;

namespace chat {
struct ChatWindowContext;
}

namespace ui {
class ToolTipControl;
}

// The chat window (dialog 136): one end of a chat link. The user types a line and presses
// Enter; it goes to the other party and on top of the sent box. Lines from the other party go on
// top of the reply box. Lights show whether the link is up and whether the other party is
// typing; the hang-up button ends the link and the window. The window is modeless, owned by the
// main window, and releases itself when it closes, which closes its link.
class CChatDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 136 };
    enum ControlId {
        IDC_SENT = 1029,
        IDC_REPLIES = 1030,
        IDC_SEND_GROUP = 1031,
        IDC_REPLY_GROUP = 1032,
        IDC_LIGHTS_PANEL = 1033,
        IDC_HANG_UP_PANEL = 1034,
        IDC_HANG_UP = 1035,
        IDC_LINK = 1036,
        IDC_TYPING = 1037,
        IDC_LINK_DOWN = 1038,
        IDC_HANG_UP_LABEL = 1039,
        IDC_PEER = 1040,
        IDC_INPUT = 1073,
    };
    static constexpr unsigned TIMER_TYPING_RESET = 1;
    static constexpr unsigned TIMER_CONNECT_TIMEOUT = 2;
    static constexpr unsigned kTypingResetMs = 5000;
    // The boxes are drawn at most this often.
    static constexpr int kShowIntervalMs = 100;
    // Bytes a link may hold unsent for a peer that does not read before it is given up.
    static constexpr std::size_t kMostUnsent = 1024 * 1024;

    // Calls `peerAddress` (a dotted address or a host name).
    CChatDlg(const chat::ChatWindowContext &context, std::string peerAddress);
    // Takes the link waiting on `listener`.
    CChatDlg(const chat::ChatWindowContext &context, CStreamSocket &listener);
    ~CChatDlg() override;

protected:
    bool OnInitDialog() override;
    // Enter sends the input line; the window stays.
    void OnOK() override;
    void OnTimer(unsigned id) override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

private:
    CChatDlg(const chat::ChatWindowContext &context, std::string peerAddress,
             CStreamSocket *listener);

    // Accepts or starts the link; false after a failure, which has been reported.
    bool SetUpLink();
    void SetUpBalloons();
    void ApplyColors();
    void OnEnter();
    void OnTyping();
    void OnHangUp();
    void OnSocketNotify(msg::WPARAM code, msg::LPARAM value);
    void OnConnected();
    void OnReceived();
    void OnClosed();
    void OnHostResolved(msg::WPARAM handle, msg::LPARAM reply);
    void OnConnectTimeout();
    void TakeMessage(std::string_view message);
    // Queues a message; false when the socket refused it.
    bool Send(std::string message);
    // A peer that has not taken kMostUnsent bytes will not: the link ends here.
    void GiveUpLink();
    void ShowPeer();
    void SetIndicators(bool down);
    void CloseProgressWindow();
    // The boxes and the typing light show what came and went since they were last drawn, once
    // per pass of the event loop however many lines a burst brings.
    void ScheduleShow();
    void ShowLines();

    const chat::ChatWindowContext &m_context;
    CStreamSocket *m_listener;
    const bool m_incoming;
    std::string m_peerAddress;
    std::unique_ptr<CStreamSocket> m_socket;
    QPointer<CConnectDlg> m_progress;
    chat::ChatOutbox m_outbox;
    chat::MessageSplitter m_splitter;
    // Set when the link has ended, by the peer or given up here.
    bool m_linkEnded = false;
    // An incoming link taken while more were waiting: it comes up without its sound.
    bool m_quietLink = false;

    chat::LineHistory m_sent;
    chat::LineHistory m_replies;
    // Lines received and not yet shown, oldest first, and the typing light they leave.
    std::deque<std::string> m_newReplies;
    std::size_t m_newReplyBytes = 0;
    bool m_typingLightRed = true;
    bool m_typingChanged = false;
    bool m_sentChanged = false;
    bool m_showScheduled = false;
    QElapsedTimer m_sinceShown;

    QLineEdit *m_input = nullptr;
    QGroupBox *m_replyGroup = nullptr;
    CQv3dText m_sentBox;
    CQv3dText m_replyBox;
    CQvcm200 m_linkIndicator;
    CQvcm200 m_typingLight;
    CQvcm200 m_linkDownIndicator;
    CQv3dLabel m_peerLabel;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
