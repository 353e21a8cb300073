#pragma once
// Printing the page of a web archive or mail: with the print right, through the print gate and
// the print dialog; without it, the message that printing is locked.

#include "core/types.h"

#include <QPrinter>
#include <QString>
#include <functional>

class QTextBrowser;
class QWidget;

namespace ov {

class TPreviewBaseFrm;

// Shows the print dialog; true when the user chose to print. Tests put one in that plays the
// user.
using PagePrintDialog = std::function<bool(QPrinter& printer, QWidget* parent, bool allowFile)>;
PagePrintDialog DefaultPagePrintDialog();

enum class PagePrintResult { Printed, Cancelled, Refused, NoRight };

struct PagePrintRequest {
    bool canPrint = false;
    bool readOnly = true;
    bool virtualPrinterForbidden = false;  // the print gate's answer
};

// The message when a read-only document could go to a virtual printer.
QString VirtualPrinterText(THS_Language language);

// Prints the page as the request allows; a read-only page never goes to a file or a virtual
// printer, whatever the dialog chose.
PagePrintResult PrintPage(QTextBrowser* page, const PagePrintRequest& request,
                          const PagePrintDialog& dialog);

}  // namespace ov
