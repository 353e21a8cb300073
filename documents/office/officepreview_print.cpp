// The office previewer: printing and print preview, refused for a read-only document while a
// virtual printer could take a copy, and reported to the server once started.

#include "documents/office/officepreview.h"

#include <QDialog>

namespace ov {

bool TOfficeFilePreviewFrm::PrintingRefused(bool virtualPrinter) {
    if (!DocReadonly() || !virtualPrinter) return false;
    ShowOfficeMessage(m_texts.virtualPrinter, m_texts.virtualPrinterCaption);
    return true;
}

// With the print dialog, any virtual printer refuses (the user could pick it); straight to the
// default printer, only a virtual default printer does. Only a print that went to the printer
// is reported.
void TOfficeFilePreviewFrm::Print(const QString&) {
    if (!CanPrint()) return;
    if (PrintingRefused(SelectPrinter() ? IsExistVirtualPrinter() : DefaultPrinterIsVirtual()))
        return;
    if (!m_viewer || !m_viewer->isLoaded()) return;
    PrintWithViewer(m_viewer);
}

void TOfficeFilePreviewFrm::PrintPreview() {
    if (!CanPrint()) return;
    if (PrintingRefused(IsExistVirtualPrinter())) return;
    if (!m_viewer || !m_viewer->isLoaded()) return;
    if (m_preview) m_preview->close();
    m_preview = m_viewer->createPrintPreviewDialog(this);
    m_preview->setAttribute(Qt::WA_DeleteOnClose);
    // A print started from the preview is a print like any other.
    connect(m_viewer, &platform::DocumentViewer::printedFromPreview, m_preview,
            [this] { ReportPrint(); });
    m_preview->open();
    ReportPrintPreview();
}

void TOfficeFilePreviewFrm::PrintPreviewExit() {
    if (m_preview) m_preview->close();
}

}  // namespace ov
