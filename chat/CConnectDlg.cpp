#include "chat/CConnectDlg.h"

CConnectDlg::CConnectDlg(QWidget *owner) : ui::Dialog(ui::DialogTemplate::load(IDD).value(), owner)
{
    if (Create())
        show();
}

bool CConnectDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    CenterWindow(nullptr);
    return true;
}

void CConnectDlg::OnOK() {}

void CConnectDlg::OnCancel() {}
