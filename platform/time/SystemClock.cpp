#include "platform/time/SystemClock.h"

namespace clk {

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

} // namespace clk
