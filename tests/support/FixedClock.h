#pragma once

#include "platform/time/Clock.h"

#include <utility>

// A clock that shows the time a test sets, and moves only when the test moves it.
class FixedClock : public clk::Clock {
public:
    explicit FixedClock(QDateTime start) : time(std::move(start)) {}

    QDateTime now() const override { return time; }

    QDateTime time;
};
