#pragma once
// Sample batch tasks and a readable form of a task for comparisons.

#include <QStringList>

#include "core/batchtransport.h"
#include "core/datetime.h"
#include "fixtures.h"

namespace ov::test {

inline TDateTime at(const char* text) {
    return TextToDateTime(QString::fromLatin1(text));
}

// Every field of the task as "name=value" lines; times to the second.
inline QString describe(const TBatchTransport& t) {
    QStringList types;
    for (const auto code : t.Types)
        types << QString::number(code);
    return QStringList{
        QStringLiteral("Id=%1 St=%2 TranStyle=%3 FF=%4")
            .arg(t.Id)
            .arg(t.St)
            .arg(t.TranStyle)
            .arg(t.FF),
        QStringLiteral("Dest=%1/%2 %3")
            .arg(t.DestOwnerId)
            .arg(t.DestFolderId)
            .arg(t.DestFolderName),
        QStringLiteral("Source=%1/%2 %3")
            .arg(t.SourceOwnerId)
            .arg(t.SourceFolderId)
            .arg(t.SourceFolderName),
        QStringLiteral("Sub=%1 Summary=%2 Keep=%3 Root=%4 SC=%5")
            .arg(t.IsIncludeSubFolder)
            .arg(t.IsGetSummary)
            .arg(t.KeepClientNewFile)
            .arg(t.IncludeRootPath)
            .arg(t.SC),
        QStringLiteral("Dates=%1 - %2 Sizes=%3 - %4")
            .arg(DateTimeToText(t.FileStartDate), DateTimeToText(t.FileEndDate))
            .arg(t.MinSize)
            .arg(t.MaxSize),
        QStringLiteral("Start=%1 Cyc=%2 Run=%3 - %4")
            .arg(TimeOfDayToText(t.TaskStartTime))
            .arg(t.TaskCyc)
            .arg(DateTimeToText(t.RunStartTime), DateTimeToText(t.RunEndTime)),
        QStringLiteral("Types=") + types.join(u','),
        QStringLiteral("Prt=") + t.FilePrtParams,
        QStringLiteral("Ext=") + t.ExtInfo,
    }
        .join(u'\n');
}

// A periodic folder upload with every field set.
inline TBatchTransport fullUpload() {
    TBatchTransport t;
    t.Id = 123;
    t.St = ST_Running;
    t.TranStyle = TS_Upload;
    t.FF = FF_Folder;
    t.DestOwnerId = 7;
    t.DestFolderId = 9000000000;
    t.DestFolderName = QStringLiteral("项目\\文档");
    t.SourceFolderName = QStringLiteral("/home/u/资料");
    t.MinSize = 1024;
    t.MaxSize = 1048576;
    t.FileStartDate = at("2024-01-02 03:04:05");
    t.FileEndDate = at("2024-12-31 23:59:59");
    t.TaskStartTime = 21.5 / 24;
    t.TaskCyc = 24;
    t.IsIncludeSubFolder = true;
    t.IsGetSummary = true;
    t.RunStartTime = at("2024-06-01 08:00:00");
    t.RunEndTime = at("2024-06-01 09:15:30");
    t.Types = {0x646F63, 0x706466};
    t.FilePrtParams = QStringLiteral("[Author]张三[/Author]");
    t.IncludeRootPath = false;
    t.KeepClientNewFile = true;
    t.SC = 3;
    t.ExtInfo = QStringLiteral("[Remark]v2[/Remark]");
    return t;
}

// A task with the given id that the task list keeps (an upload with owner and source).
inline TBatchTransport numberedTask(std::int32_t id) {
    TBatchTransport t = fullUpload();
    t.Id = id;
    t.SourceFolderName = QStringLiteral("/data/%1/").arg(id);
    return t;
}

}  // namespace ov::test
