#pragma once

#include <QEvent>
#include <cstdint>
#include <functional>
#include <map>

class QObject;

// Messages posted to a window with two parameters. A window is any QObject; a message posted to
// a window that is destroyed before it is delivered is dropped with it.
namespace msg {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;

constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_USER = 0x0400;

class WindowMessageEvent : public QEvent {
public:
    static QEvent::Type eventType();
    WindowMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam);
    unsigned message() const { return m_message; }
    WPARAM wParam() const { return m_wParam; }
    LPARAM lParam() const { return m_lParam; }

private:
    unsigned m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

// Queues the message for `window`; it is handled by the event loop after the caller returns.
void PostMessage(QObject *window, unsigned message, WPARAM wParam, LPARAM lParam);

// A window's table of message handlers, by message number.
class MessageMap {
public:
    using Handler = std::function<void(WPARAM, LPARAM)>;
    void add(unsigned message, Handler handler);
    // Runs the handler of a WindowMessageEvent; false when the event is no such message or the
    // message has no handler.
    bool dispatch(QEvent *event) const;

private:
    std::map<unsigned, Handler> m_handlers;
};

} // namespace msg
