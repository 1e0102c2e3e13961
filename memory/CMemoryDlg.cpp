#include "memory/CMemoryDlg.h"

#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "memory/BalloonHelp.h"
#include "memory/CAliasDlg.h"
#include "paging/CPageDlg.h"
#include "paging/CSavedMessageList.h"
#include "paging/PageWindowContext.h"
#include "platform/text/Ansi.h"
#include "platform/ui/ToolTipControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>

namespace {

constexpr const char *kAddPrompt =
    "Input IP Address or Hostname To Add:   You may enter multiple IPs or Hostnames by "
    "separting them with a ','";
constexpr std::string_view kAliasSeparator = " == ";

void ShowAlreadyStored(QWidget *owner, const char *text)
{
    ui::MessageBox(owner, text, "Information", ui::MessageIcon::Information);
}

} // namespace

CMemoryDlg::CMemoryDlg(const page::PageWindowContext &context, QComboBox *destinations,
                       QWidget *owner)
    : ui::Dialog(ui::DialogTemplate::load(IDD).value(), owner), m_context(context),
      m_destinations(destinations)
{
    onClick(IDC_ADD, [this] { OpenMessageOr(&CMemoryDlg::OnAdd); });
    onClick(IDC_ALIAS, [this] { OnAlias(); });
    onClick(IDC_REMOVE, [this] { OnRemove(); });
    onClick(IDC_RETURN, [this] { EndDialog(ui::IDOK); });
    onClick(IDC_ADDRESSES, [this] { ShowAddresses(); });
    onClick(IDC_MESSAGES, [this] { ShowMessages(); });
}

CMemoryDlg::~CMemoryDlg() = default;

QListWidget *CMemoryDlg::List() const
{
    return qobject_cast<QListWidget *>(GetDlgItem(IDC_LIST));
}

bool CMemoryDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    if (!m_destinations) {
        ui::MessageBox(this, "ComboBox is NULL.", "Invalid Info", ui::MessageIcon::Exclamation);
        // Nothing to keep in step with: only Return is left.
        for (int id : {IDC_ADD, IDC_REMOVE, IDC_ALIAS, IDC_ADDRESSES, IDC_MESSAGES})
            GetDlgItem(id)->setEnabled(false);
        return true;
    }
    const app::Settings &settings = m_context.settings;
    for (int entry = 0; entry < m_destinations->count(); ++entry) {
        std::string line = text::toAnsi(m_destinations->itemText(entry));
        if (const std::string value = settings.aliasValue(line); !value.empty())
            line += std::string(kAliasSeparator) + value;
        m_addressLines.push_back(std::move(line));
    }
    ShowLines(m_addressLines);
    const CSavedMessageList &messages = m_context.savedMessages;
    for (std::size_t index = 0; index < messages.GetCount(); ++index)
        m_messageTitles.push_back(messages.GetAt(index).m_title);
    if (m_messageTitles.empty())
        GetDlgItem(IDC_MESSAGES)->setEnabled(false);
    connect(List(), &QListWidget::itemDoubleClicked, this,
            [this] { OpenMessageOr(&CMemoryDlg::OnAlias); });
    SetUpBalloons();
    m_view = kAddresses;
    ExchangeView(false);
    return true;
}

bool CMemoryDlg::PreTranslateMessage(QObject *target, QEvent *event)
{
    if (m_balloon)
        m_balloon->RelayEvent(target, event);
    return ui::Dialog::PreTranslateMessage(target, event);
}

void CMemoryDlg::SetUpBalloons()
{
    // Added once: button 1017 keeps its Add text in the Messages view.
    const memory::BalloonText tools[] = {
        {IDC_ADD, "Add new IP Address/Hostname with optional alias string"},
        {IDC_ALIAS, "Add alias to selected memory item or add new item with an alias"},
        {IDC_REMOVE, "Remove selected memory item"},
        {IDC_RETURN, "Return from memory manipulation"},
        {IDC_LIST, "Memory items currently stored"},
    };
    m_balloon = memory::CreateWindowBalloons(*this, tools, m_context.settings);
}

void CMemoryDlg::ExchangeView(bool save)
{
    auto *addresses = qobject_cast<QAbstractButton *>(GetDlgItem(IDC_ADDRESSES));
    auto *messages = qobject_cast<QAbstractButton *>(GetDlgItem(IDC_MESSAGES));
    if (save)
        m_view = messages->isChecked() ? kMessages : addresses->isChecked() ? kAddresses : -1;
    else
        (m_view == kMessages ? messages : addresses)->setChecked(true);
}

int CMemoryDlg::SelectedRow() const
{
    const QList<QListWidgetItem *> selected = List()->selectedItems();
    return selected.isEmpty() ? -1 : List()->row(selected.first());
}

bool CMemoryDlg::ListHasLineStartingWith(const std::string &text) const
{
    const QString prefix = text::fromAnsi(text);
    const QListWidget *list = List();
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text().startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void CMemoryDlg::OpenMessageOr(void (CMemoryDlg::*addressesAction)())
{
    ExchangeView(true);
    if (m_view == kMessages)
        OnOpenMessage();
    else
        (this->*addressesAction)();
}

void CMemoryDlg::OnAdd()
{
    CAliasDlg window(m_context.settings, this);
    window.m_prompt = kAddPrompt;
    if (window.DoModal() != ui::IDOK)
        return;
    if (ListHasLineStartingWith(window.m_destination)) {
        ShowAlreadyStored(this, "That ipname already exists in memory.");
        return;
    }
    if (window.m_alias.empty()) {
        AppendItem(window.m_destination, window.m_destination);
        return;
    }
    StoreAlias(window.m_alias, window.m_destination);
}

void CMemoryDlg::OnAlias()
{
    CAliasDlg window(true, m_context.settings, this);
    window.m_prompt = kAddPrompt;
    if (const int row = SelectedRow(); row >= 0) {
        const std::string selected = text::toAnsi(List()->item(row)->text());
        if (selected.find("==") != std::string::npos) {
            ui::MessageBox(this, "You cannot alias an alias.", "Tarvil32",
                           ui::MessageIcon::Exclamation);
            return;
        }
        window.m_prompt = "Please input alias for '" + selected + "'";
        window.m_destination = selected;
    }
    if (window.DoModal() != ui::IDOK)
        return;
    StoreAlias(window.m_alias, window.m_destination);
}

void CMemoryDlg::StoreAlias(const std::string &alias, const std::string &destination)
{
    if (ListHasLineStartingWith(alias)) {
        ShowAlreadyStored(this, "That alias already exists in memory.");
        return;
    }
    m_context.settings.WriteString(keys::kAlias, alias, destination);
    AppendItem(alias, alias + std::string(kAliasSeparator) + destination);
}

void CMemoryDlg::AppendItem(const std::string &item, const std::string &line)
{
    List()->addItem(text::fromAnsi(line));
    m_destinations->addItem(text::fromAnsi(item));
    m_addressLines.push_back(line);
    m_context.settings.AddAddress(item);
}

void CMemoryDlg::OnRemove()
{
    const int row = SelectedRow();
    if (row < 0) {
        ui::MessageBox(this, "You must select an IP address to remove.", "Missing Selection",
                       ui::MessageIcon::Exclamation);
        return;
    }
    ExchangeView(true);
    if (m_view == kMessages)
        RemoveMessage(row);
    else
        RemoveAddress(row);
}

void CMemoryDlg::RemoveMessage(int index)
{
    const auto refusal =
        m_context.savedMessages.RemoveSavedMessage(static_cast<std::size_t>(index));
    m_messageTitles.erase(m_messageTitles.begin() + index);
    ShowMessages();
    // The message is gone from the list either way; the user learns that the file still holds it.
    if (refusal)
        ui::MessageBox(this, *refusal, "Error", ui::MessageIcon::Stop);
}

void CMemoryDlg::RemoveAddress(int index)
{
    const std::string line = m_addressLines.at(static_cast<std::size_t>(index));
    // The item's own name: an alias line's alias, or the whole of a plain line.
    std::string item = line.substr(0, line.find('='));
    item.erase(0, item.find_first_not_of(" \t"));
    item.erase(item.find_last_not_of(" \t") + 1);

    QListWidget *list = List();
    delete list->takeItem(index);
    m_addressLines.erase(m_addressLines.begin() + index);
    m_destinations->removeItem(index);
    app::Settings &settings = m_context.settings;
    if (!settings.aliasValue(item).empty())
        settings.WriteString(keys::kAlias, item, std::nullopt);
    std::vector<std::string> items;
    for (int entry = 0; entry < m_destinations->count(); ++entry)
        items.push_back(text::toAnsi(m_destinations->itemText(entry)));
    settings.SaveAddressList(items);
    if (list->count() > 0)
        list->setCurrentRow(std::min(index, list->count() - 1));
}

void CMemoryDlg::OnOpenMessage()
{
    const int row = SelectedRow();
    if (row < 0) {
        ui::MessageBox(this, "You must select a message to open", "Missing Selection",
                       ui::MessageIcon::Exclamation);
        return;
    }
    const CSavedMessage message = m_context.savedMessages.GetAt(static_cast<std::size_t>(row));
    auto *window = new CPageDlg(m_context, m_context.mainWindow);
    window->m_title = message.m_title;
    window->ShowReceived(message.m_text, message.m_sender);
}

void CMemoryDlg::ShowLines(const std::vector<std::string> &lines)
{
    QStringList texts;
    for (const std::string &line : lines)
        texts.append(text::fromAnsi(line));
    QListWidget *list = List();
    list->clear();
    list->addItems(texts);
}

void CMemoryDlg::ShowAddresses()
{
    ShowLines(m_addressLines);
    qobject_cast<QAbstractButton *>(GetDlgItem(IDC_ADD))->setText(QStringLiteral("&Add"));
    GetDlgItem(IDC_ALIAS)->setEnabled(true);
}

void CMemoryDlg::ShowMessages()
{
    ShowLines(m_messageTitles);
    qobject_cast<QAbstractButton *>(GetDlgItem(IDC_ADD))->setText(QStringLiteral("&Open"));
    GetDlgItem(IDC_ALIAS)->setEnabled(false);
}
