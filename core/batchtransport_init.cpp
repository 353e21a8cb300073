// New tasks: their defaults and their ids.

#include <QDateTime>
#include <cmath>
#include <limits>
#include <mutex>
#include <set>

#include "core/batchtransport.h"
#include "core/datetime.h"
#include "core/hash.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

// Ids handed out or found in the task file during this process.
struct TakenIds {
    std::mutex lock;
    std::set<std::int32_t> ids;
};

TakenIds& takenIds() {
    static TakenIds taken;
    return taken;
}

constexpr double kTenSeconds = 10.0 / 86400.0;

}  // namespace

// The hash of the current second alone repeats for tasks created in the same second, so a
// taken id moves on to the next free one. Ids stay positive: callers treat 0 and below as
// "no task".
std::int32_t NewBatchTaskId() {
    const QString stamp = QDateTime::currentDateTime().toString(u"yyMMddHHmmss"_s);
    std::int32_t id = HashText32(stamp);
    TakenIds& taken = takenIds();
    const std::lock_guard guard(taken.lock);
    while (id <= 0 || taken.ids.count(id))
        id = id <= 0 || id == std::numeric_limits<std::int32_t>::max() ? 1 : id + 1;
    taken.ids.insert(id);
    return id;
}

void ReserveBatchTaskId(std::int32_t id) {
    TakenIds& taken = takenIds();
    const std::lock_guard guard(taken.lock);
    taken.ids.insert(id);
}

void InitBatchTransport(TBatchTransport& task) {
    const TDateTime now = Now();
    task.Id = NewBatchTaskId();
    task.TranStyle = TS_Upload;
    task.FF = FF_Folder;
    task.DestOwnerId = 0;
    task.DestFolderId = 0;
    task.SourceOwnerId = 0;
    task.SourceFolderId = 0;
    task.DestFolderName.clear();
    task.SourceFolderName.clear();
    task.ExtInfo.clear();
    task.IsIncludeSubFolder = true;
    task.KeepClientNewFile = true;
    task.FileStartDate = now;
    task.FileEndDate = now - 1;  // an empty range: no date filter
    task.MinSize = 0;            // equal bounds: no size filter
    task.MaxSize = 0;
    task.Types.clear();  // all types
    task.St = ST_Init;
    task.TaskStartTime = now - std::floor(now);
    task.TaskCyc = -1;  // run once
    task.RunStartTime = now - task.TaskCyc / 24 + kTenSeconds;
    task.RunEndTime = now - 36500;
    task.IncludeRootPath = true;
}

}  // namespace ov
