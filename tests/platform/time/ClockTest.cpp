#include "platform/time/Clock.h"

#include "tests/support/FixedClock.h"

#include <gtest/gtest.h>

namespace {

// The time text of a clock set to that moment.
std::string textAt(int year, int month, int day, int hours, int minutes, int seconds)
{
    const FixedClock clock(QDateTime(QDate(year, month, day), QTime(hours, minutes, seconds)));
    return clk::timeText(clock.now());
}

TEST(ClockTest, TimeTextIsMonthDayYearAndTwentyFourHourTimeZeroPadded)
{
    EXPECT_EQ(textAt(2026, 12, 7, 9, 56, 9), "12/07/26 09:56:09");
    EXPECT_EQ(textAt(2000, 1, 2, 3, 4, 5), "01/02/00 03:04:05");
    EXPECT_EQ(textAt(1999, 10, 31, 0, 0, 0), "10/31/99 00:00:00");
    EXPECT_EQ(textAt(2009, 2, 28, 23, 59, 59), "02/28/09 23:59:59");
}

} // namespace
