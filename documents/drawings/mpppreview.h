#pragma once
// The previewer of Project plans (mpp). No reader of Project plans is installed on this system
// unless the registry store names one, so CheckViewer shows the Project text; where a reader is
// named, the plan is handed to LibreOffice like the other converted files, and a failure shows
// its reason. A read-only plan has its keys, right clicks (in this form only) and the
// clipboard guarded as the Visio previewer does; printing goes through the print gate.

#include "documents/converted/convertedpreview.h"

#include <QTimer>

namespace ov {

class TMppPreviewFrm : public TConvertedPreviewFrm {
    Q_OBJECT
public:
    explicit TMppPreviewFrm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    bool CheckViewer() override;
    void LoadLocalFile(int FileType, const QString& FileName) override;
    void CloseOleObject() override;
    void Print(const QString& EffCode) override;

    QString Version() const { return FVer; }

protected:
    QString LoadingText() const override;
    void DocumentReady() override;

private:
    int Fw = 0;  // 0 nothing loaded, 3 loaded in the viewer
    QString FVer;
    QString FFileName;
    QTimer Timer1;
};

}  // namespace ov
