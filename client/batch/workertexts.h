#pragma once
// The texts of the batch worker's log in the user's language.

#include <QString>

#include "core/types.h"

namespace ov {

struct TWorkerTexts {
    QString StartSearch, CompleteSearch, GetList, TaskInit, InitOver, FileSizeErr, FileKindErr,
        TranInfo, TranComplete, TranErr, SearchNum, Total, FinishedCount;
};

// Chinese for HSL_CN, English for HSL_ENG, all empty otherwise.
TWorkerTexts WorkerTexts(THS_Language language);

}  // namespace ov
