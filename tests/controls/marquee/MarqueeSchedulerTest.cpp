#include "controls/marquee/MarqueeScheduler.h"

#include "platform/message/WindowMessage.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimerEvent>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {

using qvmq200::MarqueeScheduler;

// A window as a marquee's is to the scheduler: it hands its timer events over and counts the
// ticks it is sent.
class TickedWindow : public QObject {
public:
    explicit TickedWindow(MarqueeScheduler &scheduler) : m_scheduler(scheduler) {}

    int ticks = 0;
    std::function<void()> onTick;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            return m_scheduler.timerFired(this, static_cast<QTimerEvent *>(event)->timerId());
        if (event->type() == msg::WindowMessageEvent::eventType() &&
            static_cast<msg::WindowMessageEvent *>(event)->message() ==
                MarqueeScheduler::MARQUEE_TICK) {
            ++ticks;
            if (onTick)
                onTick();
            return true;
        }
        return QObject::event(event);
    }

private:
    MarqueeScheduler &m_scheduler;
};

QList<QAbstractEventDispatcher::TimerInfo> timersOf(QObject *window)
{
    return QAbstractEventDispatcher::instance()->registeredTimers(window);
}

// The scheduler on a clock of the test's own, which each delivered tick moves on by the timer's
// period: no test waits for the real one.
class MarqueeSchedulerTest : public ::testing::Test {
protected:
    // Delivers one tick of the timer `owner` holds, a period after the last.
    void deliverTick(QObject *owner)
    {
        const auto timers = timersOf(owner);
        ASSERT_EQ(timers.size(), 1);
        m_now += static_cast<std::uint32_t>(timers.front().interval);
        QTimerEvent tick(timers.front().timerId);
        QCoreApplication::sendEvent(owner, &tick);
    }

    // Just short of wrapping round, so that the tests cross it.
    std::uint32_t m_now = 0xFFFFFF00;
    MarqueeScheduler m_scheduler{[this] {
        return m_now;
    }};
};

TEST_F(MarqueeSchedulerTest, OneTimerOnTheShortestIntervalTicksEachWindowAtItsOwnPace)
{
    TickedWindow slow(m_scheduler);
    TickedWindow fast(m_scheduler);
    m_scheduler.join(&slow, 1000);
    m_scheduler.join(&fast, 300);
    // The timer moved to the shorter interval's window, at a tenth of it.
    EXPECT_TRUE(timersOf(&slow).isEmpty());
    ASSERT_EQ(timersOf(&fast).size(), 1);
    EXPECT_EQ(timersOf(&fast).front().interval, 30);

    // A window is due once nine tenths of its interval have passed: the fast one every 9th
    // tick of 30 ms, the slow one at the 30th.
    int delivered = 0;
    while (slow.ticks == 0 && delivered < 100) {
        deliverTick(&fast);
        ++delivered;
    }
    EXPECT_GE(delivered, 30);
    EXPECT_LE(delivered, 31);
    EXPECT_EQ(fast.ticks, 3);
}

TEST_F(MarqueeSchedulerTest, ATickThatChangesTheTableEndsTheWalk)
{
    TickedWindow later(m_scheduler);
    TickedWindow first(m_scheduler);
    TickedWindow joining(m_scheduler);
    m_scheduler.join(&later, 100);
    m_scheduler.join(&first, 100); // goes before the equal interval
    bool joined = false;
    first.onTick = [&] {
        if (std::exchange(joined, true))
            return;
        // A tick of the timer while the windows are being ticked is dropped.
        deliverTick(&first);
        m_scheduler.join(&joining, 50);
    };
    while (first.ticks == 0)
        deliverTick(&first);
    EXPECT_EQ(first.ticks, 1);
    EXPECT_EQ(later.ticks, 0);

    // The timer is the newcomer's now, kept at the system's shortest period; the window the
    // broken walk left out is ticked at the next one.
    ASSERT_EQ(timersOf(&joining).size(), 1);
    EXPECT_EQ(timersOf(&joining).front().interval, 10);
    EXPECT_TRUE(timersOf(&first).isEmpty());
    deliverTick(&joining);
    EXPECT_EQ(later.ticks, 1);
}

} // namespace
