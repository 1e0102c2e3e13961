#pragma once

#include "platform/ui/Dialog.h"

// The progress window (dialog 143) shown above everything while a chat link is being made: an
// animated picture and "Attempting to establish chat link...". It has no buttons; the chat
// window that opened it closes it.
class CConnectDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 143 };
    enum ControlId { IDC_PANEL = 1069, IDC_ANIMATION = 1070, IDC_NOTICE = 1071 };

    // Shows the window at once, centred, owned by `owner`; the object owns itself.
    explicit CConnectDlg(QWidget *owner);

protected:
    bool OnInitDialog() override;
    // Neither Enter nor Escape closes it.
    void OnOK() override;
    void OnCancel() override;
};
