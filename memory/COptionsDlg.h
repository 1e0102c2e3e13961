#pragma once

#include "app/SettingsKeys.h"
#include "platform/ui/Dialog.h"
#include "wrappers/CQv3dLabel.h"
#include "wrappers/CQvcm200.h"

#include <memory>
#include <string>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace app {
class EventSounds;
class Settings;
} // namespace app

namespace ui {
class ToolTipControl;
}

// The options window (dialog 138), run modally from the main window: each event's sound, balloon
// help and the message boxes' colours. Every edit goes to the settings file at once; the window
// keeps no copy. To undo them, opening copies the settings file to "tarvil.bak" in the current
// directory and Cancel copies it back; Ok drops the copy. The all-events switch also changes the
// program's sounds-enabled flag at once, and Cancel leaves that flag as it is.
class COptionsDlg : public ui::Dialog {
    Q_OBJECT
public:
    enum { IDD = 138 };
    enum ControlId {
        IDC_EVENTS = 1041,
        IDC_DISABLE_ALL = 1048,
        IDC_DISABLE_EVENT = 1047,
        IDC_WAV_FILE = 1061,
        IDC_BROWSE = 1046,
        IDC_PLAY = 1045,
        IDC_DISABLE_BALLOONS = 1049,
        IDC_DELAY = 1081,
        IDC_BACKGROUND = 1076,
        IDC_BACKGROUND_SWATCH = 1074,
        IDC_FOREGROUND = 1077,
        IDC_FOREGROUND_SWATCH = 1075,
        IDC_OK = 1059,
        IDC_CANCEL = 1018,
    };

    COptionsDlg(app::Settings &settings, app::EventSounds &sounds, QWidget *owner);
    ~COptionsDlg() override;

    ui::ToolTipControl *Balloon() const { return m_balloon.get(); }

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(QObject *target, QEvent *event) override;

private:
    void MakeBackup();
    void SetUpBalloons();
    std::string SelectedEvent() const;
    void OnSelectEvent();
    void OnDisableAll();
    void OnDisableEvent();
    void OnWavFileChanged();
    void OnBrowse();
    void OnPlay();
    void OnBalloonSwitch();
    void OnDelayChanged();
    void OnChooseColor(const keys::OptionalNumber &setting, CQv3dLabel &swatch);
    void OnOk();
    void OnCancelButton();
    // The event's browse button, WAV box and play button.
    void EnableEventControls(bool enable);

    app::Settings &m_settings;
    app::EventSounds &m_sounds;
    bool m_backupMade = false;
    QListWidget *m_events = nullptr;
    QCheckBox *m_disableAll = nullptr;
    QCheckBox *m_disableEvent = nullptr;
    QCheckBox *m_disableBalloons = nullptr;
    QLineEdit *m_wavFile = nullptr;
    QLineEdit *m_delay = nullptr;
    QWidget *m_browse = nullptr;
    CQvcm200 m_play;
    CQv3dLabel m_backgroundSwatch;
    CQv3dLabel m_foregroundSwatch;
    std::unique_ptr<ui::ToolTipControl> m_balloon;
};
