#pragma once

#include <QWidget>

namespace qv {

class CQvControlBase;

// The window of a display control: it paints through the control and hands it the mouse and
// keyboard input, its own and that of the children routed to it, which the control turns into
// its stock events. The dialog owns the window; the control detaches it when it goes first.
class ControlWindow : public QWidget {
public:
    ControlWindow(CQvControlBase &control, QWidget *parent);
    void detach() { m_control = nullptr; }
    // The input of `child`, inside this window, goes to the control before the child gets it.
    void routeInputOf(QWidget *child);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    CQvControlBase *m_control;
    bool m_routesChildren = false;
};

} // namespace qv
