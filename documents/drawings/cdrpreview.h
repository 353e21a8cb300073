#pragma once
// The previewer of CorelDRAW drawings (cdr): LibreOffice reads the drawing, the built-in
// viewer shows it. A read-only drawing has its right clicks guarded (its keys are left to the
// viewer, which offers no copy, save-as or print for it). It has no print operation.

#include "documents/converted/convertedpreview.h"

namespace ov {

class TCdrPreviewFrm : public TConvertedPreviewFrm {
    Q_OBJECT
public:
    explicit TCdrPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    bool CheckViewer() override;
    // Loads a local file as a downloaded one (for trying the previewer by hand).
    void Test(const QString& FileName) { LoadLocalFile(0, FileName); }

    QString Version() const { return CdrVer; }

protected:
    QString LoadingText() const override;
    void DocumentReady() override;

private:
    QString CdrVer;
};

}  // namespace ov
