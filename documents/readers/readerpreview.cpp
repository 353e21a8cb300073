#include "documents/readers/readerpreview.h"

#include "platform/viewerprobe.h"

#include <QFile>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace ov {

namespace {

const ReaderSpec kCaj{u"\\TypeLib\\{0F293662-B5FB-4482-8F9D-D99BF4F0235E}", u"1.0",
                      u"需要本地安装同方知网CAJViewer 7.1以上版本！",
                      u"需要本地安装同方知网CAJViewer 7.1以上版本！"};
const ReaderSpec kExb{u"TypeLib\\{EB107130-6BC3-4A16-B448-BFE6A4847EEF}", u"CaxaView ActiveX",
                      u"请先安装CAXA电子图板预览控件", u"Need CaxaView ActiveX"};
const ReaderSpec kGwd{u"VIEWGWD.ViewGwdCtrl.1", u"MSD V7", u"清软英泰CAD MDS7以上版本",
                      u"清软英泰CAD MDS7以上版本"};

}  // namespace

TReaderPreviewFrm::TReaderPreviewFrm(const ReaderSpec& spec, QWidget* parent,
                                     Qt::WindowFlags flags)
    : TPreviewBaseFrm(parent, flags), m_spec(spec) {}

TReaderPreviewFrm::~TReaderPreviewFrm() {
    if (!FFileName.isEmpty()) QFile::remove(FFileName);
}

QString TReaderPreviewFrm::MissingText() const {
    return QString::fromUtf16(Language() == HSL_CN ? m_spec.missingCn : m_spec.missingEn);
}

bool TReaderPreviewFrm::CheckViewer() {
    if (platform::viewerProbe().classKeyExists(QString::fromUtf16(m_spec.probeKey))) {
        m_version = QString::fromUtf16(m_spec.version);
        return true;
    }
    ShowHintText(MissingText(), TPreViewHint::PictureError);
    return false;
}

// There is no control to hand the copy to.
void TReaderPreviewFrm::LoadLocalFile(int, const QString& FileName) {
    FFileName = FileName;
    ShowHintText(MissingText(), TPreViewHint::PictureError);
    if (m_copyLife == CopyLife::AfterLoad) CloseOleObject();
}

void TReaderPreviewFrm::CloseOleObject() {
    if (m_copyLife == CopyLife::UntilDestroyed || FFileName.isEmpty()) return;
    QFile::remove(FFileName);
    FFileName.clear();
}

TCajPreviewFrm::TCajPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TReaderPreviewFrm(kCaj, parent, flags) {
    SetCopyLife(CopyLife::UntilDestroyed);
    resize(705, 521);
    setStyleSheet(u"background: white;"_s);
}

TExbPreviewFrm::TExbPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TReaderPreviewFrm(kExb, parent, flags) {
    resize(510, 532);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    auto* bottom = new QWidget(this);  // the 4-pixel strip at the bottom
    bottom->setObjectName(u"Panel1"_s);
    bottom->setFixedHeight(4);
    layout->addWidget(bottom);
}

TGwdPreviewFrm::TGwdPreviewFrm(QWidget* parent, Qt::WindowFlags flags)
    : TReaderPreviewFrm(kGwd, parent, flags) {
    resize(835, 572);
}

}  // namespace ov
