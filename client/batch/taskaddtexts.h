#pragma once
// The texts of the batch task dialog (Chinese for HSL_CN, English otherwise).

#include <QString>

#include "core/types.h"

namespace ov {

struct TTaskAddTexts {
    QString Hint, LoginFirst, SFile, DFolder, Upload, Download, SFolder, BulkUpload,
        BulkDownload, NewFolder, NewFolderErr, SelSvrFolder, NoFile, NoFolder, ErrTime, ErrSize,
        SelFolder, SelDFolder, SelOwner, SelSOwner, SC_NO, KeepLocalNewFile, FileNum,
        VersionRemark, ToFileManage;
    // Captions: dialog, GroupBox1, GroupBox2, Select, Label6, Label3, Label7, cbSubFolder,
    // Label1, BitBtn4, bbtSelectItems, BitBtn5, Label9, Label10, Label11, Label4, Label5,
    // rbTime1, rbTime2, cbxFilePrt, lblEditPrt, lbFileSC, cbkIncludeRoot, lbUploadHint.
    QString Caption, Group1, Group2, Select, ModifyTime, FileSize, FileType, SubFolder, Loading,
        StartTask, SelectSome, Cancel, Every, Hours, At, Scheduled, StartOver, Single,
        ScheduledRun, FileAttr, ModifyAttr, SecurityGrade, IncludeRoot, UploadHint;
};

TTaskAddTexts TaskAddTexts(THS_Language language);

}  // namespace ov
