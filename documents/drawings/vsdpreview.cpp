#include "documents/drawings/vsdpreview.h"

#include "documents/drawings/drawingprobe.h"

using namespace Qt::StringLiterals;

namespace ov {

TVsdPreviewFrm::TVsdPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TConvertedPreviewFrm(parent, flags) {
    const DrawingTexts texts = drawingTexts(DrawingKind::Visio, Language());
    WLS_Install = texts.missing;
    WLS_Loading = texts.loading;
    resize(731, 575);
    Timer1.setObjectName(u"Timer1"_s);
    Timer1.setInterval(200);
    connect(&Timer1, &QTimer::timeout, this, &TVsdPreviewFrm::Timer1Timer);
}

bool TVsdPreviewFrm::CheckViewer() {
    FVer = DrawingReaderVersion(DrawingKind::Visio, Office());
    if (!FVer.isEmpty()) return true;
    ShowHintText(WLS_Install, TPreViewHint::PictureError);
    return false;
}

void TVsdPreviewFrm::LoadLocalFile(int FileType, const QString& FileName) {
    FFileName = FileName;
    Fw = 3;
    OfferPrint(CanPrint());
    TConvertedPreviewFrm::LoadLocalFile(FileType, FileName);
}

// Guards only this form: right clicks elsewhere in the program stay as they were.
void TVsdPreviewFrm::DocumentReady() {
    if (!DocReadonly()) return;
    AddKeyboardHook(nullptr);
    AddMouseHook(nullptr);
    Timer1.start();
}

void TVsdPreviewFrm::Timer1Timer() {
    if (DocReadonly()) ClearClipboard();
}

void TVsdPreviewFrm::CloseOleObject() {
    Timer1.stop();
    TConvertedPreviewFrm::CloseOleObject();
}

void TVsdPreviewFrm::Print(const QString&) {
    PrintThroughGate();
}

}  // namespace ov
