#pragma once
// The task dialog's pure rules: the type text, the period text, and the collection of the
// dialog's inputs into a task with every refusal of the dialog.

#include <QString>
#include <functional>

#include "core/types.h"

namespace ov {

// "*.*" for no types, else "*." + the extension of each code, joined by ",".
QString TypeText(const TFileTypeArray& types);
// Items split at ","; an item with a "." gives the code of up to four characters after its
// first "."; else the code of the whole item. "*" (code 42) means all types: empty.
TFileTypeArray ParseTypeText(const QString& text);
// Hours of a period text: read in the C locale first, then in the system's; 1 when neither
// reads it.
double ParsePeriodText(const QString& text);

// What the dialog's controls hold, as the collection reads them.
struct TTaskInputs {
    QString Source, Dest;  // the two edits
    bool IncludeSubFolder = true;
    bool DateRange = false;
    TDateTime MinDate = 0, MaxDate = 0;
    bool SizeRange = false;
    QString MinSizeKb, MaxSizeKb;
    QString TypeText;
    bool FilePrt = false;
    QString PrtParams;
    bool Scheduled = false;
    QString Period;
    TDateTime BeginTime = 0;
    bool IncludeRoot = false;
    bool KeepLocalNewFile = true;
    int SC = 0;  // the selected security level's number, 0 for none
    bool VersionRemark = false;
    QString Remark;
    QString RemarkHint;  // the prompt text of the remark memo
};

enum class TRefusal {
    None,
    Declined,  // the user declined to create the target folder
    NewFolderErr,
    SelSvrFolder,
    NoFile,
    NoFolder,
    ErrTime,
    ErrSize,
    SelOwner,
    SelDFolder,
    SelSOwner
};

// Collects the inputs into the task (the dialog's own copy). askCreate is asked before a
// missing local target folder is created. `now`: the current time.
TRefusal CollectTaskInputs(const TTaskInputs& in, TBatchTransport& task, TDateTime now,
                           const std::function<bool(const QString& folder)>& askCreate);
// The checks of OK after a successful collection.
TRefusal CheckTaskTarget(const TBatchTransport& task);

}  // namespace ov
