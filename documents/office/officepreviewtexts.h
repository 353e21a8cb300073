#pragma once
// The office previewer's own texts, in the language of the settings (Chinese or English).

#include "core/types.h"

#include <QString>

namespace ov {

struct OfficePreviewTexts {
    QString downloading;
    QString loading;
    QString oldWps;
    QString virtualPrinter;
    QString virtualPrinterCaption;
    QString alertCaption;  // caption of the box that shows a failed operation

    static OfficePreviewTexts forLanguage(THS_Language language);
};

}  // namespace ov
