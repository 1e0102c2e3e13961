#pragma once

#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"
#include "platform/ui/ControlContainer.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/WindowMessage.h"

#include <functional>
#include <map>
#include <span>

#include <QDialog>

namespace ui {

// A window built from a dialog template: its standard controls become Qt widgets, its hosted
// controls come from the control container. Run modally with DoModal or modeless with Create;
// a modeless dialog deletes itself after its window is destroyed.
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(DialogTemplate dialogTemplate, QWidget *parent = nullptr);
    ~Dialog() override;

    // Builds the window, calls OnInitDialog, runs until EndDialog; returns EndDialog's result.
    int DoModal();
    // Builds and shows the window without waiting; false when it cannot be built.
    bool Create();
    void EndDialog(int result);
    // Destroys a modeless window; the object is released after the window is gone.
    void DestroyWindow();

    QWidget *GetDlgItem(int id) const;
    ControlContainer &controls() { return m_controls; }

    // Timers by id, as the window knows them: repeating until killed.
    void SetTimer(unsigned id, unsigned milliseconds);
    void KillTimer(unsigned id);

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnTimer(unsigned id);
    // Sees every event for this window and its child widgets before they are delivered; true
    // eats the event.
    virtual bool PreTranslateMessage(QObject *target, QEvent *event);
    // Called after a modeless window is destroyed; deletes the object.
    virtual void PostNcDestroy();

    // Handlers for posted messages, Click (DISPID -600) of a control, and any other event of a
    // hosted control.
    void onMessage(unsigned message, MessageMap::Handler handler);
    void onClick(int controlId, std::function<void()> handler);
    void onControlEvent(int controlId, ole::DispId event,
                        std::function<void(std::span<ole::Variant>)> handler);

    const DialogTemplate &dialogTemplate() const { return m_template; }

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    bool build();

    DialogTemplate m_template;
    ControlContainer m_controls;
    MessageMap m_messages;
    std::map<std::pair<int, ole::DispId>, std::function<void(std::span<ole::Variant>)>> m_events;
    std::map<unsigned, int> m_timers; // window timer id -> Qt timer id
    std::map<int, QWidget *> m_items;
    bool m_built = false;
    bool m_modeless = false;
};

} // namespace ui
