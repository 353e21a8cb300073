// The schedule of periodic batch tasks.

#include "client/batch/schedule.h"

#include <cmath>

namespace ov {

namespace {

constexpr int kStartWindowMinutes = 4;

double TimeOfDay(TDateTime value) {
    return std::abs(value - std::trunc(value));
}

long long WholeMinutes(TDateTime from, TDateTime to) {
    return static_cast<long long>(std::trunc((to - from) * 1440.0 + 1e-7));
}

}  // namespace

long long PeriodMinutes(double taskCycHours) {
    return std::max(1LL, static_cast<long long>(std::nearbyint(taskCycHours * 60)));
}

double PeriodDays(double taskCycHours) {
    return taskCycHours / 24.0;
}

TScheduleAnswer ScheduleNextStep(const TBatchTransport& task, TDateTime now, bool passBegun) {
    if (!(task.TaskCyc > 0) || passBegun) return {true, ST_Running};
    const TScheduleAnswer wait{false, ST_Waiting};
    if (TimeOfDay(now) < TimeOfDay(task.TaskStartTime)) return wait;
    if (std::llabs(WholeMinutes(task.RunEndTime, now)) < task.TaskCyc * 60) return wait;
    if (WholeMinutes(task.TaskStartTime, now) % PeriodMinutes(task.TaskCyc) >= kStartWindowMinutes)
        return wait;
    return {true, ST_Running};
}

}  // namespace ov
