#include "documents/web/mhtpreview.h"

#include <QFile>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

TMhtPreviewFrm::TMhtPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags) {
    setWindowTitle(u"Mht Preview "_s);
    setStyleSheet(u"background: white;"_s);
    resize(707, 548);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    WebBrowser1 = new MimePageView(this);
    WebBrowser1->setObjectName(u"WebBrowser1"_s);
    layout->addWidget(WebBrowser1);
    connect(&m_load, &MimeLoad::loaded, this, &TMhtPreviewFrm::Loaded);
}

TMhtPreviewFrm::~TMhtPreviewFrm() {
    if (!FTmpFileName.isEmpty()) QFile::remove(FTmpFileName);
}

void TMhtPreviewFrm::LoadLocalFile(int, const QString& FileName) {
    FTmpFileName = FileName;
    if (PreViewHintFrm) PreViewHintFrm->hide();
    m_load.start(FileName, {});
}

void TMhtPreviewFrm::Loaded(std::shared_ptr<const platform::MimeMessage> message,
                            const QString& error) {
    if (!message) {
        const bool cn = Language() == HSL_CN;
        ShowHintText((cn ? u"文档无法显示："_s : u"The document cannot be shown: "_s) + error,
                     TPreViewHint::PictureError);
        emit documentShown(false);
        return;
    }
    WebBrowser1->showMessage(message, {});
    WebBrowser1->raise();
    emit documentShown(true);
}

void TMhtPreviewFrm::CloseOleObject() {
    WebBrowser1->clearMessage();
    if (!FTmpFileName.isEmpty()) QFile::remove(FTmpFileName);
    FTmpFileName.clear();
}

void TMhtPreviewFrm::Print(const QString&) {
    const PagePrintResult printed =
        PrintPage(WebBrowser1, {CanPrint(), DocReadonly(), VirtualPrinterForbidden()},
                  m_printDialog);
    if (printed == PagePrintResult::NoRight) ShowErrorMessage(WLS_CancelPrint);
    if (printed == PagePrintResult::Refused) ShowErrorMessage(VirtualPrinterText(Language()));
}

}  // namespace ov
