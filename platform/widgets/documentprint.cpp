// Printing and print preview of the built-in document viewer.

#include <QDialog>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/printers.h"
#include "platform/widgets/documentviewer.h"
#include "platform/widgets/pagerenderer.h"
#include "platform/widgets/systemprinters.h"

using namespace Qt::StringLiterals;

namespace ov::platform {

namespace {

constexpr int kMaxPrintDpi = 300;  // bounds the memory of one page image

bool runPrintDialog(QPrinter& printer, QWidget* parent, bool allowPrintToFile) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, allowPrintToFile);
    return dialog.exec() == QDialog::Accepted;
}

// Draws the page image as large as the printable area allows, keeping its proportions.
void drawFitted(QPainter& painter, const QImage& image, const QRectF& area) {
    QSizeF size = image.size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    const QPointF origin(area.left() + (area.width() - size.width()) / 2, area.top());
    painter.drawImage(QRectF(origin, size), image);
}

}  // namespace

bool DocumentViewer::isFileOrVirtualPrinter(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty()) return true;
    if (printer.outputFormat() == QPrinter::PdfFormat) return true;
    for (const PrinterInfo& info : printerSource().printers())
        if (info.name == printer.printerName()) return isVirtualPrinter(info);
    return false;
}

bool DocumentViewer::printerAllowed(const QPrinter& printer) const {
    return !m_readOnly || !isFileOrVirtualPrinter(printer);
}

void DocumentViewer::setPrintDialogRunner(PrintDialogRunner runner) {
    m_printDialog = std::move(runner);
}

DocumentViewer::PrintResult DocumentViewer::print(bool withDialog) {
    if (!isLoaded()) return PrintResult::NoDocument;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    printer.setFromTo(1, pageCount());
    if (withDialog) {
        const auto& run = m_printDialog ? m_printDialog : PrintDialogRunner(runPrintDialog);
        if (!run(printer, this, !m_readOnly)) return PrintResult::Cancelled;
    }
    return printTo(printer);
}

DocumentViewer::PrintResult DocumentViewer::printTo(QPrinter& printer) {
    if (!isLoaded()) return PrintResult::NoDocument;
    if (!printerAllowed(printer)) return PrintResult::Refused;
    // Without any printer Qt would "print" into nothing and the print would count as done.
    if (printer.outputFileName().isEmpty() && printer.printerName().isEmpty())
        return PrintResult::Failed;
    return printPages(printer);
}

DocumentViewer::PrintResult DocumentViewer::printPages(QPrinter& printer) {
    const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int last = printer.toPage() > 0 ? std::min(printer.toPage(), pageCount()) : pageCount();
    QPainter painter;
    if (first > last || !painter.begin(&printer)) return PrintResult::Failed;
    const int dpi = std::min(printer.resolution(), kMaxPrintDpi);
    for (int page = first; page <= last; ++page) {
        if (page > first) printer.newPage();
        const QImage image = renderPage(*m_doc, {page - 1, dpi, 0});
        drawFitted(painter, image, printer.pageLayout().paintRectPixels(printer.resolution()));
    }
    return painter.end() ? PrintResult::Printed : PrintResult::Failed;
}

QDialog* DocumentViewer::createPrintPreviewDialog(QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setWindowTitle(tr("Print preview"));
    auto* preview = new QPrintPreviewWidget(dialog);
    connect(preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { printPages(*printer); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    if (!m_readOnly) {
        QPushButton* printButton = buttons->addButton(tr("Print..."), QDialogButtonBox::ActionRole);
        connect(printButton, &QPushButton::clicked, this, [this] {
            if (print(true) == PrintResult::Printed) emit printedFromPreview();
        });
    }
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(preview);
    layout->addWidget(buttons);
    dialog->resize(800, 900);
    return dialog;
}

void DocumentViewer::printPreview() {
    if (!isLoaded()) return;
    std::unique_ptr<QDialog> dialog(createPrintPreviewDialog(this));
    dialog->exec();
}

}  // namespace ov::platform
