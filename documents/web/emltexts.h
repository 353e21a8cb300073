#pragma once
// The texts of the mail previewer, in the form's language (Chinese for HSL_CN, else English).

#include "core/types.h"

#include <QString>

namespace ov {

struct EmlTexts {
    QString WLS_NoDP, WLS_Date, WLS_To, WLS_From, WLS_CC, WLS_Attachment;
    QString openFailed;  // an attachment the desktop may not or cannot open
};

EmlTexts emlTexts(THS_Language language);

}  // namespace ov
