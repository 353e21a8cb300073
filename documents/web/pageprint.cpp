#include "documents/web/pageprint.h"

#include "platform/widgets/documentviewer.h"

#include <QPrintDialog>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

namespace ov {

QString VirtualPrinterText(THS_Language language) {
    return language == HSL_CN ? u"本机存在虚拟打印机，系统禁止打印此文档！"_s
                              : u"Print function is forbidden because there is virtual printer "
                                u"in the local computer."_s;
}

PagePrintDialog DefaultPagePrintDialog() {
    return [](QPrinter& printer, QWidget* parent, bool allowFile) {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, allowFile);
        return dialog.exec() == QDialog::Accepted;
    };
}

PagePrintResult PrintPage(QTextBrowser* page, const PagePrintRequest& request,
                          const PagePrintDialog& dialog) {
    if (!request.canPrint) return PagePrintResult::NoRight;
    if (request.readOnly && request.virtualPrinterForbidden) return PagePrintResult::Refused;
    QPrinter printer;
    if (!dialog(printer, page, !request.readOnly)) return PagePrintResult::Cancelled;
    if (request.readOnly && platform::DocumentViewer::isFileOrVirtualPrinter(printer))
        return PagePrintResult::Refused;
    page->document()->print(&printer);
    return PagePrintResult::Printed;
}

}  // namespace ov
