// The batch window's pure rules.

#include "client/batch/windowrules.h"

#include "core/batchtransport.h"
#include "core/split.h"
#include "core/tagtext.h"

using namespace Qt::StringLiterals;

namespace ov {

namespace {

bool StateIn(TTaskState st, std::initializer_list<int> states) {
    for (const int s : states)
        if (st == s) return true;
    return false;
}

int TagIntDef(const QString& cmd, const QString& tag, int def) {
    const QString value = ReadTagValue(cmd, tag);
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok ? n : def;
}

}  // namespace

bool TaskInList(const TBatchTransport& task, int nodeData) {
    if (nodeData < 1 || nodeData > 6) return false;
    const TTranStyle style = nodeData <= 3 ? TS_Upload : TS_Download;
    if (task.TranStyle != style) return false;
    switch ((nodeData - 1) % 3) {
        case 0: return StateIn(task.St, {1, 2, 3, 5, 6});
        case 1: return task.St == ST_Completed;
        default: return StateIn(task.St, {0, 9});
    }
}

bool NeedsWorker(const TBatchTransport& task) {
    if (task.St == ST_Unknown || task.St == ST_Deleted) return false;
    return task.St != ST_Completed || task.TaskCyc > 0;
}

bool StartsAtOnce(const TBatchTransport& task) {
    return StateIn(task.St, {1, 2, 4, 5});
}

TWorkerAction ActionForState(TTaskState state) {
    if (StateIn(state, {0, 4, 9})) return TWorkerAction::Remove;
    if (StateIn(state, {1, 2, 5})) return TWorkerAction::Start;
    if (StateIn(state, {3, 6})) return TWorkerAction::Pause;
    return TWorkerAction::None;
}

TClipboardTask TaskFromCommand(const QString& cmd, bool isIncludeRoot) {
    TClipboardTask r;
    TBatchTransport& t = r.Task;
    InitBatchTransport(t);
    t.TranStyle = TTranStyle(TagIntDef(cmd, u"TranStyle"_s, 1));
    t.FF = TFolderOrFile(TagIntDef(cmd, u"FF"_s, 2));
    t.IsIncludeSubFolder = true;
    t.IncludeRootPath = isIncludeRoot;
    const std::int32_t owner = TextToIntDef0(ReadTagValue(cmd, u"OwnerId"_s));
    const std::int64_t source = TextToInt64Def0(ReadTagValue(cmd, u"SourceId"_s));
    const QString name = ReadTagValue(cmd, u"SourceName"_s);
    if (t.TranStyle == TS_Upload) {
        t.DestOwnerId = owner;
        t.DestFolderId = source;
        t.DestFolderName = name.isEmpty() ? u"..."_s : name;
    } else if (t.TranStyle == TS_Download) {
        t.SourceOwnerId = owner;
        t.SourceFolderId = source;
        t.SourceFolderName = name;
    }
    if ((t.TranStyle == TS_Download && t.SourceOwnerId <= 0) ||
        (t.TranStyle == TS_Upload && t.DestOwnerId <= 0))
        r.Refusal = 1;
    else if (t.TranStyle == TS_Upload && t.DestFolderId == 0 && !t.IncludeRootPath)
        r.Refusal = 2;
    return r;
}

}  // namespace ov
