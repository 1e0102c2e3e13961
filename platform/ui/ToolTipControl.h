#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

class QEvent;
class QLabel;
class QObject;
class QWidget;

namespace ui {

// The balloon help of one window: shows a tool's text in a small popup when the mouse rests on
// the tool, only while the window is the active window and the balloons are active. Tools are
// not watched: the window passes every event to RelayEvent. Texts are always shown as plain
// text.
class ToolTipControl {
public:
    explicit ToolTipControl(QWidget *owner);
    ~ToolTipControl();
    ToolTipControl(const ToolTipControl &) = delete;
    ToolTipControl &operator=(const ToolTipControl &) = delete;

    // An inactive control shows nothing but keeps its tools. A new control is active.
    void Activate(bool active);
    // The tool is the widget's whole area, including its child widgets; `text` is ANSI. Adding a
    // tool again replaces its text.
    void AddTool(QWidget *tool, std::string text);
    // The wait before a balloon shows; it stays up ten times as long, and a balloon for another
    // tool while one is up follows after a fifth of it. Negative: the platform's timing.
    void SetDelayTime(int milliseconds);
    // Mouse moves and entries over a tool start the wait; leaving, clicks, keys and the window
    // losing activation hide the balloon.
    void RelayEvent(QObject *target, QEvent *event);

    bool isActive() const { return m_active; }
    bool isShowing() const;
    QString shownText() const;

private:
    struct Tool {
        QPointer<QWidget> widget;
        QString text;
    };

    const Tool *toolAt(QObject *target) const;
    void startWait(const Tool &tool);
    void show();
    void hide();

    QPointer<QWidget> m_owner;
    std::vector<Tool> m_tools;
    QPointer<QWidget> m_pending; // the tool the mouse rests on
    QString m_pendingText;
    std::unique_ptr<QLabel> m_popup;
    QTimer m_showTimer;
    QTimer m_hideTimer;
    bool m_active = true;
    int m_initial = 0;
    int m_autoPop = 0;
    int m_reshow = 0;
};

} // namespace ui
