#pragma once
// When a batch worker may run its next step. A one-off task always may. A periodic task
// (TaskCyc > 0 hours) starts a pass only once the day's start time is reached, a full period
// has passed since the last pass ended, and the time lies in the first four minutes of a
// period counted from the start time; a pass that has begun runs to its end.

#include "core/types.h"

namespace ov {

struct TScheduleAnswer {
    bool Run = false;
    TTaskState State = ST_Running;
};

TScheduleAnswer ScheduleNextStep(const TBatchTransport& task, TDateTime now, bool passBegun);

// The period in whole minutes (halves to even), at least one.
long long PeriodMinutes(double taskCycHours);
// How far back a periodic upload looks for changed files: the period in days.
double PeriodDays(double taskCycHours);

}  // namespace ov
