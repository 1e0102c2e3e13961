#include "controls/common/ControlWindow.h"

#include "controls/common/CQvControlBase.h"

#include <QEvent>
#include <QPainter>

namespace qv {

namespace {

bool isKeyEvent(const QEvent *event)
{
    const auto type = event->type();
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride;
}

} // namespace

ControlWindow::ControlWindow(CQvControlBase &control, QWidget *parent)
    : QWidget(parent), m_control(&control)
{}

void ControlWindow::routeInputOf(QWidget *child)
{
    m_routesChildren = true;
    // Mouse input the child leaves unused must not come up here and be reported twice.
    child->setAttribute(Qt::WA_NoMousePropagation);
    child->installEventFilter(this);
}

bool ControlWindow::event(QEvent *event)
{
    // With the input of its children routed, keys that reach this window are those a child let
    // through: already reported, and on their way to the dialog.
    const bool childKey = m_routesChildren && isKeyEvent(event);
    if (m_control && !childKey && m_control->handleInput(event, this))
        return true;
    return QWidget::event(event);
}

bool ControlWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool input = event->isInputEvent() || event->type() == QEvent::ShortcutOverride;
    return input && m_control && watched->isWidgetType() &&
           m_control->handleInput(event, static_cast<QWidget *>(watched));
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
