#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <cstdint>
#include <netinet/in.h>
#include <optional>
#include <string>

namespace winsock {

// One reverse look-up for a window: a child of that window, so a window destroyed before the
// answer takes the look-up with it and is never told. On the answer it keeps the name and posts
// the message; the window takes the name once, which ends the object.
class AsyncHostLookup : public QObject {
    Q_OBJECT
public:
    AsyncHostLookup(QObject *window, unsigned message, in_addr address);

    std::uintptr_t handle() const { return m_handle; }
    // The name of a successful answer; empty before the answer or after a failure.
    std::optional<std::string> takeName();

private:
    struct Answer {
        int error;
        std::string name;
    };
    static Answer lookUp(in_addr address);
    void answered();

    std::uintptr_t m_handle;
    unsigned m_message;
    QFutureWatcher<Answer> m_watcher;
    std::optional<std::string> m_name;
};

} // namespace winsock
