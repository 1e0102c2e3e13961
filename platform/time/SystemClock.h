#pragma once

#include "platform/time/Clock.h"

namespace clk {

// The machine's clock in its local time zone.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

} // namespace clk
