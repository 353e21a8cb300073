#pragma once
// The batch window's pure rules: which tasks a list shows, which tasks get a worker, what a
// new state does to a running worker, and the task of a clipboard command.

#include <QString>

#include "core/types.h"

namespace ov {

// Node data of the task tree: 1-3 the upload list, done list and dustbin, 4-6 the same for
// downloads; 0 a root.
bool TaskInList(const TBatchTransport& task, int nodeData);
// Whether a task gets a worker, and whether that worker starts at once (a paused or failed
// task gets one that waits).
bool NeedsWorker(const TBatchTransport& task);
bool StartsAtOnce(const TBatchTransport& task);

enum class TWorkerAction { None, Remove, Start, Pause };
// What a new state does to the task's running worker.
TWorkerAction ActionForState(TTaskState state);

// A task from the clipboard command; `refusal` is 0 when it can go to the task dialog, 1 for
// incorrect data, 2 for an upload straight into an owner without its root folder.
struct TClipboardTask {
    TBatchTransport Task;
    int Refusal = 0;
};
TClipboardTask TaskFromCommand(const QString& cmd, bool isIncludeRoot);

}  // namespace ov
