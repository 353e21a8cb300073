#pragma once
// The previewer of rich-text files (rtf): LibreOffice reads the file, the built-in viewer shows
// it; the downloaded copy is gone as soon as it has been read. With the print right the viewer
// prints through the print gate; without it nothing is printed.

#include "documents/converted/convertedpreview.h"

namespace ov {

class TRtfPreviewFrm : public TConvertedPreviewFrm {
    Q_OBJECT
public:
    explicit TRtfPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    bool CheckViewer() override { return true; }
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void Print(const QString& EffCode) override;

protected:
    QString LoadingText() const override;

private:
    QString FFileName;
};

}  // namespace ov
