#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <string>

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

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

    // The windows the buttons open. The page window composes a page for `shownDestination` and
    // returns true with its payload when the user sends it; the send loop then delivers the
    // payload to every address of `destination`.
    virtual bool RunPageWindow(const std::string &shownDestination, std::string &payload);
    virtual void SendPage(const std::string &payload, const std::string &destination);
    virtual void RunMemoryWindow();
    virtual void RunOptionsWindow();

private:
    void OnPage();
    void OnMemory();
    void OnOptions();
    void OnExit();
    void PlayStartUpSound();
    void SetUpBalloons();
    void ApplyBalloonDelay();

    CTarvilApp &m_app;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
    // The destination as typed when Page was last pressed.
    std::string m_destination;
};
