#include "documents/drawings/mpppreview.h"

#include "documents/drawings/drawingprobe.h"

using namespace Qt::StringLiterals;

namespace ov {

TMppPreviewFrm::TMppPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TConvertedPreviewFrm(parent, flags) {
    resize(745, 552);
    Timer1.setObjectName(u"Timer1"_s);
    Timer1.setInterval(200);
    connect(&Timer1, &QTimer::timeout, this, [this] {
        if (DocReadonly()) ClearClipboard();
    });
}

bool TMppPreviewFrm::CheckViewer() {
    FVer = DrawingReaderVersion(DrawingKind::Project, Office());
    if (!FVer.isEmpty()) return true;
    ShowHintText(drawingTexts(DrawingKind::Project, Language()).missing,
                 TPreViewHint::PictureError);
    return false;
}

QString TMppPreviewFrm::LoadingText() const {
    return drawingTexts(DrawingKind::Project, Language()).loading;
}

void TMppPreviewFrm::LoadLocalFile(int FileType, const QString& FileName) {
    FFileName = FileName;
    Fw = 3;
    OfferPrint(CanPrint());
    TConvertedPreviewFrm::LoadLocalFile(FileType, FileName);
}

void TMppPreviewFrm::DocumentReady() {
    if (!DocReadonly()) return;
    AddKeyboardHook(nullptr);
    AddMouseHook(nullptr);
    Timer1.start();
}

void TMppPreviewFrm::CloseOleObject() {
    Timer1.stop();
    TConvertedPreviewFrm::CloseOleObject();
}

void TMppPreviewFrm::Print(const QString&) {
    PrintThroughGate();
}

}  // namespace ov
