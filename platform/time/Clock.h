#pragma once

#include <QDateTime>
#include <string>

// The local date and time, from a clock that whoever shows times is handed, so that tests can
// fix the time. (Not named `time` or `clock`: the C library holds those names.)
namespace clk {

class Clock {
public:
    virtual ~Clock();

    // The current local date and time.
    virtual QDateTime now() const = 0;
};

// The date and time as the Windows runtime writes them by default: month/day/two-digit year, a
// blank, 24-hour hours:minutes:seconds, each field two digits, e.g. "12/07/26 09:56:09".
std::string timeText(const QDateTime &time);

} // namespace clk
