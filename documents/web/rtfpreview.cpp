#include "documents/web/rtfpreview.h"

using namespace Qt::StringLiterals;

namespace ov {

TRtfPreviewFrm::TRtfPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TConvertedPreviewFrm(parent, flags) {
    setStyleSheet(u"TRtfPreviewFrm { background: white; }"_s);
    resize(585, 507);
    Viewer()->setObjectName(u"RichEdit1"_s);
}

QString TRtfPreviewFrm::LoadingText() const {
    return Language() == HSL_CN ? u"加载预览对象，请稍等..."_s
                                : u"Downloading object, please wait ..."_s;
}

void TRtfPreviewFrm::LoadLocalFile(int FileType, const QString& FileName) {
    FFileName = FileName;
    OfferPrint(CanPrint());
    TConvertedPreviewFrm::LoadLocalFile(FileType, FileName);
}

void TRtfPreviewFrm::Print(const QString&) {
    PrintThroughGate();
}

}  // namespace ov
