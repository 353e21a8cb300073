#pragma once
// The built-in document viewer: shows a PDF file one page at a time, with page navigation,
// zoom, fitting to the width or height of the window, rotation, text search, the outline, text
// selection and copy, save-as, printing through QPrinter and a print preview.
//
// A read-only viewer offers no copy (unless InputGuard::allowCtrlC() is set), no context menu,
// no save-as and no printing to a file or to a virtual printer; its keys are also filtered by
// the InputGuard. Pages are rendered on a worker thread, only the one shown and the next, and
// the last few images are kept.

#include <QAbstractScrollArea>
#include <QPointer>
#include <QRectF>
#include <functional>
#include <memory>
#include <vector>

class QDialog;
class QMenu;
class QPrinter;

namespace ov::platform {

struct SharedDocument;
class PageRenderer;

class DocumentViewer : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(bool readOnly READ isReadOnly)
public:
    enum class FitMode { None, Width, Height };
    enum class PrintResult {
        Printed,     // pages went to the printer
        Cancelled,   // the user closed the print dialog
        NoDocument,  // nothing loaded
        Refused,     // read-only document and a file or virtual printer was chosen
        Failed       // the printer could not be started
    };

    struct OutlineEntry {
        QString title;
        int page = 0;  // page number from 1; 0 when the entry points nowhere
        std::vector<OutlineEntry> children;
    };

    // Shows the print dialog for the printer and answers whether to print. The default shows
    // QPrintDialog; tests put one in that plays the user.
    using PrintDialogRunner =
        std::function<bool(QPrinter& printer, QWidget* parent, bool allowPrintToFile)>;

    explicit DocumentViewer(QWidget* parent = nullptr);
    ~DocumentViewer() override;

    // Opens the file. The viewer keeps it open, so the caller may delete it right afterwards.
    // False (and errorText()) for a missing, damaged or password-protected file, or one
    // larger than 2 GiB.
    bool loadFile(const QString& path);
    void closeDocument();
    bool isLoaded() const;
    QString errorText() const { return m_error; }

    // Pages are numbered from 1; currentPage() is 0 without a document.
    int pageCount() const;
    int currentPage() const { return m_page + 1; }
    bool setCurrentPage(int pageNumber);
    void firstPage();
    void nextPage();
    void previousPage();
    void lastPage();

    // Zoom in percent (100: the page at its printed size on the screen), bounded to 10..800.
    double zoom() const { return m_zoom; }
    void setZoom(double percent);
    // Fits the page to the window's width or height; the fit holds when the window changes.
    void fitWidth();
    void fitHeight();
    FitMode fitMode() const { return m_fit; }

    // Rotation of the pages in degrees clockwise: 0, 90, 180 or 270.
    int rotation() const { return m_rotation; }
    void rotateLeft();
    void rotateRight();

    // Finds the next occurrence of the text after the current one (from the current page,
    // wrapping round the end), shows its page and marks it. False when it occurs nowhere.
    bool find(const QString& text, bool caseSensitive = false);
    // The page (from 1, 0 for none) and the place (in points, unrotated) of the marked match.
    int matchPage() const { return m_matchPage + 1; }
    QRectF matchRect() const { return m_match; }

    std::vector<OutlineEntry> outline() const;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Text selection on the current page, in points of the unrotated page.
    void setSelection(const QRectF& pageRect);
    QString selectedText() const;
    bool canCopy() const;
    // Puts the selected text on the clipboard; false when copying is not allowed or nothing is
    // selected.
    bool copySelection();

    bool canSaveAs() const;
    // Writes an exact copy of the loaded file; false when read-only or on a write error.
    bool saveAs(const QString& path);

    // Prints every page (or the printer's page range) to the default printer, or through the
    // print dialog when `withDialog`.
    PrintResult print(bool withDialog);
    // Prints to a printer the caller has set up.
    PrintResult printTo(QPrinter& printer);
    // A print preview; its Print button (not offered for a read-only document) prints through
    // the print dialog. The caller owns the dialog.
    QDialog* createPrintPreviewDialog(QWidget* parent = nullptr);
    void printPreview();
    void setPrintDialogRunner(PrintDialogRunner runner);
    // Whether a printer writes a file or is virtual (output file, PDF format, or a printer of
    // the system that the virtual-printer rule names).
    static bool isFileOrVirtualPrinter(const QPrinter& printer);

    // The version text the viewer gives as its reader version.
    static QString versionText();

    // Waits until the pages in view are rendered (for tests and screenshots).
    bool waitForRendering(int timeoutMs = 5000);

signals:
    void currentPageChanged(int pageNumber);
    void zoomChanged(double percent);
    void documentLoaded();
    // The print button of the print preview sent the document to a printer.
    void printedFromPreview();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSizeF pageSizePoints(int index) const;
    QSizeF rotatedPageSize(int index) const;
    double pixelsPerPoint() const;
    int renderDpi() const;
    QTransform pageToView() const;
    void applyFit();
    void updateView();
    void updateScrollBars();
    void goToIndex(int index);
    void paintPage(QPainter& painter);
    bool searchPage(int index, const QString& text, bool caseSensitive, const QRectF& after);
    bool printerAllowed(const QPrinter& printer) const;
    // Prints without asking whether the printer is allowed (the preview, and printTo).
    PrintResult printPages(QPrinter& printer);
    void buildContextMenu(const QPoint& globalPos);

    std::shared_ptr<SharedDocument> m_doc;
    PageRenderer* m_renderer = nullptr;
    mutable std::vector<QSizeF> m_pageSizes;  // in points; invalid until first read
    QString m_error;
    int m_page = 0;
    double m_zoom = 100.0;
    FitMode m_fit = FitMode::None;
    int m_rotation = 0;
    bool m_readOnly = false;
    int m_matchPage = -1;
    QRectF m_match;
    QRectF m_selection;  // on page m_page, in points
    QPointF m_dragStart;
    bool m_dragging = false;
    QPointer<QMenu> m_menu;
    PrintDialogRunner m_printDialog;
};

}  // namespace ov::platform
