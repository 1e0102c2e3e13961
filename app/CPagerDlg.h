#pragma once

#include "app/FailureBoxes.h"
#include "platform/ui/Dialog.h"

#include <memory>
#include <string>

class QComboBox;

namespace app {
class EventSounds;
class PagerNetwork;
class Settings;
class WindowFactory;
} // namespace app

namespace page {
class PageSender;
}

namespace ui {
class ToolTipControl;
}

// The main pager window (dialog 102): the destination box and the buttons from which every
// other window is reached. It runs modally for the whole life of the program, owns (as their
// notification target) the datagram and listening sockets, and decides nothing about the
// protocol itself: paging code says what a datagram means and how a send loop went; the window
// turns that into windows, boxes and sounds.
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

    CPagerDlg(app::Settings &settings, app::EventSounds &sounds, app::PagerNetwork &network,
              page::PageSender &sender, app::WindowFactory &windows, QWidget *parent = nullptr);
    ~CPagerDlg() override;

    QComboBox *DestinationBox() const;
    ui::ToolTipControl *Balloon() const { return m_balloon.get(); }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

private:
    bool StartNetworking();
    void OnDatagramNotify(msg::WPARAM code, msg::LPARAM value);
    void OnStreamNotify(msg::WPARAM code, msg::LPARAM value);
    void DecodeDatagram();
    void ShowReceivedPage(const std::string &text, bool readReceipt, const std::string &sender,
                          bool withSound);
    void SendPage(const std::string &payload, const std::string &destination);
    void OnPage();
    void OnMemory();
    void OnOptions();
    void OnExit();
    void SetUpBalloons();

    app::Settings &m_settings;
    app::EventSounds &m_sounds;
    app::PagerNetwork &m_network;
    page::PageSender &m_sender;
    app::WindowFactory &m_windows;
    app::FailureBoxes m_failureBoxes;
    bool m_connectionsWaiting = false; // more chat connections waited after the last was taken
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
