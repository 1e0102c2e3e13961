#include "controls/marquee/MarqueeScheduler.h"

#include "platform/message/WindowMessage.h"

#include <QCoreApplication>
#include <QObject>
#include <algorithm>
#include <chrono>

namespace qvmq200 {

namespace {

// The system runs no timer faster than this; a shorter period would make it spin.
constexpr int kShortestPeriod = 10;

std::uint32_t machineTickCount()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

} // namespace

MarqueeScheduler::MarqueeScheduler(TickCount tickCount) : m_tickCount(std::move(tickCount)) {}

MarqueeScheduler::~MarqueeScheduler()
{
    for (const Entry &entry : m_entries)
        QObject::disconnect(entry.destroyed);
}

MarqueeScheduler &MarqueeScheduler::instance()
{
    static MarqueeScheduler scheduler(machineTickCount);
    return scheduler;
}

void MarqueeScheduler::join(QObject *window, std::int32_t interval)
{
    const auto period = static_cast<std::uint16_t>(interval);
    if (!window || period == 0 ||
        std::ranges::any_of(m_entries, [window](const Entry &e) { return e.window == window; }))
        return;
    const auto before = std::ranges::find_if(
        m_entries, [period](const Entry &entry) { return entry.interval >= period; });
    // A window destroyed without leaving must not stay behind to be sent ticks.
    const auto destroyed =
        QObject::connect(window, &QObject::destroyed, [this, window] { leave(window); });
    m_entries.insert(before, {window, period, m_tickCount(), destroyed});
    ++m_changes;
    placeTimer();
}

void MarqueeScheduler::leave(QObject *window)
{
    const auto found =
        std::ranges::find_if(m_entries, [window](const Entry &e) { return e.window == window; });
    if (found == m_entries.end())
        return;
    QObject::disconnect(found->destroyed);
    m_entries.erase(found);
    ++m_changes;
    if (window != m_owner)
        return;
    stopTimer();
    if (!m_entries.empty())
        placeTimer();
}

void MarqueeScheduler::placeTimer()
{
    QObject *first = m_entries.front().window;
    if (m_owner == first)
        return;
    stopTimer();
    const int period = std::max<int>(kShortestPeriod, m_entries.front().interval / 10);
    m_timerId = first->startTimer(period);
    m_owner = m_timerId != 0 ? first : nullptr;
}

void MarqueeScheduler::stopTimer()
{
    if (m_owner)
        m_owner->killTimer(m_timerId);
    m_owner = nullptr;
    m_timerId = 0;
}

bool MarqueeScheduler::timerFired(QObject *window, int timerId)
{
    if (!m_owner || window != m_owner || timerId != m_timerId)
        return false;
    if (m_walking)
        return true;
    m_walking = true;
    const std::uint32_t now = m_tickCount();
    const unsigned changes = m_changes;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        Entry &entry = m_entries[i];
        if (now - entry.lastTick < entry.interval * 9u / 10u)
            continue;
        msg::WindowMessageEvent tick(MARQUEE_TICK, 1, 0);
        QCoreApplication::sendEvent(entry.window, &tick);
        // The window's handler may have changed the table: what is left of the walk is no
        // longer the table's.
        if (m_changes != changes)
            break;
        entry.lastTick = now;
    }
    m_walking = false;
    return true;
}

} // namespace qvmq200
