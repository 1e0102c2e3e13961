#include "memory/CAliasDlg.h"

#include "memory/BalloonHelp.h"
#include "platform/text/Ansi.h"
#include "platform/ui/ToolTipControl.h"
#include "wrappers/DataExchange.h"

#include <QLineEdit>

namespace {

// The label's Caption property.
constexpr ole::DispId kCaption = 2;

constexpr const char *kHelpText =
    "The IP Address/Hostname will be displayed in the dropdown\r\n"
    "listbox on the pager and will be the destination of the page or\r\n"
    "chat request.  Can be an IP such as (192.168.10.24) or a \r\n"
    "hostname such as (frontdesk).\r\n"
    "\r\n"
    "The Alias is a user defined string that will be associated with the\r\n"
    "IP address or Hostname above such as 'Maren' aliased to '192.168.10.24'.";

} // namespace

CAliasDlg::CAliasDlg(const app::Settings &settings, QWidget *owner)
    : CAliasDlg(false, settings, owner)
{}

CAliasDlg::CAliasDlg(bool aliasRequired, const app::Settings &settings, QWidget *owner)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), owner), m_settings(settings),
      m_aliasRequired(aliasRequired)
{
    onClick(IDC_OK, [this] { OnOK(); });
    onClick(IDC_HELP, [this] { OnHelp(); });
    onClick(IDC_CANCEL, [this] { OnCancel(); });
}

CAliasDlg::~CAliasDlg() = default;

bool CAliasDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    DDX_OCText(*this, IDC_PROMPT, kCaption, m_prompt, false);
    bool focusDefault = true;
    if (!m_destination.empty()) {
        qobject_cast<QLineEdit *>(GetDlgItem(IDC_DESTINATION))
            ->setText(text::fromAnsi(m_destination));
        GetDlgItem(IDC_ALIAS)->setFocus();
        focusDefault = false;
    }
    SetUpBalloons();
    return focusDefault;
}

std::string CAliasDlg::EditText(int id) const
{
    return text::toAnsi(qobject_cast<const QLineEdit *>(GetDlgItem(id))->text());
}

void CAliasDlg::OnOK()
{
    m_destination = EditText(IDC_DESTINATION);
    if (m_destination.empty()) {
        ui::MessageBox(this, "You must input an IP Address/Hostname", "Missing Information",
                       ui::MessageIcon::Exclamation);
        return;
    }
    m_alias = EditText(IDC_ALIAS);
    if (m_aliasRequired && m_alias.empty()) {
        ui::MessageBox(this, "You must input an Alias", "Missing Information",
                       ui::MessageIcon::Exclamation);
        return;
    }
    DDX_OCText(*this, IDC_PROMPT, kCaption, m_prompt, true);
    ui::Dialog::OnOK();
}

void CAliasDlg::OnHelp()
{
    ui::MessageBox(this, kHelpText, "Tarvil Help", ui::MessageIcon::Information);
}

void CAliasDlg::SetUpBalloons()
{
    const memory::BalloonText tools[] = {
        {IDC_DESTINATION, "Actual IP Address or Hostname"},
        {IDC_ALIAS, "Any string to associate with the above IP Address/Hostname"},
        {IDC_OK, "Add Item/Alias to memory and return"},
        {IDC_HELP, "Brief description of this dialog"},
        {IDC_CANCEL, "Disregard this add/alias and return."},
    };
    m_balloon = memory::CreateWindowBalloons(*this, tools, m_settings);
}

bool CAliasDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}
