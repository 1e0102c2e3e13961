#pragma once

#include "platform/ui/Dialog.h"
#include "wrappers/CQv3dLabel.h"

#include <string>

namespace app {
class EventSounds;
}

namespace clk {
class Clock;
}

// The notice that a page was delivered or read (dialog 147): who sent the receipt and when it
// came in. It opens modeless as it is made, plays the receipt's sound, adds the sender's host
// name to the notice when the reverse look-up answers, and goes with OK. The window object
// releases itself after its window is destroyed.
class CReceiptDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 147 };
    enum ControlId { IDC_BACKGROUND = 1076, IDC_NOTICE = 1086 };

    // `sender` is the dotted address the receipt came from; `owner` is the main window.
    CReceiptDlg(bool read, std::string sender, app::EventSounds &sounds, const clk::Clock &clock,
                QWidget *owner);

    const std::string &NoticeText() const { return m_notice; }
    // A receipt that gets no window of its own, because too many are open, is counted here.
    void CountFurtherReceipt();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnHostResolved(msg::WPARAM handle, msg::LPARAM reply);
    void ShowNotice();

    bool m_read;
    std::string m_sender;
    std::string m_notice;
    int m_furtherReceipts = 0;
    app::EventSounds &m_sounds;
    const clk::Clock &m_clock;
    CQv3dLabel m_noticeLabel;
};
