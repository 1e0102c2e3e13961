#include "platform/message/WindowMessage.h"

#include <QCoreApplication>

namespace msg {

QEvent::Type WindowMessageEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

WindowMessageEvent::WindowMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam)
    : QEvent(eventType()), m_message(message), m_wParam(wParam), m_lParam(lParam)
{}

// Qt discards the events still queued for an object when it is destroyed, so a message for a
// window that goes away before the event loop reaches it is simply never delivered.
void PostMessage(QObject *window, unsigned message, WPARAM wParam, LPARAM lParam)
{
    if (window)
        QCoreApplication::postEvent(window, new WindowMessageEvent(message, wParam, lParam));
}

void MessageMap::add(unsigned message, Handler handler)
{
    m_handlers[message] = std::move(handler);
}

bool MessageMap::dispatch(QEvent *event) const
{
    if (event->type() != WindowMessageEvent::eventType())
        return false;
    const auto *message = static_cast<WindowMessageEvent *>(event);
    const auto found = m_handlers.find(message->message());
    if (found == m_handlers.end() || !found->second)
        return false;
    // A copy, so that a handler may replace its own entry while it runs.
    const Handler handler = found->second;
    handler(message->wParam(), message->lParam());
    return true;
}

} // namespace msg
