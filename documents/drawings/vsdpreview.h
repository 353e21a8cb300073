#pragma once
// The previewer of Visio drawings (vsd, vsdx): LibreOffice reads the drawing, the built-in
// viewer shows it. The viewer never offers copy, save-as or print keys; a read-only drawing
// also has its keys and right clicks guarded in this form (no other window is touched) and
// the clipboard cleared while it is shown. Printing goes through the print gate.

#include "documents/converted/convertedpreview.h"
#include "documents/drawings/drawingtexts.h"

#include <QTimer>

namespace ov {

class TVsdPreviewFrm : public TConvertedPreviewFrm {
    Q_OBJECT
public:
    explicit TVsdPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Whether a reader of Visio drawings is installed; shows WLS_Install when not.
    bool CheckViewer() override;
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;

    QString Version() const { return FVer; }
    int LoadWay() const { return Fw; }
    bool IsClipboardGuardActive() const { return Timer1.isActive(); }

protected:
    QString LoadingText() const override { return WLS_Loading; }
    bool ViewerReadOnly() const override { return true; }
    void DocumentReady() override;

private:
    void Timer1Timer();

    QString WLS_Install;
    QString WLS_Loading;
    int Fw = 0;  // 0 nothing loaded, 3 loaded in the viewer
    QString FVer;
    QString FFileName;
    QTimer Timer1;
};

}  // namespace ov
