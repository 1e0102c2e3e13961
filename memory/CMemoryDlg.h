#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;

namespace page {
struct PageWindowContext;
}

namespace ui {
class ToolTipControl;
}

// The memory window (dialog 132), modal: the address memory, kept in step with the settings
// file and with the main window's destination box line for line, and the saved messages. Both
// views share one list and one row of buttons. Every change is stored as it is made, so closing
// the window undoes nothing.
class CMemoryDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 132 };
    enum ControlId {
        IDC_LIST = 1016,
        IDC_ADDRESSES = 1103,
        IDC_MESSAGES = 1104,
        IDC_ADD = 1017,
        IDC_REMOVE = 1021,
        IDC_ALIAS = 1022,
        IDC_RETURN = 1023,
    };
    enum View { kAddresses = 0, kMessages = 1 };

    // `destinations` is the main window's destination box; `context` opens saved messages in
    // page windows, owned by its main window.
    CMemoryDlg(const page::PageWindowContext &context, QComboBox *destinations, QWidget *owner);
    ~CMemoryDlg() override;

    QListWidget *List() const;

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

private:
    // The list's button 1017 and double click: Open message in the Messages view, else the
    // Addresses view's own action.
    void OpenMessageOr(void (CMemoryDlg::*addressesAction)());
    void OnAdd();
    void OnAlias();
    void OnRemove();
    void OnOpenMessage();
    void ShowAddresses();
    void ShowMessages();
    void ShowLines(const std::vector<std::string> &lines);
    // The selected line, or -1.
    int SelectedRow() const;
    // Reads the radio group into m_view (save true) or checks the button of m_view.
    void ExchangeView(bool save);
    // Whether a line of the list begins with `text`, regardless of case.
    bool ListHasLineStartingWith(const std::string &text) const;
    // Stores the alias and appends it to the list, the destination box and the settings.
    void StoreAlias(const std::string &alias, const std::string &destination);
    void AppendItem(const std::string &item, const std::string &line);
    void RemoveAddress(int index);
    void RemoveMessage(int index);
    void SetUpBalloons();

    const page::PageWindowContext &m_context;
    QComboBox *m_destinations;
    std::vector<std::string> m_addressLines;
    std::vector<std::string> m_messageTitles;
    int m_view = -1;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
