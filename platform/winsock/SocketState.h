#pragma once

#include <QPointer>
#include <QSocketNotifier>
#include <memory>

namespace winsock {

// What the stand-in knows of one socket beyond its descriptor: its type, how far its connection
// has come, and its asynchronous select. Readiness is watched with socket notifiers on the
// user-interface thread, and only while an event can be reported: FD_READ, FD_ACCEPT and
// FD_WRITE are re-enabled by the calls that consume them, so an idle socket is watched for
// nothing but incoming data and costs no processor time.
class SocketState {
public:
    enum class Phase { Unconnected, Listening, Connecting, Connected };

    SocketState(int descriptor, int type);

    int type() const { return m_type; }
    void setPhase(Phase phase);

    void select(QObject *window, unsigned message, long events);
    // A recv, recvfrom or accept call: FD_READ or FD_ACCEPT is reported again while data or a
    // connection waits.
    void enableRead();
    // A send failed with WSAEWOULDBLOCK: FD_WRITE is reported when the socket can take data.
    void enableWrite();

private:
    void update();
    void readable();
    void writable();
    void post(long event, int error);

    int m_descriptor;
    int m_type;
    Phase m_phase = Phase::Unconnected;
    QPointer<QObject> m_window;
    unsigned m_message = 0;
    long m_events = 0;
    bool m_readEnabled = false;
    bool m_writeEnabled = false;
    bool m_closeReported = false;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    std::unique_ptr<QSocketNotifier> m_writeNotifier;
};

} // namespace winsock
