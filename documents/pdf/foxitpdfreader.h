#pragma once
// The previewer of the Foxit reader kind: the built-in document viewer below the reader tool bar
// (print, rotate, fit width and height, zoom, previous and next page). The temporary copy stays
// until the viewer is closed.

#include <QString>

#include "documents/pdf/foxitpdfreadertoolbar.h"
#include "documents/preview/previewbase.h"

namespace ov {

namespace platform {
class DocumentViewer;
}

class TFoxitPdfReaderFrm : public TPreviewBaseFrm {
    Q_OBJECT
public:
    explicit TFoxitPdfReaderFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~TFoxitPdfReaderFrm() override;

    bool CheckViewer() override { return true; }
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;

    const ReaderToolBar& toolBar() const { return m_bar; }
    platform::DocumentViewer* viewer() const { return m_viewer; }

    // The zoom step of the zoom buttons.
    static constexpr double kZoomStep = 1.25;

private:
    void buildForm();
    void connectToolBar();
    void createViewer();
    void zoomBy(double factor);

    ReaderToolBar m_bar;
    QWidget* m_toolStrip = nullptr;
    QWidget* plFrm = nullptr;  // client area, holds the viewer
    platform::DocumentViewer* m_viewer = nullptr;
    QString m_fileName;
};

}  // namespace ov
