#include "platform/time/Clock.h"

namespace clk {

Clock::~Clock() = default;

std::string timeText(const QDateTime &time)
{
    // Qt's format letters, not the C library's "%c": that one differs from the program's text.
    return time.toString(QStringLiteral("MM/dd/yy HH:mm:ss")).toStdString();
}

} // namespace clk
