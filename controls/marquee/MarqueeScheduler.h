#pragma once

#include <QMetaObject>
#include <cstdint>
#include <functional>
#include <vector>

class QObject;

namespace qvmq200 {

// The one tick source every marquee of the process shares. Windows join with their interval in
// milliseconds (16 bits, as the system's timers take it) and are kept in ascending order of it.
// A single system timer runs on the window of the first entry, at a tenth of that entry's
// interval; at each of its ticks the table is walked and every window whose interval (less a
// tenth) has passed since its last tick is sent MARQUEE_TICK. The timer moves when its window
// leaves, and a window that is destroyed leaves by itself.
class MarqueeScheduler {
public:
    // Sent to a marquee's window at each of its ticks, with parameters 1 and 0.
    static constexpr unsigned MARQUEE_TICK = 0x0429;

    // Milliseconds from some fixed start, wrapping around at 2^32.
    using TickCount = std::function<std::uint32_t()>;

    explicit MarqueeScheduler(TickCount tickCount);
    ~MarqueeScheduler();
    MarqueeScheduler(const MarqueeScheduler &) = delete;
    MarqueeScheduler &operator=(const MarqueeScheduler &) = delete;

    // The scheduler of the process, on the machine's monotonic clock.
    static MarqueeScheduler &instance();

    // Adds `window` with `interval` cut to 16 bits; 0 after the cut adds nothing, and a window
    // already in the table keeps its entry.
    void join(QObject *window, std::int32_t interval);
    void leave(QObject *window);
    // A timer event that `window` received: true when it was the scheduler's timer, which then
    // ticks the windows that are due. A tick that arrives while the windows are being ticked
    // (from inside a MARQUEE_TICK) is dropped.
    bool timerFired(QObject *window, int timerId);

private:
    struct Entry {
        QObject *window;
        std::uint16_t interval;
        std::uint32_t lastTick;
        QMetaObject::Connection destroyed;
    };

    // Runs the timer on the first entry's window unless it runs there already.
    void placeTimer();
    void stopTimer();

    TickCount m_tickCount;
    std::vector<Entry> m_entries;
    QObject *m_owner = nullptr;
    int m_timerId = 0;
    // Counts the changes to the table, so that a walk notices one made while it sends.
    unsigned m_changes = 0;
    bool m_walking = false;
};

} // namespace qvmq200
