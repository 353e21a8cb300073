#pragma once
// The texts of the batch window in the user's language (Chinese for HSL_CN, English
// otherwise).

#include <QString>
#include <QStringList>

#include "core/types.h"

namespace ov {

struct TBatchWindowTexts {
    QString ReConn, Complete, Tran, PerSecond, SelTask, Hint, ViewLog, Upload, Download,
        BulkUpload, BulkDownload, ErrData, SelectFolder, TranComplete, ProhibitsBulkDownload;
    // Tree nodes: upload root, its three lists, download root, its three lists.
    QStringList TreeNodes;
    QStringList Columns;  // the grid's eight headers
    // Captions: details, file name, state, count, size, conditions, log, errors, start, pause,
    // delete, start all, stop all, delete all, start/continue, restart, modify settings.
    QString Details, FileName, State, NumInfo, SizeInfo, Conditions, Log, Errors, Start, Pause,
        Delete, StartAll, StopAll, DeleteAll, StartContinue, Restart, ModifySettings;
};

TBatchWindowTexts BatchWindowTexts(THS_Language language);

}  // namespace ov
