#pragma once

#include "platform/ui/Dialog.h"

#include <memory>
#include <string>

namespace app {
class Settings;
}

namespace ui {
class ToolTipControl;
}

// The alias window (dialog 134): collects a destination text and an alias for the address
// memory, modally. It only checks the two texts; the memory window stores them.
class CAliasDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 134 };
    enum ControlId {
        IDC_PROMPT = 1023,
        IDC_DESTINATION = 1021,
        IDC_ALIAS = 1022,
        IDC_OK = 1064,
        IDC_HELP = 1026,
        IDC_CANCEL = 1027,
    };

    // The alias is optional.
    CAliasDlg(const app::Settings &settings, QWidget *owner);
    CAliasDlg(bool aliasRequired, const app::Settings &settings, QWidget *owner);
    ~CAliasDlg() override;

    // In: shown at the top. Out: read back from there when accepted.
    std::string m_prompt;
    // In: the starting destination text, if any. Out: the typed destination, never empty.
    std::string m_destination;
    // Out: the typed alias, never empty when one is required.
    std::string m_alias;

protected:
    bool OnInitDialog() override;
    // Enter and "&Ok" accept only with the texts the window asks for.
    void OnOK() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

private:
    void OnHelp();
    void SetUpBalloons();
    std::string EditText(int id) const;

    const app::Settings &m_settings;
    bool m_aliasRequired;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
