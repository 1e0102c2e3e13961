#pragma once

#include "platform/message/WindowMessage.h"
#include "platform/ole/Types.h"
#include "platform/ole/Variant.h"
#include "platform/ui/ControlContainer.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/MessageBox.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <span>

class QKeyEvent;

namespace ui {

// A window built from a dialog template: its standard controls become Qt widgets, its hosted
// controls come from the control container. Run modally with DoModal or modeless with Create;
// a modeless dialog deletes itself after its window is destroyed. Enter ends the dialog through
// OnOK (unless a multi-line edit has the focus), Escape, the close box and a posted WM_CLOSE
// through OnCancel.
class Dialog : public QDialog {
    Q_OBJECT
public:
    explicit Dialog(DialogTemplate dialogTemplate, QWidget *parent = nullptr);
    ~Dialog() override;

    // Builds the window, centres it over its owner, calls OnInitDialog, runs until EndDialog;
    // returns EndDialog's result, or -1 when the window cannot be built.
    int DoModal();
    // Builds the window, centres it over its owner, calls OnInitDialog and shows it without
    // waiting; false when it cannot be built. A template with the style WS_CHILD makes a child
    // widget of the parent instead of a window, left where it is.
    bool Create();
    // Ends a modal run with `result`; a modeless window is destroyed.
    void EndDialog(int result);
    // Hides the window for good; a modeless dialog object is then released (PostNcDestroy).
    void DestroyWindow();

    // The control's widget: the Qt widget of a standard control, the window (or placeholder) of a
    // hosted one; null for an unknown id.
    QWidget *GetDlgItem(int id) const;
    ControlContainer &controls() { return m_controls; }

    // Timers by id, as the window knows them: repeating until killed; setting an id again
    // restarts it. The interval is kept between 10 ms and 0x7FFFFFFF ms, as Windows keeps it.
    void SetTimer(unsigned id, unsigned milliseconds);
    void KillTimer(unsigned id);

    // Moves the window over the middle of `over` when that window is visible, else of the
    // screen's work area, keeping it inside the work area.
    void CenterWindow(const QWidget *over);

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
    void onMessage(unsigned message, msg::MessageMap::Handler handler);
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
    QWidget *createStandardControl(const DialogControlTemplate &control, const QRect &geometry);
    QWidget *owner() const;
    void fireControlEvent(int controlId, ole::DispId event, std::span<ole::Variant> args);
    bool handleDialogKey(const QKeyEvent *event);

    DialogTemplate m_template;
    ControlContainer m_controls;
    msg::MessageMap m_messages;
    std::map<std::pair<int, ole::DispId>, std::function<void(std::span<ole::Variant>)>> m_events;
    std::map<unsigned, int> m_timers; // window timer id -> Qt timer id
    std::map<int, QPointer<QWidget>> m_items;
    bool m_built = false;
    bool m_modeless = false;
    bool m_ended = false;     // EndDialog or DestroyWindow was called
    bool m_destroyed = false; // DestroyWindow was called
};

} // namespace ui
