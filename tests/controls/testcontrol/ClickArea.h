#pragma once

#include <QWidget>

namespace testcontrol {

// The test control's window: a plain area that reports a left click released inside it.
class ClickArea : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace testcontrol
