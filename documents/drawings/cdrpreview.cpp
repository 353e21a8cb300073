#include "documents/drawings/cdrpreview.h"

#include "documents/drawings/drawingprobe.h"

namespace ov {

TCdrPreviewFrm::TCdrPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TConvertedPreviewFrm(parent, flags) {
    resize(921, 547);
    // FormCreate: the caption by language.
    setWindowTitle(drawingTexts(DrawingKind::CorelDraw, Language()).caption);
}

bool TCdrPreviewFrm::CheckViewer() {
    CdrVer = DrawingReaderVersion(DrawingKind::CorelDraw, Office());
    if (!CdrVer.isEmpty()) return true;
    ShowHintText(drawingTexts(DrawingKind::CorelDraw, Language()).missing,
                 TPreViewHint::PictureError);
    return false;
}

QString TCdrPreviewFrm::LoadingText() const {
    return drawingTexts(DrawingKind::CorelDraw, Language()).loading;
}

void TCdrPreviewFrm::DocumentReady() {
    if (DocReadonly()) AddMouseHook(nullptr);
}

}  // namespace ov
