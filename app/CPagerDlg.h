#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <string>
#include <string_view>

class CStreamSocket;
class CTarvilApp;
class QComboBox;

namespace ui {
class ToolTipControl;
}

// The main pager window (dialog 102): the destination box and the buttons from which every
// other window is reached. It runs modally for the whole life of the program.
class CPagerDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 102 };
    enum ControlId {
        IDC_DESTINATION = 1004,
        IDC_DESTINATION_FRAME = 1005,
        IDC_PAGE = 1011,
        IDC_MEMORY = 1012,
        IDC_OPTIONS = 1013,
        IDC_EXIT = 1003,
    };

    explicit CPagerDlg(CTarvilApp &app, QWidget *parent = nullptr);
    ~CPagerDlg() override;

    QComboBox *DestinationBox() const;
    ui::ToolTipControl *Balloon() const { return m_balloon.get(); }

    enum class ReceiptKind { Delivery, Read };

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

    // The windows the buttons open. The page window composes a page for `shownDestination` and
    // returns true with its payload when the user sends it.
    virtual bool RunPageWindow(const std::string &shownDestination, std::string &payload);
    virtual void RunMemoryWindow();
    virtual void RunOptionsWindow();
    // The windows that incoming datagrams and connections open: a received page (its text, whether
    // the sender waits for a read receipt, the sender's dotted address), a receipt, and the chat
    // window that takes a connection waiting on the listening socket.
    virtual void ShowReceivedPage(const std::string &text, bool readReceipt,
                                  const std::string &sender);
    virtual void OpenReceiptWindow(ReceiptKind kind, const std::string &sender);
    virtual void StartIncomingChat(CStreamSocket &listener);

    // Sends the payload to every address of the (alias-resolved) destination.
    void SendPage(const std::string &payload, const std::string &destination);

private:
    bool StartNetworking();
    bool QueueDatagram(std::string_view payload, const std::string &address,
                       std::string_view context);
    void OnDatagramNotify(msg::WPARAM code, msg::LPARAM value);
    void OnStreamNotify(msg::WPARAM code, msg::LPARAM value);
    void DecodeDatagram();
    void OnPage();
    void OnMemory();
    void OnOptions();
    void OnExit();
    void PlayStartUpSound();
    void SetUpBalloons();
    void ApplyBalloonDelay();

    CTarvilApp &m_app;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
