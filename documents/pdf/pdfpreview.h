#pragma once
// The PDF previewer: the built-in document viewer below a tool bar of its own (print, rotate,
// fit width and height, first and next page, page number, zoom). A read-only document gets the
// viewer's read-only restrictions and the input guard; the temporary copy is deleted as soon as
// the viewer has read it.

#include <QString>

#include "documents/pdf/pdfpreviewtoolbar.h"
#include "documents/preview/previewbase.h"

class QTimer;

namespace ov {

namespace platform {
class DocumentViewer;
}

class TPdfPreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TPdfPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TPdfPreviewFrm() override;

    bool CheckViewer() override;
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;
    void PrintPreview() override;

    // Fits the form to its parent's client area, when it is a child that no layout places.
    void ReSizeEx();
    bool Check2() { return CheckViewer(); }
    // Shows a local PDF file that the caller already has (it is deleted once read).
    void ShowEx2(const QString& FileName);
    // The parent was resized (the control posts this).
    void WMPdfSize() { ReSizeEx(); }

    // The widgets, for the form's owner and for tests.
    const PdfPreviewToolBar& toolBar() const { return m_bar; }
    platform::DocumentViewer* viewer() const { return m_viewer; }
    QTimer* timer() const { return m_fitTimer; }
    // The reader generation found by CheckViewer ("V7", "V5" or empty).
    QString readerVersion() const { return m_readerVer; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildForm();
    void connectToolBar();
    void createViewer();
    void keepFitted();
    void zoomSliderChanged();
    void pageNumberEntered();
    void showPageNumber();
    void stepZoomSlider(int delta);

    PdfPreviewToolBar m_bar;
    QWidget* m_clientArea = nullptr;  // client area, holds the viewer
    QTimer* m_fitTimer = nullptr;
    platform::DocumentViewer* m_viewer = nullptr;
    QString m_fileName;
    QString m_readerVer;
    QString m_readerFileVer;
    double m_scale = 1.0;  // the last zoom sent, in percent
    bool m_closed = false;
    bool m_placed = false;  // a window is centred once, when first shown
};

}  // namespace ov
