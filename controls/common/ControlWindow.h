#pragma once

#include <QWidget>

namespace qv {

class CQvControlBase;

// The window of a display control: it paints through the control and hands it the mouse and
// keyboard input, which the control turns into its stock events. The dialog owns the window;
// the control detaches it when it goes first.
class ControlWindow : public QWidget {
public:
    ControlWindow(CQvControlBase &control, QWidget *parent);
    void detach() { m_control = nullptr; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    CQvControlBase *m_control;
};

} // namespace qv
