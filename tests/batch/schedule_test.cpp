// The schedule of periodic tasks, as a table.

#include "client/batch/schedule.h"

#include <gtest/gtest.h>

namespace ov {
namespace {

constexpr double kDay = 45000;  // some day
constexpr double kHour = 1.0 / 24, kMinute = 1.0 / 1440;

TEST(Schedule, Table) {
    struct Case {
        const char* what;
        double cyc;
        double now;      // time of day on kDay
        double lastEnd;  // time of day on kDay (negative: never ran)
        bool begun;
        bool run;
    } cases[] = {
        {"one-off runs at any time", -1, 3 * kHour, -1, false, true},
        {"before the start time", 1, 7 * kHour + 59 * kMinute, -1, false, false},
        {"at the start time", 1, 8 * kHour, -1, false, true},
        {"inside the start window", 1, 9 * kHour + 3 * kMinute, -1, false, true},
        {"after the start window", 1, 9 * kHour + 4 * kMinute, -1, false, false},
        {"a period after 09:10 not yet at 10:03", 1, 10 * kHour + 3 * kMinute,
         9 * kHour + 10 * kMinute, false, false},
        {"a period after 09:10 at 11:00", 1, 11 * kHour, 9 * kHour + 10 * kMinute, false, true},
        {"a begun pass runs on after the window", 1, 9 * kHour + 30 * kMinute, -1, true, true},
        {"a begun pass runs on past midnight", 1, 0.1 * kHour, -1, true, true},
        {"a tiny period does not divide by zero", 0.001, 8 * kHour + 10 * kMinute, -1, false,
         true},
        {"24 hours: not again the same day", 24, 20 * kHour, 8 * kHour + 30 * kMinute, false,
         false},
    };
    for (const Case& c : cases) {
        TBatchTransport task;
        task.TaskCyc = c.cyc;
        task.TaskStartTime = 8 * kHour;
        task.RunEndTime = c.lastEnd < 0 ? kDay - 36500 : kDay + c.lastEnd;
        const TScheduleAnswer a = ScheduleNextStep(task, kDay + c.now, c.begun);
        EXPECT_EQ(a.Run, c.run) << c.what;
        EXPECT_EQ(a.State, c.run ? ST_Running : ST_Waiting) << c.what;
    }
}

TEST(Schedule, PeriodicUploadsLookBackOnePeriodInDays) {
    EXPECT_DOUBLE_EQ(PeriodDays(24), 1.0);
    EXPECT_DOUBLE_EQ(PeriodDays(12), 0.5);
    EXPECT_EQ(PeriodMinutes(0.5), 30);
    EXPECT_EQ(PeriodMinutes(0.001), 1);
}

}  // namespace
}  // namespace ov
