#include "platform/ui/ToolTipControl.h"

#include "platform/text/Ansi.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <climits>
#include <cstdint>

namespace ui {

namespace {

int platformDelay()
{
    const int delay = QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
    return delay > 0 ? delay : 500;
}

int scaled(int milliseconds, int numerator, int denominator)
{
    const std::int64_t value = std::int64_t{milliseconds} * numerator / denominator;
    return static_cast<int>(std::min<std::int64_t>(value, INT_MAX));
}

} // namespace

ToolTipControl::ToolTipControl(QWidget *owner) : m_owner(owner)
{
    m_showTimer.setSingleShot(true);
    m_hideTimer.setSingleShot(true);
    QObject::connect(&m_showTimer, &QTimer::timeout, [this] { show(); });
    QObject::connect(&m_hideTimer, &QTimer::timeout, [this] { hide(); });
    SetDelayTime(-1);
}

ToolTipControl::~ToolTipControl() = default;

void ToolTipControl::Activate(bool active)
{
    m_active = active;
    if (!active) {
        m_showTimer.stop();
        hide();
    }
}

void ToolTipControl::AddTool(QWidget *tool, std::string text)
{
    if (!tool)
        return;
    const QString unicode = text::fromAnsi(text);
    for (Tool &existing : m_tools) {
        if (existing.widget == tool) {
            existing.text = unicode;
            return;
        }
    }
    m_tools.push_back({tool, unicode});
}

void ToolTipControl::SetDelayTime(int milliseconds)
{
    m_initial = milliseconds < 0 ? platformDelay() : milliseconds;
    m_autoPop = scaled(m_initial, 10, 1);
    m_reshow = scaled(m_initial, 1, 5);
}

void ToolTipControl::RelayEvent(QObject *target, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        if (const Tool *tool = toolAt(target)) {
            startWait(*tool);
        } else {
            m_showTimer.stop();
            hide();
        }
        break;
    case QEvent::Leave:
        if (const Tool *tool = toolAt(target); tool && tool->widget == m_pending) {
            m_showTimer.stop();
            hide();
            m_pending = nullptr;
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        m_showTimer.stop();
        hide();
        m_pending = nullptr;
        break;
    default:
        break;
    }
}

bool ToolTipControl::isShowing() const
{
    return m_popup && m_popup->isVisible();
}

QString ToolTipControl::shownText() const
{
    return isShowing() ? m_popup->text() : QString();
}

// The innermost tool that holds `target`; events of a tool's child widgets count for the tool.
const ToolTipControl::Tool *ToolTipControl::toolAt(QObject *target) const
{
    for (QObject *object = target; object; object = object->parent()) {
        for (const Tool &tool : m_tools) {
            if (tool.widget == object)
                return &tool;
        }
        if (object->isWidgetType() && static_cast<QWidget *>(object)->isWindow())
            break;
    }
    return nullptr;
}

void ToolTipControl::startWait(const Tool &tool)
{
    if (isShowing() && tool.widget == m_pending)
        return;
    const bool switching = isShowing();
    hide();
    m_pending = tool.widget;
    m_pendingText = tool.text;
    m_showTimer.start(switching ? m_reshow : m_initial);
}

void ToolTipControl::show()
{
    // Without "always tip" a balloon belongs to the active window only.
    if (!m_active || !m_pending || !m_owner || !m_owner->window()->isActiveWindow())
        return;
    if (!m_popup) {
        m_popup = std::make_unique<QLabel>(nullptr, Qt::ToolTip);
        m_popup->setTextFormat(Qt::PlainText);
        m_popup->setForegroundRole(QPalette::ToolTipText);
        m_popup->setBackgroundRole(QPalette::ToolTipBase);
        m_popup->setPalette(QToolTip::palette());
        m_popup->setFont(QToolTip::font());
        m_popup->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_popup->setMargin(2);
    }
    m_popup->setText(m_pendingText);
    m_popup->adjustSize();

    // Below the mouse pointer, kept on the screen.
    QPoint position = QCursor::pos() + QPoint(0, 20);
    if (const QScreen *screen = m_owner->screen()) {
        const QRect area = screen->availableGeometry();
        position.setX(std::clamp(position.x(), area.left(),
                                 std::max(area.left(), area.right() + 1 - m_popup->width())));
        position.setY(std::clamp(position.y(), area.top(),
                                 std::max(area.top(), area.bottom() + 1 - m_popup->height())));
    }
    m_popup->move(position);
    m_popup->show();
    m_hideTimer.start(m_autoPop);
}

void ToolTipControl::hide()
{
    m_hideTimer.stop();
    if (m_popup)
        m_popup->hide();
}

} // namespace ui
