#pragma once
// The previewer of the Sursen reader kind. Its reader has no counterpart on this system, so the
// probe answers "not installed" and the missing-reader message shows; where a probe answers
// otherwise, the built-in document viewer shows the file below the reader tool bar.

#include <QString>
#include <optional>

#include "documents/pdf/foxitpdfreadertoolbar.h"
#include "documents/preview/previewbase.h"

namespace ov {

namespace platform {
class DocumentViewer;
}

class TSSrsPreviewFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TSSrsPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TSSrsPreviewFrm() override;

    bool CheckViewer() override;
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;

    const ReaderToolBar& toolBar() const { return m_bar; }
    platform::DocumentViewer* viewer() const { return m_viewer; }
    QString version() const { return m_version; }
    int pageWidth() const { return m_pageWidth; }
    int pageHeight() const { return m_pageHeight; }

    // The zoom (in percent) that fits a page of `pageExtent` pixels at 100 % into `panelExtent`
    // pixels less `spare` pixels; none when the page has no size.
    static std::optional<double> fitRatio(int panelExtent, int spare, int pageExtent);

private:
    void buildForm();
    void connectToolBar();
    void fitWidth();
    void fitHeight();
    void zoomBy(double factor);
    void pageUp();
    void pageDown();

    ReaderToolBar m_bar;
    QWidget* m_clientArea = nullptr;  // client area, holds the viewer
    platform::DocumentViewer* m_viewer = nullptr;
    QString m_fileName;
    QString m_version;
    int m_pageWidth = 0;  // the current page's size in pixels at 100 %, 0 when unknown
    int m_pageHeight = 0;
};

}  // namespace ov
