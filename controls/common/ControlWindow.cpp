#include "controls/common/ControlWindow.h"

#include "controls/common/CQvControlBase.h"

#include <QPainter>

namespace qv {

ControlWindow::ControlWindow(CQvControlBase &control, QWidget *parent)
    : QWidget(parent), m_control(&control)
{}

bool ControlWindow::event(QEvent *event)
{
    if (m_control && m_control->handleInput(event))
        return true;
    return QWidget::event(event);
}

void ControlWindow::paintEvent(QPaintEvent *)
{
    if (!m_control)
        return;
    QPainter painter(this);
    m_control->paint(painter, rect());
}

void ControlWindow::resizeEvent(QResizeEvent *)
{
    if (m_control)
        m_control->windowResized();
}

} // namespace qv
