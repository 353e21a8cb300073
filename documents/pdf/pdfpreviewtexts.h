#pragma once
// The texts of the PDF previewers: Chinese for HSL_CN, English otherwise (the Sursen reader's
// texts are Chinese in both languages).

#include <QString>

class QWidget;

#include "core/types.h"

namespace ov::pdftexts {

// The preferred PDF reader is missing.
QString readerMissing(THS_Language language);
// Caption and text of the message that refuses to print to a virtual printer.
QString hintCaption(THS_Language language);
QString virtualPrinter(THS_Language language);
// The Sursen reader is missing (caption "提示"), and its loading hint.
QString sursenCaption();
QString sursenMissing();
QString sursenLoading();
// The labels before and after the page number.
QString pageLabelBefore(THS_Language language);
QString pageLabelAfter(THS_Language language);
// The text after the page box once a document is shown: "/ total" ("页 / 共N页").
QString pageLabelAfter(THS_Language language, int pageCount);
// Shows the message that refuses to print to a virtual printer (error icon), modally.
void showVirtualPrinterMessage(QWidget* parent, THS_Language language);
// The face and size of the forms' texts.
QString formFontFamily(THS_Language language);

}  // namespace ov::pdftexts
